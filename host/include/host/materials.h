// Materials and texture maps as data: their class identity, names, the
// sub-materials and sub-maps they hold, and the settings of the standard
// material, the multi/sub-object material and the checker, noise and bitmap
// maps. Nodes show them through INode::GetMtl.
//
// Values do not animate: the time arguments are accepted and ignored. The
// host keeps the materials and maps that scripts make until the end of the
// run; one a plug-in makes with new or CreateInstance stays the plug-in's.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "host/animatable.h"
#include "host/geometry.h"
#include "host/interval.h"
#include "host/shading.h"

constexpr SClass_ID MATERIAL_CLASS_ID = 0xC00;
constexpr SClass_ID TEXMAP_CLASS_ID = 0xC10;
constexpr SClass_ID UVGEN_CLASS_ID = 0xC20;

constexpr ULONG DMTL_CLASS_ID = 0x00000002;   // standard material
constexpr ULONG MULTI_CLASS_ID = 0x00000200;  // multi/sub-object material
constexpr ULONG CHECKER_CLASS_ID = 0x00000200;
constexpr ULONG NOISE_CLASS_ID = 0x00000234;
constexpr ULONG BMTEX_CLASS_ID = 0x00000240;
constexpr ULONG STDUV_CLASS_ID = 0x0000E0E0;

// The standard material's map slots.
enum { ID_AM = 0, ID_DI, ID_SP, ID_SH, ID_SS, ID_SI, ID_OP, ID_FI, ID_BU, ID_RL, ID_RR, ID_DP, NTEXMAPS };

// A material ID as faces carry it: 0 for the material list's ID 1.
using MtlID = unsigned short;

class Texmap;

// What materials and maps share: a name and the maps they hold.
class MtlBase : public Animatable {
 public:
  std::string GetName() const { return name_; }
  void SetName(const std::string& name) { name_ = name; }
  virtual int NumSubTexmaps() { return 0; }
  virtual Texmap* GetSubTexmap(int i) {
    (void)i;
    return nullptr;
  }
  virtual void SetSubTexmap(int i, Texmap* m) {
    (void)i;
    (void)m;
  }
  virtual std::string GetSubTexmapSlotName(int i) {
    (void)i;
    return "";
  }
  // MTLREQ_ bits of what shading needs for that sub-material.
  virtual ULONG Requirements(int subMtlNum) {
    (void)subMtlNum;
    return 0;
  }
  // Brings the material or map to time t before shading, narrowing valid
  // to how long the result holds.
  virtual void Update(TimeValue t, Interval& valid) {
    (void)t;
    (void)valid;
  }
  virtual void Reset() {}
  virtual Interval Validity(TimeValue t) {
    (void)t;
    return FOREVER;
  }

 private:
  std::string name_;
};

constexpr ULONG MTLREQ_FACEMAP = 0x20;

class Mtl : public MtlBase {
 public:
  SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }

  // Colours with components 0..1; mtlNum and backFace choose among the
  // sub-materials of materials that have them.
  virtual Color GetAmbient(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  virtual Color GetDiffuse(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  virtual Color GetSpecular(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  // Glossiness 0..1 and specular level (1 is 100%).
  virtual float GetShininess(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  virtual float GetShinStr(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  // Transparency 0..1: one minus the opacity.
  virtual float GetXParency(int mtlNum = 0, BOOL backFace = FALSE) = 0;
  virtual float GetSelfIllum(int mtlNum = 0, BOOL backFace = FALSE) {
    (void)mtlNum;
    (void)backFace;
    return 0.0f;
  }
  virtual BOOL GetSelfIllumColorOn(int mtlNum = 0, BOOL backFace = FALSE) {
    (void)mtlNum;
    (void)backFace;
    return TRUE;
  }
  virtual Color GetSelfIllumColor(int mtlNum = 0, BOOL backFace = FALSE) {
    (void)mtlNum;
    (void)backFace;
    return Color(0, 0, 0);
  }
  virtual float WireSize(int mtlNum = 0, BOOL backFace = FALSE) {
    (void)mtlNum;
    (void)backFace;
    return 1.0f;
  }
  virtual void SetAmbient(Color c, TimeValue t) = 0;
  virtual void SetDiffuse(Color c, TimeValue t) = 0;
  virtual void SetSpecular(Color c, TimeValue t) = 0;
  virtual void SetShininess(float v, TimeValue t) = 0;

  virtual int NumSubMtls() { return 0; }
  virtual Mtl* GetSubMtl(int i) {
    (void)i;
    return nullptr;
  }
  virtual void SetSubMtl(int i, Mtl* m) {
    (void)i;
    (void)m;
  }
  virtual std::string GetSubMtlSlotName(int i) {
    (void)i;
    return "";
  }
  // Colours the context's point: leaves colour and transparency in sc.out.
  virtual void Shade(ShadeContext& sc) = 0;
};

// The standard material: colours, specular level, glossiness,
// self-illumination, opacity and a map in each of the NTEXMAPS slots.
class StdMat2 : public Mtl {
 public:
  virtual void SetShinStr(float v, TimeValue t) = 0;
  virtual void SetSelfIllum(float v, TimeValue t) = 0;
  // Opacity 0..1.
  virtual void SetOpacity(float v, TimeValue t) = 0;
  virtual float GetOpacity(TimeValue t) = 0;
  virtual void EnableMap(int id, BOOL onoff) = 0;
  virtual BOOL MapEnabled(int id) = 0;
};

// A new standard material with the application's defaults; the caller owns it.
StdMat2* NewDefaultStdMat();

// The multi/sub-object material: a list of sub-materials, each with its
// material ID. A face takes the sub-material of its ID.
class MultiMtl : public Mtl {
 public:
  virtual void SetNumSubMtls(int n) = 0;
  // The ID of list entry i (faces' IDs, from 0).
  virtual MtlID GetSubMtlID(int i) = 0;
  virtual void SetSubMtlID(int i, MtlID id) = 0;
  // The entry a face with that ID takes: the one of that ID, else, when
  // none has it, entry id modulo the list's length; -1 for an empty list.
  virtual int SubMtlIndexForID(MtlID id) = 0;
};

// Texture coordinates of a map: a map channel, tiling and offset.
class UVGen : public MtlBase {
 public:
  SClass_ID SuperClassID() override { return UVGEN_CLASS_ID; }
};

class StdUVGen : public UVGen {
 public:
  virtual int GetMapChannel() = 0;
  virtual void SetMapChannel(int i) = 0;
  virtual float GetUScl(TimeValue t) = 0;
  virtual float GetVScl(TimeValue t) = 0;
  virtual void SetUScl(float f, TimeValue t) = 0;
  virtual void SetVScl(float f, TimeValue t) = 0;
  virtual float GetUOffs(TimeValue t) = 0;
  virtual float GetVOffs(TimeValue t) = 0;
  virtual void SetUOffs(float f, TimeValue t) = 0;
  virtual void SetVOffs(float f, TimeValue t) = 0;
};

class Texmap : public MtlBase {
 public:
  SClass_ID SuperClassID() override { return TEXMAP_CLASS_ID; }
  // The map's texture coordinates; null for maps without.
  virtual UVGen* GetTheUVGen() { return nullptr; }
  // The map's colour at the context's point.
  virtual AColor EvalColor(ShadeContext& sc) = 0;
  virtual float EvalMono(ShadeContext& sc) {
    AColor c = EvalColor(sc);
    return Intens(Color(c.r, c.g, c.b));
  }
  // How the map tilts the normal, for bump mapping.
  virtual Point3 EvalNormalPerturb(ShadeContext& sc) {
    (void)sc;
    return Point3(0, 0, 0);
  }
};

// A list of materials and maps, each once when added with checkUnique.
class MtlBaseList {
 public:
  int Count() const { return static_cast<int>(items_.size()); }
  MtlBase* operator[](int i) const { return items_[i]; }
  // Answers the index of m; with checkUnique an m already listed is not
  // added again.
  int AddMtl(MtlBase* m, BOOL checkUnique = TRUE);
  int FindMtl(MtlBase* m) const;
  void RemoveEntry(int n);
  // Forgets every entry without freeing any.
  void Empty() { items_.clear(); }
  void Shrink() { items_.shrink_to_fit(); }

 private:
  std::vector<MtlBase*> items_;
};

// A library of materials and maps: the list shading finds them in.
class MtlBaseLib : public MtlBaseList {
 public:
  virtual ~MtlBaseLib() = default;
};

// Two colours: the checker's squares, or noise's two colours. Colour i is
// 0 or 1.
class TwoColorTexmap : public Texmap {
 public:
  virtual AColor GetColor(int i) = 0;
  virtual void SetColor(int i, AColor c, TimeValue t) = 0;
};

class NoiseTexmap : public TwoColorTexmap {
 public:
  virtual float GetSize(TimeValue t) = 0;
  virtual void SetSize(float f, TimeValue t) = 0;
};

class BitmapTex : public Texmap {
 public:
  virtual std::string GetMapName() = 0;
  virtual void SetMapName(const std::string& name) = 0;
};

// The host's materials and maps: the standard and multi/sub-object
// materials, the checker, noise and bitmap maps and their coordinates.
// Each keeps its settings in one State that undo swaps back and forth.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/hold.h"
#include "host/materials.h"

// Swaps an object's settings with the ones it keeps.
template <typename T>
class StateRestore : public RestoreObj {
 public:
  explicit StateRestore(T* object) : object_(object), state_(object->state()) {}
  void Restore(int) override { std::swap(object_->state(), state_); }
  void Redo() override { std::swap(object_->state(), state_); }

 private:
  T* object_;
  typename T::State state_;
};

// Records object's settings before a change, when holding.
template <typename T>
void hold_state(T* object) {
  if (theHold.Holding()) theHold.Put(new StateRestore<T>(object));
}

class StandardMtl : public StdMat2 {
 public:
  struct State {
    Color ambient{150 / 255.0f, 150 / 255.0f, 150 / 255.0f};
    Color diffuse{150 / 255.0f, 150 / 255.0f, 150 / 255.0f};
    Color specular{229.5f / 255.0f, 229.5f / 255.0f, 229.5f / 255.0f};
    float glossiness = 0.1f, specular_level = 0.0f, self_illum = 0.0f, opacity = 1.0f;
    // Self-illumination by its own colour instead of by an amount.
    bool self_illum_color_on = false;
    Color self_illum_color;
    // Each face takes the whole of the maps, in place of map coordinates.
    bool face_map = false;
    Texmap* maps[NTEXMAPS] = {};
    bool enabled[NTEXMAPS] = {true, true, true, true, true, true, true, true, true, true, true, true};
  };
  State& state() { return state_; }

  Class_ID ClassID() override { return Class_ID(DMTL_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Standard"; }
  Color GetAmbient(int, BOOL) override { return state_.ambient; }
  Color GetDiffuse(int, BOOL) override { return state_.diffuse; }
  Color GetSpecular(int, BOOL) override { return state_.specular; }
  float GetShininess(int, BOOL) override { return state_.glossiness; }
  float GetShinStr(int, BOOL) override { return state_.specular_level; }
  float GetXParency(int, BOOL) override { return 1.0f - state_.opacity; }
  float GetSelfIllum(int, BOOL) override { return state_.self_illum; }
  BOOL GetSelfIllumColorOn(int, BOOL) override { return state_.self_illum_color_on ? TRUE : FALSE; }
  Color GetSelfIllumColor(int, BOOL) override { return state_.self_illum_color; }
  void SetSelfIllumColorOn(bool on);
  void SetSelfIllumColor(Color c);
  void SetFaceMap(bool on);
  bool GetFaceMap() const { return state_.face_map; }
  ULONG Requirements(int subMtlNum) override;
  // Brings the maps up to date too.
  void Update(TimeValue t, Interval& valid) override;
  void Shade(ShadeContext& sc) override;
  void SetAmbient(Color c, TimeValue) override;
  void SetDiffuse(Color c, TimeValue) override;
  void SetSpecular(Color c, TimeValue) override;
  void SetShininess(float v, TimeValue) override;
  void SetShinStr(float v, TimeValue) override;
  void SetSelfIllum(float v, TimeValue) override;
  void SetOpacity(float v, TimeValue) override;
  float GetOpacity(TimeValue) override { return state_.opacity; }
  void EnableMap(int id, BOOL onoff) override;
  BOOL MapEnabled(int id) override;
  int NumSubTexmaps() override { return NTEXMAPS; }
  Texmap* GetSubTexmap(int i) override;
  void SetSubTexmap(int i, Texmap* m) override;
  std::string GetSubTexmapSlotName(int i) override;

 private:
  State state_;
};

class MultiMaterial : public MultiMtl {
 public:
  struct Entry {
    Mtl* mtl;
    MtlID id;
  };
  struct State {
    std::vector<Entry> entries;
  };
  State& state() { return state_; }

  // numsubs new standard materials with IDs 1..numsubs (0.. on faces).
  explicit MultiMaterial(int numsubs = 10);
  Class_ID ClassID() override { return Class_ID(MULTI_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Multimaterial"; }
  // The colours of sub-material mtlNum (by face material ID); black without one.
  Color GetAmbient(int mtlNum, BOOL backFace) override;
  Color GetDiffuse(int mtlNum, BOOL backFace) override;
  Color GetSpecular(int mtlNum, BOOL backFace) override;
  float GetShininess(int mtlNum, BOOL backFace) override;
  float GetShinStr(int mtlNum, BOOL backFace) override;
  float GetXParency(int mtlNum, BOOL backFace) override;
  // Setting a colour sets it on every sub-material.
  void SetAmbient(Color c, TimeValue t) override;
  void SetDiffuse(Color c, TimeValue t) override;
  void SetSpecular(Color c, TimeValue t) override;
  void SetShininess(float v, TimeValue t) override;
  int NumSubMtls() override { return static_cast<int>(state_.entries.size()); }
  Mtl* GetSubMtl(int i) override;
  void SetSubMtl(int i, Mtl* m) override;
  std::string GetSubMtlSlotName(int i) override;
  void SetNumSubMtls(int n) override;
  MtlID GetSubMtlID(int i) override;
  void SetSubMtlID(int i, MtlID id) override;
  int SubMtlIndexForID(MtlID id) override;
  // What the sub-material of that face material ID needs, and its shading.
  ULONG Requirements(int subMtlNum) override;
  // Brings every sub-material up to date.
  void Update(TimeValue t, Interval& valid) override;
  void Shade(ShadeContext& sc) override;

 private:
  Mtl* for_id(int mtl_num);
  State state_;
};

class StandardUV : public StdUVGen {
 public:
  // The coordinates the map reads at the context's point: the channel's,
  // offset and then tiled about the middle of the map.
  Point3 uvw_at(ShadeContext& sc);
  struct State {
    int channel = 1;
    float u_tiling = 1, v_tiling = 1, u_offset = 0, v_offset = 0;
  };
  State& state() { return state_; }

  Class_ID ClassID() override { return Class_ID(STDUV_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "StandardUVGen"; }
  int GetMapChannel() override { return state_.channel; }
  void SetMapChannel(int i) override;
  float GetUScl(TimeValue) override { return state_.u_tiling; }
  float GetVScl(TimeValue) override { return state_.v_tiling; }
  void SetUScl(float f, TimeValue) override;
  void SetVScl(float f, TimeValue) override;
  float GetUOffs(TimeValue) override { return state_.u_offset; }
  float GetVOffs(TimeValue) override { return state_.v_offset; }
  void SetUOffs(float f, TimeValue) override;
  void SetVOffs(float f, TimeValue) override;

 private:
  State state_;
};

// The checker (coordinates, two colours) and noise (also a size).
class TwoColorMap : public NoiseTexmap {
 public:
  struct State {
    AColor colors[2] = {AColor(0, 0, 0), AColor(1, 1, 1)};
    float size = 25.0f;
  };
  State& state() { return state_; }

  explicit TwoColorMap(ULONG class_id) : class_id_(class_id) {}
  Class_ID ClassID() override { return Class_ID(class_id_, 0); }
  void GetClassName(std::string& s) override { s = class_id_ == CHECKER_CLASS_ID ? "Checker" : "Noise"; }
  UVGen* GetTheUVGen() override { return &coords_; }
  AColor GetColor(int i) override { return state_.colors[i == 0 ? 0 : 1]; }
  void SetColor(int i, AColor c, TimeValue) override;
  float GetSize(TimeValue) override { return state_.size; }
  void SetSize(float f, TimeValue) override;
  AColor EvalColor(ShadeContext& sc) override;

 private:
  ULONG class_id_;
  StandardUV coords_;
  State state_;
};

class BitmapMap : public BitmapTex {
 public:
  struct State {
    std::string file_name;
  };
  State& state() { return state_; }

  Class_ID ClassID() override { return Class_ID(BMTEX_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Bitmap"; }
  UVGen* GetTheUVGen() override { return &coords_; }
  std::string GetMapName() override { return state_.file_name; }
  void SetMapName(const std::string& name) override;
  // Reads the image, so shading only looks at it (and may do so from
  // several threads at once).
  void Update(TimeValue t, Interval& valid) override;
  // The image's pixel at the coordinates, tiled; black without an image.
  AColor EvalColor(ShadeContext& sc) override;

  // The file's pixels, read once for each file name the map is given.
  struct Image {
    std::string file_name;
    int width = 0, height = 0;
    std::vector<AColor> pixels;  // rows from the top
  };

 private:
  const Image& image();
  StandardUV coords_;
  State state_;
  Image image_;
  bool image_read_ = false;
};

// Whether target is mtl or one of the sub-materials below it.
bool contains_material(Mtl* mtl, Mtl* target);

// Keeps a material or map until the end of the run (one that scripts made,
// or the sub-materials a multi/sub-object material makes for itself).
void keep_for_run(MtlBase* object);
// The next name of its kind, as the application gives them: "Material #1",
// "Material #2", ... and "Map #1", ...
std::string next_material_name();
std::string next_map_name();
// A reset scene numbers new materials and maps from 1 again.
void reset_material_names();
// A material or map loaded with such a name: its number is not given again.
void note_material_name(const std::string& name);

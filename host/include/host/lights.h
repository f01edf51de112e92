// Lights and cameras: the objects light and camera nodes show. Plug-ins
// read a light's colour, multiplier, on/off switch, shadows, cone and
// include/exclude list through GenLight; a camera's field of view through
// GenCamera. Neither renders as geometry nor converts to a mesh.
//
// Values do not animate: the time arguments are accepted and ignored. While
// theHold is holding, every setter records what undo and redo need.
#pragma once

#include <windows.h>

#include <vector>

#include "host/animatable.h"
#include "host/geometry.h"
#include "host/interval.h"
#include "host/shading.h"

class INode;

// Class ids of the standard lights, cameras and the target they aim at.
constexpr ULONG OMNI_LIGHT_CLASS_ID = 0x1011;
constexpr ULONG SPOT_LIGHT_CLASS_ID = 0x1012;   // target spot
constexpr ULONG DIR_LIGHT_CLASS_ID = 0x1013;    // free directional
constexpr ULONG FSPOT_LIGHT_CLASS_ID = 0x1014;  // free spot
constexpr ULONG TDIR_LIGHT_CLASS_ID = 0x1015;   // target directional
constexpr ULONG SIMPLE_CAM_CLASS_ID = 0x1001;   // free camera
constexpr ULONG LOOKAT_CAM_CLASS_ID = 0x1002;   // target camera
constexpr ULONG TARGET_CLASS_ID = 0x1020;

// GenLight::Type values.
enum { OMNI_LIGHT = 0, TSPOT_LIGHT = 1, DIR_LIGHT = 2, FSPOT_LIGHT = 3, TDIR_LIGHT = 4 };

// Flags of an include/exclude list.
constexpr ULONG NT_INCLUDE = 1;            // the list names the nodes lit, not those left out
constexpr ULONG NT_AFFECT_ILLUM = 2;       // the list applies to illumination
constexpr ULONG NT_AFFECT_SHADOWCAST = 4;  // the list applies to shadow casting

// The nodes a light includes or excludes, each once, with the list's flags.
class ExclList {
 public:
  int Count() const { return static_cast<int>(nodes_.size()); }
  INode* operator[](int i) const { return nodes_[i]; }
  // The index of node in the list, or -1.
  int FindNode(INode* node) const;
  // Adds node unless it is listed already; answers its index.
  int AddNode(INode* node);
  void RemoveNode(INode* node);
  void RemoveNode(int i);
  void SetFlag(ULONG f, BOOL b = TRUE);
  BOOL TestFlag(ULONG f) const { return (flags_ & f) != 0 ? TRUE : FALSE; }
  bool operator==(const ExclList& o) const = default;

 private:
  std::vector<INode*> nodes_;
  ULONG flags_ = NT_AFFECT_ILLUM | NT_AFFECT_SHADOWCAST;
};

class LightObject : public Object {
 public:
  SClass_ID SuperClassID() override { return LIGHT_CLASS_ID; }
  int IsRenderable() override { return 0; }

  virtual void SetUseLight(int onOff) = 0;
  virtual BOOL GetUseLight() = 0;
  // Cone angles in degrees (spot and directional lights).
  virtual void SetHotspot(TimeValue t, float f) = 0;
  virtual float GetHotspot(TimeValue t) = 0;
  virtual void SetFallsize(TimeValue t, float f) = 0;
  virtual float GetFallsize(TimeValue t) = 0;
  virtual ExclList& GetExclusionList() = 0;
  virtual void SetExclusionList(ExclList& list) = 0;
  // Colour with components 0..1.
  virtual void SetRGBColor(TimeValue t, Point3& rgb) = 0;
  virtual Point3 GetRGBColor(TimeValue t) = 0;
  // The multiplier.
  virtual void SetIntensity(TimeValue t, float f) = 0;
  virtual float GetIntensity(TimeValue t) = 0;
  virtual void SetShadow(int a) = 0;
  virtual int GetShadow() = 0;
  // The light's settings at t, narrowing valid to how long they hold.
  virtual RefResult EvalLightState(TimeValue t, Interval& valid, LightState* ls) = 0;
  // A new descriptor that lights shading points as this light does, placed
  // by node; the caller deletes it. None for lights that cannot shade.
  virtual ObjLightDesc* CreateLightDesc(INode* node, BOOL forceShadowBuf = FALSE) {
    (void)node;
    (void)forceShadowBuf;
    return nullptr;
  }
};

class GenLight : public LightObject {
 public:
  // OMNI_LIGHT, TSPOT_LIGHT, DIR_LIGHT, FSPOT_LIGHT or TDIR_LIGHT.
  virtual int Type() = 0;
  virtual BOOL IsSpot() = 0;
  virtual BOOL IsDir() = 0;
  // The exclusion list, and whether it lists the nodes included.
  virtual ExclList* GetExclList() = 0;
  virtual BOOL Include() = 0;
};

class CameraObject : public Object {
 public:
  SClass_ID SuperClassID() override { return CAMERA_CLASS_ID; }
  int IsRenderable() override { return 0; }
  // The horizontal field of view, in radians.
  virtual void SetFOV(TimeValue t, float f) = 0;
  virtual float GetFOV(TimeValue t) = 0;
};

class GenCamera : public CameraObject {
 public:
  virtual int Type() = 0;  // FREE_CAMERA or TARGETED_CAMERA
};
enum { FREE_CAMERA = 0, TARGETED_CAMERA = 1 };

// The host's standard lights, cameras and the target nodes they aim at.
#pragma once

#include <memory>
#include <string>

#include "host/lights.h"
#include "key_controllers.h"

// Omni, spot and directional lights: one class, told apart by their type.
class StandardLight : public GenLight {
 public:
  explicit StandardLight(int type);
  ~StandardLight() override;

  Class_ID ClassID() override;
  void GetClassName(std::string& s) override;
  // The same settings and the same keys on colour and multiplier.
  Animatable* Clone() override;

  void SetUseLight(int onOff) override;
  BOOL GetUseLight() override { return state_.on ? TRUE : FALSE; }
  void SetHotspot(TimeValue t, float f) override;
  float GetHotspot(TimeValue) override { return state_.hotspot; }
  void SetFallsize(TimeValue t, float f) override;
  float GetFallsize(TimeValue) override { return state_.falloff; }
  ExclList& GetExclusionList() override { return state_.excl; }
  void SetExclusionList(ExclList& list) override;
  void SetRGBColor(TimeValue t, Point3& rgb) override;
  Point3 GetRGBColor(TimeValue t) override { return color_->value_at(t); }
  void SetIntensity(TimeValue t, float f) override;
  float GetIntensity(TimeValue t) override { return intensity_->value_at(t); }
  void SetShadow(int a) override;
  int GetShadow() override { return state_.shadow ? 1 : 0; }

  int Type() override { return type_; }
  BOOL IsSpot() override { return type_ == TSPOT_LIGHT || type_ == FSPOT_LIGHT ? TRUE : FALSE; }
  BOOL IsDir() override { return type_ == DIR_LIGHT || type_ == TDIR_LIGHT ? TRUE : FALSE; }
  ExclList* GetExclList() override { return &state_.excl; }
  BOOL Include() override { return state_.excl.TestFlag(NT_INCLUDE); }
  RefResult EvalLightState(TimeValue t, Interval& valid, LightState* ls) override;
  ObjLightDesc* CreateLightDesc(INode* node, BOOL forceShadowBuf = FALSE) override;

  // The animated settings' controllers: colour (components 0..1) and
  // multiplier. They keep their own undo records.
  host::scene::Point3KeyController* color_controller() { return color_.get(); }
  host::scene::FloatKeyController* intensity_controller() { return intensity_.get(); }

  // What undo restores of the settings that do not animate: all at once.
  struct State {
    bool on = true, shadow = false;
    float hotspot = 43.0f, falloff = 45.0f;
    ExclList excl;
  };
  // Records the settings before a change, when holding; scripts call it
  // before they change the exclusion list in place.
  void hold_state();
  State& state() { return state_; }

 private:
  int type_;
  State state_;
  std::unique_ptr<host::scene::Point3KeyController> color_;
  std::unique_ptr<host::scene::FloatKeyController> intensity_;
};

class StandardCamera : public GenCamera {
 public:
  StandardCamera() = default;
  Class_ID ClassID() override { return Class_ID(SIMPLE_CAM_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Camera"; }
  Animatable* Clone() override;
  void SetFOV(TimeValue t, float f) override;
  float GetFOV(TimeValue) override { return fov_; }
  int Type() override { return FREE_CAMERA; }

 private:
  float fov_ = 0.785398163f;  // 45 degrees
};

// What a target spot aims at: a node that shows nothing. It counts as
// geometry, as in the application, but gives no mesh.
class TargetObject : public GeomObject {
 public:
  // owner: the superclass of what aims at it (a light or a camera).
  explicit TargetObject(SClass_ID owner) : owner_(owner) {}
  Class_ID ClassID() override { return Class_ID(TARGET_CLASS_ID, 0); }
  void GetClassName(std::string& s) override { s = "Target"; }
  Animatable* Clone() override { return new TargetObject(owner_); }
  int IsRenderable() override { return 0; }
  SClass_ID owner_super_class() const { return owner_; }

 private:
  SClass_ID owner_;
};

// Takes node out of every light's include/exclude list (a node that is
// about to be freed).
void forget_in_exclusion_lists(INode* node);

// Lights, cameras and targets: their settings, each change recorded for undo.
#include <algorithm>
#include <utility>

#include "host/hold.h"
#include "light_objects.h"
#include "scene_internal.h"

namespace {

// Swaps a light's settings with the ones it keeps.
class LightStateRestore : public RestoreObj {
 public:
  explicit LightStateRestore(StandardLight* light) : light_(light), state_(light->state()) {}
  void Restore(int) override { std::swap(light_->state(), state_); }
  void Redo() override { std::swap(light_->state(), state_); }

 private:
  StandardLight* light_;
  StandardLight::State state_;
};

class CameraFovRestore : public RestoreObj {
 public:
  CameraFovRestore(float* fov) : fov_(fov), value_(*fov) {}
  void Restore(int) override { std::swap(*fov_, value_); }
  void Redo() override { std::swap(*fov_, value_); }

 private:
  float* fov_;
  float value_;
};

}  // namespace

int ExclList::FindNode(INode* node) const {
  auto found = std::find(nodes_.begin(), nodes_.end(), node);
  return found == nodes_.end() ? -1 : static_cast<int>(found - nodes_.begin());
}

int ExclList::AddNode(INode* node) {
  int i = FindNode(node);
  if (i >= 0) return i;
  nodes_.push_back(node);
  return Count() - 1;
}

void ExclList::RemoveNode(INode* node) {
  int i = FindNode(node);
  if (i >= 0) RemoveNode(i);
}

void ExclList::RemoveNode(int i) {
  if (i >= 0 && i < Count()) nodes_.erase(nodes_.begin() + i);
}

void ExclList::SetFlag(ULONG f, BOOL b) {
  if (b)
    flags_ |= f;
  else
    flags_ &= ~f;
}

StandardLight::StandardLight(int type)
    : type_(type),
      color_(host::scene::make_bezier_color(Point3(180 / 255.0f, 180 / 255.0f, 180 / 255.0f))),
      intensity_(host::scene::make_bezier_float(1.0f)) {
  color_->RegisterDependent(this);
  intensity_->RegisterDependent(this);
}

StandardLight::~StandardLight() {
  color_->UnregisterDependent(this);
  intensity_->UnregisterDependent(this);
}

Animatable* StandardLight::Clone() {
  auto* copy = new StandardLight(type_);
  copy->state_ = state_;
  copy->color_->set_track(color_->track());
  copy->intensity_->set_track(intensity_->track());
  *copy->color_->GetFlagWord() = color_->GetFlags();
  *copy->intensity_->GetFlagWord() = intensity_->GetFlags();
  return copy;
}

Class_ID StandardLight::ClassID() {
  switch (type_) {
    case TSPOT_LIGHT:
      return Class_ID(SPOT_LIGHT_CLASS_ID, 0);
    case DIR_LIGHT:
      return Class_ID(DIR_LIGHT_CLASS_ID, 0);
    case FSPOT_LIGHT:
      return Class_ID(FSPOT_LIGHT_CLASS_ID, 0);
    case TDIR_LIGHT:
      return Class_ID(TDIR_LIGHT_CLASS_ID, 0);
    default:
      return Class_ID(OMNI_LIGHT_CLASS_ID, 0);
  }
}

// New nodes are named after it: Omni001, Spot001, Direct001.
void StandardLight::GetClassName(std::string& s) {
  switch (type_) {
    case TSPOT_LIGHT:
    case FSPOT_LIGHT:
      s = "Spot";
      break;
    case DIR_LIGHT:
    case TDIR_LIGHT:
      s = "Direct";
      break;
    default:
      s = "Omni";
  }
}

void StandardLight::hold_state() {
  if (theHold.Holding()) theHold.Put(new LightStateRestore(this));
}

void StandardLight::SetUseLight(int onOff) {
  hold_state();
  state_.on = onOff != 0;
}

void StandardLight::SetHotspot(TimeValue, float f) {
  hold_state();
  state_.hotspot = f;
}

void StandardLight::SetFallsize(TimeValue, float f) {
  hold_state();
  state_.falloff = f;
}

void StandardLight::SetExclusionList(ExclList& list) {
  hold_state();
  state_.excl = list;
}

void StandardLight::SetRGBColor(TimeValue t, Point3& rgb) { color_->SetValue(t, &rgb); }

void StandardLight::SetIntensity(TimeValue t, float f) { intensity_->SetValue(t, &f); }

void StandardLight::SetShadow(int a) {
  hold_state();
  state_.shadow = a != 0;
}

Animatable* StandardCamera::Clone() {
  auto* copy = new StandardCamera;
  copy->fov_ = fov_;
  return copy;
}

void StandardCamera::SetFOV(TimeValue, float f) {
  if (theHold.Holding()) theHold.Put(new CameraFovRestore(&fov_));
  fov_ = f;
}

void forget_in_exclusion_lists(INode* node) {
  for (INode* n : Scene::get().nodes())
    if (auto* light = dynamic_cast<StandardLight*>(n->GetObjectRef())) light->state().excl.RemoveNode(node);
}

// Gravity and Space Ripple, and the modifiers binding nodes to them.
#include "space_warp_objects.h"

#include <cmath>

#include "host/triobject.h"
#include "scene_internal.h"

namespace {

constexpr float kTwoPi = 6.28318530717958f;

class GravityField : public ForceField {
 public:
  GravityField(const Matrix3& tm, float strength, float decay, bool spherical)
      : centre_(tm.GetTrans()),
        arrow_(-Normalize(tm.GetRow(2))),
        strength_(strength),
        decay_(decay),
        spherical_(spherical) {}

  Point3 Force(TimeValue, const Point3& pos, const Point3&, int) override {
    if (spherical_) {
      Point3 toward = centre_ - pos;
      float d = Length(toward);
      if (d == 0.0f) return Point3();
      return toward * (strength_ * falloff(d) / d);
    }
    float d = std::fabs(DotProd(pos - centre_, arrow_));
    return arrow_ * (strength_ * falloff(d));
  }

 private:
  float falloff(float d) const { return decay_ > 0.0f ? std::exp(-decay_ * d) : 1.0f; }
  Point3 centre_, arrow_;
  float strength_, decay_;
  bool spherical_;
};

}  // namespace

GravityObject::GravityObject()
    : params_({{"strength", false, 1},
               {"decay", false, 0},
               {"gravitytype", true, kPlanar, 0},
               {"showRange", true, 0, 0, true},
               {"iconsize", false, 10},
               {"hoopson", true, 1, 0, true}}) {}

ForceField* GravityObject::GetForceField(INode* node) {
  Matrix3 tm = node != nullptr ? node->GetObjectTM(GetCOREInterface()->GetTime()) : Matrix3::Identity();
  return new GravityField(tm, params_.GetFloat(kStrength), params_.GetFloat(kDecay),
                          params_.GetInt(kType) == kSpherical);
}

Modifier* GravityObject::CreateWSMMod(INode* node) { return new GravityBinding(node); }

SpaceRippleObject::SpaceRippleObject()
    : params_({{"amplitude1", false, 5},
               {"amplitude2", false, 5},
               {"wavelength", false, 25},
               {"phase", false, 0},
               {"decay", false, 0},
               {"circles", true, 10, 3},
               {"segments", true, 16, 4},
               {"divisions", true, 4, 1}}) {}

Modifier* SpaceRippleObject::CreateWSMMod(INode* node) { return new RippleBinding(node); }

float SpaceRippleObject::Displacement(const Point3& local) const {
  float wavelength = params_.GetFloat(kWaveLength);
  if (!(wavelength > 0.0f)) return 0.0f;
  float r2 = local.x * local.x + local.y * local.y;
  float r = std::sqrt(r2);
  float a1 = params_.GetFloat(kAmplitude1), a2 = params_.GetFloat(kAmplitude2);
  float amplitude = r2 > 0.0f ? (a1 * local.x * local.x + a2 * local.y * local.y) / r2 : a1;
  float decay = params_.GetFloat(kDecay);
  float falloff = decay > 0.0f ? std::exp(-decay * r) : 1.0f;
  return amplitude * std::sin(kTwoPi * (r / wavelength + params_.GetFloat(kPhase))) * falloff;
}

WarpBinding::WarpBinding(const char* name, INode* warp_node, std::vector<SimpleParamDef> defs)
    : WSModifier(name),
      params_(std::move(defs)),
      warp_node_(warp_node),
      warp_object_(warp_node != nullptr ? warp_node->GetObjectRef()->FindBaseObject() : nullptr) {}

WSMObject* WarpBinding::warp() const {
  if (warp_node_ == nullptr || !Scene::get().contains(warp_node_)) return nullptr;
  if (warp_node_->GetObjectRef()->FindBaseObject() != warp_object_) return nullptr;
  return dynamic_cast<WSMObject*>(warp_object_);
}

Animatable* WarpBinding::copy_settings_to(WarpBinding* copy) const {
  copy->params_ = params_;
  copy->warp_object_ = warp_object_;
  copy->SetName(GetName().c_str());
  copy->SetEnabled(IsEnabled());
  return copy;
}

GravityBinding::GravityBinding(INode* warp_node) : WarpBinding("Gravity Binding", warp_node, {}) {}

Animatable* GravityBinding::Clone() { return copy_settings_to(new GravityBinding(warp_node())); }

void GravityBinding::ModifyObject(TimeValue, ModContext&, ObjectState* os, INode*) {
  ParticleObject* particles = GetParticleInterface(os->obj);
  WSMObject* gravity = warp();
  if (particles == nullptr || gravity == nullptr) return;
  field_.reset(gravity->GetForceField(warp_node()));
  if (field_ != nullptr) particles->ApplyForceField(field_.get());
}

RippleBinding::RippleBinding(INode* warp_node)
    : WarpBinding("Ripple Binding", warp_node, {{"flexibility", false, 1}}) {}

Animatable* RippleBinding::Clone() { return copy_settings_to(new RippleBinding(warp_node())); }

void RippleBinding::ModifyObject(TimeValue t, ModContext&, ObjectState* os, INode*) {
  auto* ripple = dynamic_cast<SpaceRippleObject*>(warp());
  if (ripple == nullptr || os->obj == nullptr || !os->obj->IsSubClassOf(triObjectClassID)) return;
  Matrix3 tm = warp_node()->GetObjectTM(t), inverse;
  if (!Inverse(tm, &inverse)) return;
  float flexibility = params_.GetFloat(kFlexibility);
  Mesh& mesh = static_cast<TriObject*>(os->obj)->GetMesh();
  for (int i = 0; i < mesh.getNumVerts(); ++i) {
    Point3 local = mesh.getVert(i) * inverse;
    local.z += flexibility * ripple->Displacement(local);
    mesh.setVert(i, local * tm);
  }
  mesh.InvalidateGeomCache();
}

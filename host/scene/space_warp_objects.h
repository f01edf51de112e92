// The space warps scripts make: Gravity, a force on particles, and Space
// Ripple, concentric waves that deform bound geometry. Binding a node to
// one puts a world-space binding modifier on the node's stack.
#pragma once

#include <memory>

#include "host/inode.h"
#include "host/param_list.h"
#include "host/space_warps.h"

inline const Class_ID GRAVITY_CLASS_ID{0xe523c, 0};
inline const Class_ID SPACE_RIPPLE_CLASS_ID{0x30, 0};
inline const Class_ID GRAVITY_BINDING_CLASS_ID{0xe523d, 0};
inline const Class_ID RIPPLE_BINDING_CLASS_ID{0x31, 0};

// Gravity pulls along the icon's arrow, its negative local Z axis (planar,
// gravitytype 0), or toward the icon's centre (spherical, 1), with the
// strength given: a force of strength units per frame per frame. With a
// decay above 0 the force is scaled by e^(-decay * d), d the distance from
// the icon's plane (planar) or centre (spherical).
class GravityObject : public WSMObject {
 public:
  enum { kStrength, kDecay, kType, kShowRange, kIconSize, kHoopsOn };
  enum { kPlanar = 0, kSpherical = 1 };
  GravityObject();
  Class_ID ClassID() override { return GRAVITY_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Gravity"; }
  ParamList* GetParamList() override { return &params_; }
  Animatable* Clone() override { return clone_with_params(*this); }
  // The field keeps the warp's settings and the node's place as they are
  // now: it outlives neither its meaning nor the node.
  ForceField* GetForceField(INode* node) override;
  Modifier* CreateWSMMod(INode* node) override;

 private:
  ParamList params_;
};

// Space Ripple raises points along the icon's local Z axis by
// amplitude * sin(2 pi (r / wavelength + phase)) * e^(-decay * r), r the
// distance from the icon's Z axis; the amplitude goes from amplitude1 along
// the icon's X axis to amplitude2 along its Y axis (amplitude1 cos^2 a +
// amplitude2 sin^2 a at angle a from X). It gives no force field.
class SpaceRippleObject : public WSMObject {
 public:
  enum { kAmplitude1, kAmplitude2, kWaveLength, kPhase, kDecay, kCircles, kSegments, kDivisions };
  SpaceRippleObject();
  Class_ID ClassID() override { return SPACE_RIPPLE_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "SpaceRipple"; }
  ParamList* GetParamList() override { return &params_; }
  Animatable* Clone() override { return clone_with_params(*this); }
  Modifier* CreateWSMMod(INode* node) override;
  // How far the ripple moves a point at pos (in the icon's local frame)
  // along the icon's Z axis.
  float Displacement(const Point3& local) const;

 private:
  ParamList params_;
};

// A world-space modifier binding a node to the warp shown by another node.
// When that node has left the scene (or its base object is another one)
// the binding does nothing.
class WarpBinding : public WSModifier {
 public:
  INode* warp_node() const { return warp_node_; }
  // The warp object, or null while the binding does nothing.
  WSMObject* warp() const;
  ParamList* GetParamList() override { return &params_; }
  void GetClassName(std::string& s) override { s = GetName(); }
  ChannelMask ChannelsUsed() override { return GEOM_CHANNEL; }
  ChannelMask ChannelsChanged() override { return GEOM_CHANNEL; }

 protected:
  WarpBinding(const char* name, INode* warp_node, std::vector<SimpleParamDef> defs);
  // Gives copy this binding's name, state and parameter values.
  Animatable* copy_settings_to(WarpBinding* copy) const;
  ParamList params_;

 private:
  INode* warp_node_;
  Object* warp_object_;  // the node's base object when bound
};

// Applies the gravity's force field to a bound particle system; the binding
// owns the field it last made.
class GravityBinding : public WarpBinding {
 public:
  explicit GravityBinding(INode* warp_node);
  Class_ID ClassID() override { return GRAVITY_BINDING_CLASS_ID; }
  Animatable* Clone() override;
  void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;

 private:
  struct FieldDeleter {
    void operator()(ForceField* f) const { f->DeleteThis(); }
  };
  std::unique_ptr<ForceField, FieldDeleter> field_;
};

// Ripples a bound mesh (already in world space); flexibility scales the
// ripple.
class RippleBinding : public WarpBinding {
 public:
  enum { kFlexibility };
  explicit RippleBinding(INode* warp_node);
  Class_ID ClassID() override { return RIPPLE_BINDING_CLASS_ID; }
  Animatable* Clone() override;
  void ModifyObject(TimeValue t, ModContext& mc, ObjectState* os, INode* node) override;
};

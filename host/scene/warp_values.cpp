// Particle systems and space warps for scripts: the Spray, Gravity and
// SpaceRipple classes, bindSpaceWarp, and the particle functions.
//   s = spray speed:5 variation:0; g = gravity strength:0.5
//   bindSpaceWarp s g; particlePos s 1
#include "host/checks.h"
#include "host/functions.h"
#include "host/script_time.h"
#include "host/values.h"
#include "node_values.h"
#include "particle_objects.h"
#include "scene_internal.h"
#include "space_warp_objects.h"

namespace {

Value* make_spray(Value** a, int count) { return create_param_node(new SprayObject, a, count, "Spray"); }
Value* make_gravity(Value** a, int count) {
  return create_param_node(new GravityObject, a, count, "Gravity");
}
Value* make_space_ripple(Value** a, int count) {
  return create_param_node(new SpaceRippleObject, a, count, "SpaceRipple");
}

// bindSpaceWarp <node> <warp_node>: the binding goes on top of the node's
// stack.
Value* bind_space_warp_cf(Value** a, int count) {
  check_arg_count("bindSpaceWarp", 2, count);
  INode* node = node_arg(a[0], "bindSpaceWarp");
  INode* warp_node = node_arg(a[1], "bindSpaceWarp");
  auto* warp = dynamic_cast<WSMObject*>(warp_node->GetObjectRef()->FindBaseObject());
  if (warp == nullptr) throw RuntimeError(host::msg::kNotSpaceWarp, a[1]);
  Modifier* binding = warp->CreateWSMMod(warp_node);
  if (binding == nullptr) throw RuntimeError(host::msg::kNotSpaceWarp, a[1]);
  add_modifier_to(node, binding, 0);
  return &true_value;
}

// The particle system the node evaluates to now, with its bound warps.
ParticleObject* particles_of(Value* v, const char* fn) {
  INode* node = node_arg(v, fn);
  ParticleObject* particles = GetParticleInterface(node->EvalWorldState(MAXScript_time()).obj);
  if (particles == nullptr) throw RuntimeError(host::msg::kNotParticleSystem, v);
  return particles;
}

// The particle slot (counted from 1 by scripts) when a particle is alive in
// it at the script's time; -1 otherwise.
int live_slot(ParticleObject* particles, Value* index) {
  int slot = check_index(index, "Particle") - 1;
  return particles->ParticleAge(MAXScript_time(), slot) >= 0 ? slot : -1;
}

Value* particle_count_cf(Value** a, int count) {
  check_arg_count("particleCount", 1, count);
  return Integer::intern(particles_of(a[0], "particleCount")->NumParticles());
}

Value* particle_pos_cf(Value** a, int count) {
  check_arg_count("particlePos", 2, count);
  ParticleObject* particles = particles_of(a[0], "particlePos");
  int slot = live_slot(particles, a[1]);
  if (slot < 0) return &undefined;
  return new Point3Value(particles->ParticlePosition(MAXScript_time(), slot));
}

Value* particle_velocity_cf(Value** a, int count) {
  check_arg_count("particleVelocity", 2, count);
  ParticleObject* particles = particles_of(a[0], "particleVelocity");
  int slot = live_slot(particles, a[1]);
  if (slot < 0) return &undefined;
  return new Point3Value(particles->ParticleVelocity(MAXScript_time(), slot));
}

Value* particle_age_cf(Value** a, int count) {
  check_arg_count("particleAge", 2, count);
  ParticleObject* particles = particles_of(a[0], "particleAge");
  int slot = live_slot(particles, a[1]);
  if (slot < 0) return &undefined;
  return MSTime::intern(particles->ParticleAge(MAXScript_time(), slot));
}

Value* particle_size_cf(Value** a, int count) {
  check_arg_count("particleSize", 1, count);
  return new Float(particles_of(a[0], "particleSize")->ParticleSize(MAXScript_time(), 0));
}

Primitive bind_space_warp_pf("bindSpaceWarp", bind_space_warp_cf);
Primitive particle_count_pf("particleCount", particle_count_cf);
Primitive particle_pos_pf("particlePos", particle_pos_cf);
Primitive particle_velocity_pf("particleVelocity", particle_velocity_cf);
Primitive particle_age_pf("particleAge", particle_age_cf);
Primitive particle_size_pf("particleSize", particle_size_cf);

}  // namespace

ValueMetaClass SpacewarpObject_class("SpacewarpObject", &MAXNode_class);
ValueMetaClass Spray_class("Spray", &GeometryClass_class, make_spray);
ValueMetaClass Gravity_class("Gravity", &SpacewarpObject_class, make_gravity);
ValueMetaClass SpaceRipple_class("SpaceRipple", &SpacewarpObject_class, make_space_ripple);

ValueMetaClass* class_of_scene_extra(Object* object) {
  Class_ID id = object->ClassID();
  if (id == SPRAY_CLASS_ID && dynamic_cast<SprayObject*>(object) != nullptr) return &Spray_class;
  if (id == GRAVITY_CLASS_ID && dynamic_cast<GravityObject*>(object) != nullptr) return &Gravity_class;
  if (id == SPACE_RIPPLE_CLASS_ID && dynamic_cast<SpaceRippleObject*>(object) != nullptr)
    return &SpaceRipple_class;
  if (object->SuperClassID() == WSM_OBJECT_CLASS_ID) return &SpacewarpObject_class;
  return nullptr;
}

// Particle systems as plug-ins reach them: an object whose GetInterface
// answers I_PARTICLEOBJ is a ParticleObject, and space warps act on its
// particles through force fields (host/space_warps.h).
//
// Units: positions in world units, velocities in units per frame and forces
// (accelerations of a particle of unit mass) in units per frame per frame.
#pragma once

#include "host/animatable.h"
#include "host/geometry.h"

// The interface id of particle objects (Animatable::GetInterface).
constexpr ULONG I_PARTICLEOBJ = 0x1050;

// A force acting on particles: what a space warp such as Gravity gives for
// a node (WSMObject::GetForceField). Whoever asked for it owns it and frees
// it with DeleteThis.
class ForceField {
 public:
  virtual ~ForceField() = default;
  // The force on particle number index at time t, at pos moving with vel.
  virtual Point3 Force(TimeValue t, const Point3& pos, const Point3& vel, int index) = 0;
  virtual void SetRandSeed(int seed) { (void)seed; }
  virtual void DeleteThis() { delete this; }
};

// A particle system. Its particles live in numbered slots; a slot's particle
// dies at the end of its life and is born again later, so one index names
// successive particles over time. Positions are in world space as of the
// node's last evaluation (INode::EvalWorldState).
class ParticleObject : public GeomObject {
 public:
  void* GetInterface(ULONG id) override { return id == I_PARTICLEOBJ ? this : GeomObject::GetInterface(id); }
  // Particles are not rendered as the object's own mesh here.
  int IsRenderable() override { return 0; }

  // How many slots the system has.
  virtual int NumParticles() = 0;
  // The age of slot i's particle at time t, or -1 when no particle is alive
  // in it then (or i names no slot).
  virtual TimeValue ParticleAge(TimeValue t, int i) = 0;
  // Where slot i's particle is at time t and how it moves; the origin and
  // no motion for a slot with no live particle.
  virtual Point3 ParticlePosition(TimeValue t, int i) = 0;
  virtual Point3 ParticleVelocity(TimeValue t, int i) = 0;
  virtual float ParticleSize(TimeValue t, int i) = 0;
  // Adds a force acting on the particles until the system is evaluated
  // again; the caller keeps owning it and keeps it alive until then.
  virtual void ApplyForceField(ForceField* ff) = 0;
};

// The particle object anim is, or null.
inline ParticleObject* GetParticleInterface(Animatable* anim) {
  return anim != nullptr ? static_cast<ParticleObject*>(anim->GetInterface(I_PARTICLEOBJ)) : nullptr;
}

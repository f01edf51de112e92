// The Spray particle system: drops leave a rectangular emitter along its
// negative Z axis at a steady rate and live for a set time, each slot's
// drop born again when it dies. Bound space warps' force fields bend their
// paths.
#pragma once

#include <vector>

#include "host/param_list.h"
#include "host/particles.h"

inline const Class_ID SPRAY_CLASS_ID{0x9bd61aa0, 0};

class SprayObject : public ParticleObject {
 public:
  // start and lifetime are kept in frames (scripts see times). constant
  // makes the birth rate viewportcount / lifetime drops a frame, so every
  // slot is in use once the first lifetime has passed; without it,
  // birthrate drops are born a frame.
  enum {
    kViewportCount,
    kRenderCount,
    kDropSize,
    kSpeed,
    kVariation,
    kDisplay,
    kRender,
    kStart,
    kLifetime,
    kBirthRate,
    kConstant,
    kEmitterWidth,
    kEmitterLength,
    kHideEmitter
  };
  SprayObject();
  Class_ID ClassID() override { return SPRAY_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Spray"; }
  ParamList* GetParamList() override { return &params_; }
  Animatable* Clone() override;

  int NumParticles() override;
  TimeValue ParticleAge(TimeValue t, int i) override;
  Point3 ParticlePosition(TimeValue t, int i) override;
  Point3 ParticleVelocity(TimeValue t, int i) override;
  float ParticleSize(TimeValue t, int i) override;
  void ApplyForceField(ForceField* ff) override { fields_.push_back(ff); }

  // The node's evaluation: the emitter now stands at tm (its object
  // transform), and the force fields applied before are forgotten.
  void Update(const Matrix3& tm);

 private:
  struct Drop {
    bool alive = false;
    float age = 0;  // frames
    Point3 pos, vel;
  };
  Drop simulate(TimeValue t, int i);

  ParamList params_;
  Matrix3 tm_ = Matrix3::Identity();
  std::vector<ForceField*> fields_;
};

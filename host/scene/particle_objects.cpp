// The Spray particle system.
#include "particle_objects.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

#include "host/values.h"

namespace {

// Steps of at most a quarter frame: exact for constant forces, close for
// forces that change along the path.
constexpr float kStepFrames = 0.25f;
// However long a drop lives, its path takes at most this many steps.
constexpr int kMostSteps = 4096;
constexpr double kMostGenerations = 1e15;

// A number in [-1, 1) that depends only on its seeds, so a drop's start is
// the same every time it is asked for.
float scatter(std::uint64_t a, std::uint64_t b, std::uint64_t c) {
  std::uint64_t z = a * 0x9E3779B97F4A7C15ull ^ (b + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull ^
                    (c + 1) * 0x94D049BB133111EBull;
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  z ^= z >> 31;
  return static_cast<float>(z >> 40) / static_cast<float>(1ull << 23) - 1.0f;
}

// Frames as ticks, kept on the time line.
TimeValue to_ticks(float frames) {
  double ticks = std::round(static_cast<double>(frames) * GetTicksPerFrame());
  return static_cast<TimeValue>(std::clamp(ticks, -2147483647.0, 2147483647.0));
}

}  // namespace

SprayObject::SprayObject()
    : params_({{"viewportcount", true, 100, 0},
               {"rendercount", true, 100, 0},
               {"dropsize", false, 2},
               {"speed", false, 10},
               {"variation", false, 2},
               {"display", true, 0, 0},
               {"render", true, 0, 0},
               {"start", false, 0, 0, false, true},
               {"lifetime", false, 30, 0, false, true},
               {"birthrate", false, 0},
               {"constant", true, 1, 0, true},
               {"emitterwidth", false, 0},
               {"emitterlength", false, 0},
               {"hideEmitter", true, 0, 0, true}}) {}

Animatable* SprayObject::Clone() { return clone_with_params(*this); }

void SprayObject::Update(const Matrix3& tm) {
  tm_ = tm;
  fields_.clear();
}

int SprayObject::NumParticles() { return params_.GetInt(kViewportCount); }

SprayObject::Drop SprayObject::simulate(TimeValue t, int i) {
  Drop drop;
  int count = NumParticles();
  float life = std::max(params_.GetFloat(kLifetime), 1.0f);
  float rate = params_.GetInt(kConstant) != 0 ? count / life : params_.GetFloat(kBirthRate);
  if (i < 0 || i >= count || !(rate > 0.0f)) return drop;
  float frames_per_tick = 1.0f / static_cast<float>(GetTicksPerFrame());
  float now = static_cast<float>(t) * frames_per_tick;
  // Drop k is born at start + k / rate in slot k mod count; the slot holds
  // its newest drop.
  float since_first = now - params_.GetFloat(kStart) - static_cast<float>(i) / rate;
  if (since_first < 0.0f) return drop;
  float cycle = static_cast<float>(count) / rate;
  // Rates so high that the generations cannot be told apart show nothing.
  double cycles = std::floor(static_cast<double>(since_first) / cycle);
  if (!(cycles < kMostGenerations)) return drop;
  auto generation = static_cast<std::uint64_t>(cycles);
  float age = since_first - static_cast<float>(generation) * cycle;
  if (age >= life) return drop;
  drop.alive = true;
  drop.age = age;

  float half_width = params_.GetFloat(kEmitterWidth) / 2, half_length = params_.GetFloat(kEmitterLength) / 2;
  Point3 start(scatter(i, generation, 0) * half_width, scatter(i, generation, 1) * half_length, 0);
  float variation = params_.GetFloat(kVariation);
  Point3 velocity(scatter(i, generation, 2) * variation, scatter(i, generation, 3) * variation,
                  -params_.GetFloat(kSpeed) + scatter(i, generation, 4) * variation);
  Point3 pos = start * tm_;
  Point3 vel = VectorTransform(velocity, tm_);
  if (fields_.empty()) {
    drop.pos = pos + vel * age;
    drop.vel = vel;
    return drop;
  }
  float wanted = std::ceil(age / kStepFrames);
  int steps = wanted >= kMostSteps ? kMostSteps : std::max(1, static_cast<int>(wanted));
  float h = age / static_cast<float>(steps);
  float born = now - age;
  for (int s = 0; s < steps; ++s) {
    auto tick = to_ticks(born + h * static_cast<float>(s));
    Point3 force;
    for (ForceField* field : fields_) force = force + field->Force(tick, pos, vel, i);
    pos = pos + vel * h + force * (0.5f * h * h);
    vel = vel + force * h;
  }
  drop.pos = pos;
  drop.vel = vel;
  return drop;
}

TimeValue SprayObject::ParticleAge(TimeValue t, int i) {
  Drop drop = simulate(t, i);
  return drop.alive ? to_ticks(drop.age) : -1;
}

Point3 SprayObject::ParticlePosition(TimeValue t, int i) { return simulate(t, i).pos; }

Point3 SprayObject::ParticleVelocity(TimeValue t, int i) { return simulate(t, i).vel; }

float SprayObject::ParticleSize(TimeValue, int) { return params_.GetFloat(kDropSize); }

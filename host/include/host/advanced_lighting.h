// Core interfaces plug-ins reach by identifier (GetCOREInterface(id)), and
// the scene's advanced-lighting slot: the one global illumination plug-in
// (a RadiosityEffect) the scene holds, or none.
#pragma once

#include <windows.h>

#include "host/animatable.h"

class Interface_ID {
 public:
  Interface_ID() = default;
  Interface_ID(ULONG a, ULONG b) : a_(a), b_(b) {}
  ULONG PartA() const { return a_; }
  ULONG PartB() const { return b_; }
  bool operator==(const Interface_ID& o) const { return a_ == o.a_ && b_ == o.b_; }
  bool operator!=(const Interface_ID& o) const { return !(*this == o); }

 private:
  ULONG a_ = 0, b_ = 0;
};

// A function-published interface; the core ones live as long as the host.
class FPInterface {
 public:
  virtual ~FPInterface() = default;
  virtual Interface_ID GetID() = 0;
};
class FPStaticInterface : public FPInterface {};

// The core interface of that identifier, or null when the host has none.
FPInterface* GetCOREInterface(Interface_ID id);

constexpr SClass_ID RADIOSITY_CLASS_ID = 0x1190;
inline const Class_ID LIGHT_TRACER_CLASS_ID{0x39FF19EC, 0x772D5BFF};

// An advanced-lighting plug-in.
class RadiosityEffect : public Animatable {
 public:
  SClass_ID SuperClassID() override { return RADIOSITY_CLASS_ID; }
  virtual bool IsActive(TimeValue t) = 0;
  virtual void SetActive(bool active, TimeValue t) = 0;
};

inline const Interface_ID SCENERADIOSITY_INTERFACE{0x06711E7A, 0x5B504BAA};

// The scene's advanced-lighting slot. Setting a plug-in gives it to the
// scene, which keeps it until the end of the run; setting null removes it.
class SceneRadiosity : public FPStaticInterface {
 public:
  Interface_ID GetID() override { return SCENERADIOSITY_INTERFACE; }
  virtual RadiosityEffect* getRadiosity() const = 0;
  virtual void setRadiosity(RadiosityEffect* op) = 0;
};

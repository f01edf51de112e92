// The script's context settings, as the context prefixes of the script set
// them for the expression they govern: animate on (...), in coordsys local
// (...), and at time t (...) (the time is read through script_time.h).
// Host code reads them while the expression runs; each is restored however
// the expression ends.
#pragma once

#include "host/value.h"

// True inside animate on, false inside animate off; outside both, false and
// MAXScript_animate_context_set() is false (the host's own Auto Key state
// applies).
bool MAXScript_animate();
bool MAXScript_animate_context_set();

// The coordinate system of the innermost coordsys context: the name #world,
// #local, #parent, #grid or #screen, or the value given (a node). Null
// outside every coordsys context (the host's reference system applies).
Value* MAXScript_coordsys();

class ScopedAnimateContext {
 public:
  explicit ScopedAnimateContext(bool on);
  ~ScopedAnimateContext();
  ScopedAnimateContext(const ScopedAnimateContext&) = delete;
  ScopedAnimateContext& operator=(const ScopedAnimateContext&) = delete;

 private:
  bool had_, previous_;
};

// The caller keeps the coordinate system value from the collector while the
// context is set.
class ScopedCoordSysContext {
 public:
  explicit ScopedCoordSysContext(Value* coordsys);
  ~ScopedCoordSysContext();
  ScopedCoordSysContext(const ScopedCoordSysContext&) = delete;
  ScopedCoordSysContext& operator=(const ScopedCoordSysContext&) = delete;

 private:
  Value* previous_;
};

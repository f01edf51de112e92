// The animate and coordsys contexts of the script thread.
#include "host/script_context.h"

namespace {
thread_local bool t_animate_set = false;
thread_local bool t_animate = false;
thread_local Value* t_coordsys = nullptr;
}  // namespace

bool MAXScript_animate() { return t_animate_set && t_animate; }
bool MAXScript_animate_context_set() { return t_animate_set; }
Value* MAXScript_coordsys() { return t_coordsys; }

ScopedAnimateContext::ScopedAnimateContext(bool on) : had_(t_animate_set), previous_(t_animate) {
  t_animate_set = true;
  t_animate = on;
}

ScopedAnimateContext::~ScopedAnimateContext() {
  t_animate_set = had_;
  t_animate = previous_;
}

ScopedCoordSysContext::ScopedCoordSysContext(Value* coordsys) : previous_(t_coordsys) {
  t_coordsys = coordsys;
}

ScopedCoordSysContext::~ScopedCoordSysContext() { t_coordsys = previous_; }

// Whether setting values plants keys: the script's animate context, else the
// host's Auto Key switch.
#include "host/control.h"
#include "host/script_context.h"

namespace {
bool g_auto_key = false;
}

BOOL Animating() {
  if (MAXScript_animate_context_set()) return MAXScript_animate() ? TRUE : FALSE;
  return g_auto_key ? TRUE : FALSE;
}

void AnimateOn() { g_auto_key = true; }
void AnimateOff() { g_auto_key = false; }

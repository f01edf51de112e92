// Number formatting as the listener shows numbers.
#include <cmath>
#include <cstdio>
#include <cstring>

#include "runtime_internal.h"

namespace host {

// About six significant digits; whole numbers keep ".0" (7.0, 0.707107).
// Values smaller than the float's epsilon print as 0.0.
std::string format_float(float f) {
  if (f != 0.0f && std::fabs(f) < 1.192092896e-07f) return "0.0";
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", static_cast<double>(f));
  if (std::isfinite(f) && std::strpbrk(buf, ".e") == nullptr) std::strcat(buf, ".0");
  return buf;
}

// Point components: whole values without ".0" ([10,10,0], [1.5,-0.25,0]).
std::string format_component(float f) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%g", static_cast<double>(f));
  if (std::strcmp(buf, "-0") == 0) return "0";
  return buf;
}

}  // namespace host

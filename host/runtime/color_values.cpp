// Colour arithmetic, the hue/saturation/value view of a colour, and the
// predefined colour and axis globals.
#include <algorithm>
#include <cmath>

#include "geometry_internal.h"

using namespace host::geometry;

namespace {

// Channels work on the stored 0..1 values; a number is taken in the 0..255
// units scripts see and acts on every channel, alpha included.
AColor color_operand(Value* v) {
  if (is_number(v)) {
    float f = v->to_float() / 255.0f;
    return AColor(f, f, f, f);
  }
  return v->to_acolor();
}

AColor channels(const AColor& a, const AColor& b, float (*op)(float, float)) {
  return AColor(op(a.r, b.r), op(a.g, b.g), op(a.b, b.b), op(a.a, b.a));
}

float add(float a, float b) { return a + b; }
float subtract(float a, float b) { return a - b; }
float multiply(float a, float b) { return a * b; }

float checked_divide(float a, float b) {
  if (b == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
  return a / b;
}

struct Hsv {
  float h, s, v;  // each 0..255
};

Hsv to_hsv(const AColor& c) {
  float r = c.r * 255.0f, g = c.g * 255.0f, b = c.b * 255.0f;
  float high = std::max({r, g, b}), low = std::min({r, g, b}), delta = high - low;
  Hsv out{0, 0, high};
  if (high <= 0.0f || delta <= 0.0f) return out;
  out.s = delta / high * 255.0f;
  float sector;  // hue in sixths of the circle
  if (r == high)
    sector = (g - b) / delta;
  else if (g == high)
    sector = 2.0f + (b - r) / delta;
  else
    sector = 4.0f + (r - g) / delta;
  if (sector < 0) sector += 6.0f;
  out.h = sector / 6.0f * 255.0f;
  return out;
}

AColor from_hsv(const Hsv& hsv, float alpha) {
  float v = hsv.v / 255.0f, s = std::clamp(hsv.s / 255.0f, 0.0f, 1.0f);
  float sector = std::fmod(hsv.h / 255.0f * 6.0f, 6.0f);
  if (sector < 0) sector += 6.0f;
  int i = static_cast<int>(sector);
  float f = sector - static_cast<float>(i);
  float p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  switch (i) {
    case 0:
      return AColor(v, t, p, alpha);
    case 1:
      return AColor(q, v, p, alpha);
    case 2:
      return AColor(p, v, t, alpha);
    case 3:
      return AColor(p, q, v, alpha);
    case 4:
      return AColor(t, p, v, alpha);
    default:
      return AColor(v, p, q, alpha);
  }
}

float& hsv_field(Hsv& hsv, int i) { return i == 0 ? hsv.h : (i == 1 ? hsv.s : hsv.v); }

// The predefined globals make a new value on every read, so changing one
// read (red.g = 5) leaves the global as it was.
template <int R, int G, int B>
Value* named_color() {
  return new ColorValue(AColor(R / 255.0f, G / 255.0f, B / 255.0f));
}
template <int X, int Y, int Z>
Value* axis_point() {
  return new Point3Value(X, Y, Z);
}
Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

struct PredefinedGlobals {
  PredefinedGlobals() {
    define_system_global("red", named_color<255, 0, 0>, read_only);
    define_system_global("green", named_color<0, 255, 0>, read_only);
    define_system_global("blue", named_color<0, 0, 255>, read_only);
    define_system_global("white", named_color<255, 255, 255>, read_only);
    define_system_global("black", named_color<0, 0, 0>, read_only);
    define_system_global("orange", named_color<255, 128, 0>, read_only);
    define_system_global("yellow", named_color<255, 255, 0>, read_only);
    define_system_global("brown", named_color<128, 64, 0>, read_only);
    define_system_global("gray", named_color<128, 128, 128>, read_only);
    define_system_global("x_axis", axis_point<1, 0, 0>, read_only);
    define_system_global("y_axis", axis_point<0, 1, 0>, read_only);
    define_system_global("z_axis", axis_point<0, 0, 1>, read_only);
  }
} predefined_globals;

}  // namespace

Value* ColorValue::plus_vf(Value** a, int) {
  return new ColorValue(channels(color, color_operand(a[0]), add));
}
Value* ColorValue::minus_vf(Value** a, int) {
  return new ColorValue(channels(color, color_operand(a[0]), subtract));
}
Value* ColorValue::times_vf(Value** a, int) {
  if (is_number(a[0])) {
    float f = a[0]->to_float();
    return new ColorValue(AColor(color.r * f, color.g * f, color.b * f, color.a * f));
  }
  return new ColorValue(channels(color, a[0]->to_acolor(), multiply));
}
Value* ColorValue::div_vf(Value** a, int) {
  if (is_number(a[0])) {
    float d = divisor(a[0]);
    return new ColorValue(AColor(color.r / d, color.g / d, color.b / d, color.a / d));
  }
  return new ColorValue(channels(color, a[0]->to_acolor(), checked_divide));
}
Value* ColorValue::uminus_vf(Value**, int) {
  return new ColorValue(AColor(-color.r, -color.g, -color.b, -color.a));
}

namespace host::geometry {

float hsv_component(const AColor& c, int i) {
  Hsv hsv = to_hsv(c);
  return hsv_field(hsv, i);
}

void set_hsv_component(AColor& c, int i, float value) {
  Hsv hsv = to_hsv(c);
  hsv_field(hsv, i) = value;
  c = from_hsv(hsv, c.a);
}

}  // namespace host::geometry

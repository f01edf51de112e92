// Point3, Color and BitArray values.
#include <cmath>
#include <string>

#include "runtime_internal.h"

Point3Value::Point3Value(const Point3& point) : p(point) { tag = &Point3Value_class; }
Point3Value::Point3Value(float x, float y, float z) : p(x, y, z) { tag = &Point3Value_class; }

void Point3Value::sprin1(CharStream* s) {
  s->printf("[%s,%s,%s]", host::format_component(p.x).c_str(), host::format_component(p.y).c_str(),
            host::format_component(p.z).c_str());
}

static bool is_point(Value* v) { return v->tag == &Point3Value_class; }

Value* Point3Value::plus_vf(Value** a, int) { return new Point3Value(p + a[0]->to_point3()); }
Value* Point3Value::minus_vf(Value** a, int) { return new Point3Value(p - a[0]->to_point3()); }
Value* Point3Value::times_vf(Value** a, int) {
  if (is_point(a[0])) {
    Point3 q = a[0]->to_point3();
    return new Point3Value(p.x * q.x, p.y * q.y, p.z * q.z);
  }
  return new Point3Value(p * a[0]->to_float());
}
Value* Point3Value::div_vf(Value** a, int) {
  float d = a[0]->to_float();
  if (d == 0.0f) throw RuntimeError("Divide by zero");
  return new Point3Value(p / d);
}
Value* Point3Value::uminus_vf(Value**, int) { return new Point3Value(-p); }
Value* Point3Value::eq_vf(Value** a, int) { return bool_result(is_point(a[0]) && a[0]->to_point3() == p); }
Value* Point3Value::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
Value* Point3Value::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  int i = a[0]->to_int();
  if (i < 1 || i > 3) throw RuntimeError("Point3 index out of range: ", a[0]);
  return new Float(p[i - 1]);
}

ColorValue::ColorValue(const AColor& c) : color(c) { tag = &ColorValue_class; }
ColorValue* ColorValue::intern(const AColor& c) { return new ColorValue(c); }
ColorValue* ColorValue::intern(float r, float g, float b, float a) { return new ColorValue(AColor(r, g, b, a)); }

void ColorValue::sprin1(CharStream* s) {
  auto c = [](float f) { return host::format_component(f * 255.0f); };
  s->printf("(color %s %s %s", c(color.r).c_str(), c(color.g).c_str(), c(color.b).c_str());
  if (color.a * 255.0f != 255.0f) s->printf(" %s", c(color.a).c_str());
  s->puts(")");
}

Point3 ColorValue::to_point3() { return Point3(color.r * 255.0f, color.g * 255.0f, color.b * 255.0f); }

Value* ColorValue::eq_vf(Value** a, int) {
  if (a[0]->tag != &ColorValue_class) return &false_value;
  AColor o = a[0]->to_acolor();
  return bool_result(o.r == color.r && o.g == color.g && o.b == color.b && o.a == color.a);
}
Value* ColorValue::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

BitArrayValue::BitArrayValue() { tag = &BitArrayValue_class; }
BitArrayValue::BitArrayValue(const BitArray& b) : bits(b) { tag = &BitArrayValue_class; }

// #{1..3, 5}: runs of three or more set bits print as ranges.
void BitArrayValue::sprin1(CharStream* s) {
  s->puts("#{");
  bool first = true;
  int n = bits.GetSize();
  for (int i = 0; i < n;) {
    if (!bits[i]) {
      ++i;
      continue;
    }
    int j = i;
    while (j + 1 < n && bits[j + 1]) ++j;
    if (!first) s->puts(", ");
    first = false;
    if (j - i >= 2) {
      s->printf("%d..%d", i + 1, j + 1);
    } else {
      s->printf("%d", i + 1);
      if (j > i) s->printf(", %d", j + 1);
    }
    i = j + 1;
  }
  s->puts("}");
}

Value* BitArrayValue::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  int i = a[0]->to_int();
  if (i < 1) throw RuntimeError("BitArray index must be positive number, got: ", a[0]);
  return bool_result(bits[i - 1]);
}

Value* BitArrayValue::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  int i = a[0]->to_int();
  if (i < 1) throw RuntimeError("BitArray index must be positive number, got: ", a[0]);
  bits.Set(i - 1, a[1]->to_bool());
  return a[1];
}

// Point3, Color and BitArray values.
#include <algorithm>
#include <cmath>
#include <string>

#include "collections.h"
#include "geometry_internal.h"

using namespace host::geometry;

Point3Value::Point3Value(const Point3& point) : p(point) { tag = &Point3Value_class; }
Point3Value::Point3Value(float x, float y, float z) : p(x, y, z) { tag = &Point3Value_class; }

void Point3Value::sprin1(CharStream* s) {
  s->printf("[%s,%s,%s]", host::format_component(p.x).c_str(), host::format_component(p.y).c_str(),
            host::format_component(p.z).c_str());
}

static bool is_point(Value* v) { return v->tag == &Point3Value_class; }

// A number stands for a point with that number in every component.
static Point3 point_operand(Value* v) {
  if (is_number(v)) {
    float f = v->to_float();
    return Point3(f, f, f);
  }
  return v->to_point3();
}

Value* Point3Value::plus_vf(Value** a, int) { return new Point3Value(p + point_operand(a[0])); }
Value* Point3Value::minus_vf(Value** a, int) { return new Point3Value(p - point_operand(a[0])); }
Value* Point3Value::times_vf(Value** a, int) {
  if (a[0]->tag == &Matrix3Value_class) return new Point3Value(p * static_cast<Matrix3Value*>(a[0])->m);
  if (a[0]->tag == &QuatValue_class)
    return new Point3Value(p * QuatToMatrix(static_cast<QuatValue*>(a[0])->q));
  Point3 q = point_operand(a[0]);
  return new Point3Value(p.x * q.x, p.y * q.y, p.z * q.z);
}
Value* Point3Value::div_vf(Value** a, int) {
  if (is_number(a[0])) return new Point3Value(p / divisor(a[0]));
  Point3 q = a[0]->to_point3();
  if (q.x == 0.0f || q.y == 0.0f || q.z == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
  return new Point3Value(p.x / q.x, p.y / q.y, p.z / q.z);
}
Value* Point3Value::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  p[component_index(a[0], 3, tag) - 1] = a[1]->to_float();
  return a[1];
}
AColor Point3Value::to_acolor() { return AColor(p.x / 255.0f, p.y / 255.0f, p.z / 255.0f); }
Value* Point3Value::uminus_vf(Value**, int) { return new Point3Value(-p); }
Value* Point3Value::eq_vf(Value** a, int) { return bool_result(is_point(a[0]) && a[0]->to_point3() == p); }
Value* Point3Value::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
Value* Point3Value::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return new Float(p[component_index(a[0], 3, tag) - 1]);
}

ColorValue::ColorValue(const AColor& c) : color(c) { tag = &ColorValue_class; }
ColorValue* ColorValue::intern(const AColor& c) { return new ColorValue(c); }
ColorValue* ColorValue::intern(float r, float g, float b, float a) {
  return new ColorValue(AColor(r, g, b, a));
}

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

namespace {

// The other operand of a bit array operator: a bit array, or an array of indexes.
BitArray operand_bits(Value* v) {
  if (auto* b = dynamic_cast<BitArrayValue*>(v)) return b->bits;
  auto* a = dynamic_cast<Array*>(v);
  if (a == nullptr) throw ConversionError(v, "BitArray");
  BitArray bits;
  for (int i = 0; i < a->size; ++i)
    bits.Set(host::checked_index(a->data[i], "BitArray", host::kMaxBitArraySize) - 1);
  return bits;
}

// Bit by bit over the larger of the two sizes.
template <typename Op>
Value* combine(const BitArray& x, Value* other, Op op) {
  BitArray y = operand_bits(other);
  int n = std::max(x.GetSize(), y.GetSize());
  BitArray result(n);
  for (int i = 0; i < n; ++i)
    if (op(x[i], y[i])) result.Set(i);
  return new BitArrayValue(result);
}

}  // namespace

Value* BitArrayValue::plus_vf(Value** a, int) {
  return combine(bits, a[0], [](bool x, bool y) { return x || y; });
}
Value* BitArrayValue::times_vf(Value** a, int) {
  return combine(bits, a[0], [](bool x, bool y) { return x && y; });
}
Value* BitArrayValue::minus_vf(Value** a, int) {
  return combine(bits, a[0], [](bool x, bool y) { return x && !y; });
}

// -b: every bit below b.count flipped.
Value* BitArrayValue::uminus_vf(Value**, int) {
  BitArray result(bits.GetSize());
  for (int i = 0; i < bits.GetSize(); ++i)
    if (!bits[i]) result.Set(i);
  return new BitArrayValue(result);
}

// Equal when the same bits are set, whatever the sizes.
Value* BitArrayValue::eq_vf(Value** a, int) {
  auto* other = dynamic_cast<BitArrayValue*>(a[0]);
  if (other == nullptr) return &false_value;
  int n = std::max(bits.GetSize(), other->bits.GetSize());
  for (int i = 0; i < n; ++i)
    if (bits[i] != other->bits[i]) return &false_value;
  return &true_value;
}
Value* BitArrayValue::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

Value* BitArrayValue::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  int i = check_index(a[0], "BitArray");
  return bool_result(bits[i - 1]);
}

Value* BitArrayValue::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  int i = host::checked_index(a[0], "BitArray", host::kMaxBitArraySize);
  bool on = a[1]->to_bool();
  bits.Set(i - 1, on);
  return a[1];
}

Array* host::set_bits_as_array(const BitArray& bits) {
  OneValueLocal out(new Array(bits.NumberSet()));
  auto* a = static_cast<Array*>(out.value);
  for (int i = 0; i < bits.GetSize(); ++i)
    if (bits[i]) a->append(Integer::intern(i + 1));
  return a;
}

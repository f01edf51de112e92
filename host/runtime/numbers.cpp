// Integer and Float: 32-bit signed integers that wrap like the host's, and
// single-precision floats.
#include <cmath>
#include <cstdint>
#include <limits>

#include "runtime_internal.h"

namespace {

bool is_integer(Value* v) { return v->tag == &Integer_class; }
bool is_float(Value* v) { return v->tag == &Float_class; }

int wrap(std::int64_t v) { return static_cast<int>(static_cast<std::uint32_t>(v)); }

int int_power(int base, int exponent) {
  std::uint32_t result = 1, b = static_cast<std::uint32_t>(base);
  while (exponent > 0) {
    if (exponent & 1) result *= b;
    b *= b;
    exponent >>= 1;
  }
  return static_cast<int>(result);
}

constexpr int kSmallMin = -256, kSmallMax = 1024;

}  // namespace

Integer::Integer(int v) : value(v) { tag = &Integer_class; }

Integer* Integer::intern(int v) {
  static Integer* small[kSmallMax - kSmallMin + 1] = {};
  if (v < kSmallMin || v > kSmallMax) return new Integer(v);
  Integer*& shared = small[v - kSmallMin];
  if (shared == nullptr) shared = static_cast<Integer*>(make_static(new Integer(v)));
  return shared;
}

void Integer::sprin1(CharStream* s) { s->printf("%d", value); }
TimeValue Integer::to_timevalue() { return static_cast<TimeValue>(value * GetTicksPerFrame()); }

Value* Integer::plus_vf(Value** a, int) {
  if (is_integer(a[0])) return Integer::intern(wrap(std::int64_t{value} + static_cast<Integer*>(a[0])->value));
  return new Float(static_cast<float>(value) + a[0]->to_float());
}
Value* Integer::minus_vf(Value** a, int) {
  if (is_integer(a[0])) return Integer::intern(wrap(std::int64_t{value} - static_cast<Integer*>(a[0])->value));
  return new Float(static_cast<float>(value) - a[0]->to_float());
}
Value* Integer::times_vf(Value** a, int) {
  if (is_integer(a[0])) return Integer::intern(wrap(std::int64_t{value} * static_cast<Integer*>(a[0])->value));
  return new Float(static_cast<float>(value) * a[0]->to_float());
}
Value* Integer::div_vf(Value** a, int) {
  if (is_integer(a[0])) {
    int d = static_cast<Integer*>(a[0])->value;
    if (d == 0) throw RuntimeError(host::msg::kIntegerDivideByZero);
    if (d == -1) return Integer::intern(wrap(-std::int64_t{value}));
    return Integer::intern(value / d);
  }
  float d = a[0]->to_float();
  if (d == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
  return new Float(static_cast<float>(value) / d);
}
Value* Integer::pow_vf(Value** a, int) {
  if (is_integer(a[0]) && static_cast<Integer*>(a[0])->value >= 0)
    return Integer::intern(int_power(value, static_cast<Integer*>(a[0])->value));
  return new Float(std::pow(static_cast<float>(value), a[0]->to_float()));
}
Value* Integer::uminus_vf(Value**, int) { return Integer::intern(wrap(-std::int64_t{value})); }

#define INT_COMPARE(method, op)                                                          \
  Value* Integer::method(Value** a, int) {                                               \
    if (is_integer(a[0])) return bool_result(value op static_cast<Integer*>(a[0])->value); \
    return bool_result(static_cast<float>(value) op a[0]->to_float());                   \
  }
INT_COMPARE(lt_vf, <)
INT_COMPARE(gt_vf, >)
INT_COMPARE(le_vf, <=)
INT_COMPARE(ge_vf, >=)
#undef INT_COMPARE

Value* Integer::eq_vf(Value** a, int) {
  if (is_integer(a[0])) return bool_result(value == static_cast<Integer*>(a[0])->value);
  if (is_float(a[0])) return bool_result(static_cast<float>(value) == static_cast<Float*>(a[0])->value);
  return &false_value;
}
Value* Integer::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

Float::Float(float v) : value(v) { tag = &Float_class; }

void Float::sprin1(CharStream* s) { s->puts(host::format_float(value).c_str()); }

// Truncates toward zero; values beyond the integer range saturate.
int Float::to_int() {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0f) return std::numeric_limits<int>::max();
  if (value <= -2147483648.0f) return std::numeric_limits<int>::min();
  return static_cast<int>(value);
}
TimeValue Float::to_timevalue() { return static_cast<TimeValue>(std::lround(value * GetTicksPerFrame())); }

Value* Float::plus_vf(Value** a, int) { return new Float(value + a[0]->to_float()); }
Value* Float::minus_vf(Value** a, int) { return new Float(value - a[0]->to_float()); }
Value* Float::times_vf(Value** a, int) { return new Float(value * a[0]->to_float()); }
Value* Float::div_vf(Value** a, int) {
  float d = a[0]->to_float();
  if (d == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
  return new Float(value / d);
}
Value* Float::pow_vf(Value** a, int) { return new Float(std::pow(value, a[0]->to_float())); }
Value* Float::uminus_vf(Value**, int) { return new Float(-value); }

#define FLOAT_COMPARE(method, op) \
  Value* Float::method(Value** a, int) { return bool_result(value op a[0]->to_float()); }
FLOAT_COMPARE(lt_vf, <)
FLOAT_COMPARE(gt_vf, >)
FLOAT_COMPARE(le_vf, <=)
FLOAT_COMPARE(ge_vf, >=)
#undef FLOAT_COMPARE

Value* Float::eq_vf(Value** a, int) {
  if (is_integer(a[0]) || is_float(a[0])) return bool_result(value == a[0]->to_float());
  return &false_value;
}
Value* Float::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

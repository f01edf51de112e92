// Integer and Float: 32-bit signed integers that wrap like the host's, and
// single-precision floats. Mixed arithmetic lives in number_ops.cpp.
#include <cmath>
#include <cstdint>
#include <new>

#include "leaf_slab.h"
#include "number_ops.h"

using host::ArithOp;
using host::wrap32;

namespace {

bool is_integer(Value* v) { return v->tag == &Integer_class; }
bool is_float(Value* v) { return v->tag == &Float_class; }

// Small integers are shared values kept in static storage, made on first
// use: the collector never sees them, and arithmetic on loop counters,
// indexes and colour components makes no garbage.
constexpr int kSmallMin = -1024, kSmallMax = 65535;
constexpr int kSmallCount = kSmallMax - kSmallMin + 1;

struct SmallIntegers {
  alignas(Integer) unsigned char storage[kSmallCount][sizeof(Integer)];
  bool made[kSmallCount];
};
SmallIntegers g_small;

}  // namespace

Integer::Integer(int v) : value(v) { tag = &Integer_class; }

Integer::Integer(int v, MadeAsLeaf leaf) : Value(leaf), value(v) { tag = &Integer_class; }

Integer* Integer::intern(int v) {
  if (v < kSmallMin || v > kSmallMax) [[unlikely]] {
    static_assert(sizeof(Integer) <= host::LeafSlab::kSlotSize);
    if (void* slot = host::take_leaf_slot()) return ::new (slot) Integer(v, kMadeAsLeaf);
    return new Integer(v);
  }
  int i = v - kSmallMin;
  void* slot = g_small.storage[i];
  if (!g_small.made[i]) {
    ::new (slot) Integer(v);  // placement: not a collector value
    g_small.made[i] = true;
  }
  return std::launder(static_cast<Integer*>(slot));
}

void Integer::sprin1(CharStream* s) { s->printf("%d", value); }
TimeValue Integer::to_timevalue() { return host::ticks_from_frames(std::int64_t{value}); }

Value* Integer::plus_vf(Value** a, int) {
  if (is_integer(a[0]))
    return Integer::intern(wrap32(std::int64_t{value} + static_cast<Integer*>(a[0])->value));
  return host::mixed_arith(ArithOp::Plus, this, a[0]);
}
Value* Integer::minus_vf(Value** a, int) {
  if (is_integer(a[0]))
    return Integer::intern(wrap32(std::int64_t{value} - static_cast<Integer*>(a[0])->value));
  return host::mixed_arith(ArithOp::Minus, this, a[0]);
}
Value* Integer::times_vf(Value** a, int) {
  if (is_integer(a[0]))
    return Integer::intern(wrap32(std::int64_t{value} * static_cast<Integer*>(a[0])->value));
  return host::mixed_arith(ArithOp::Times, this, a[0]);
}
Value* Integer::div_vf(Value** a, int) { return host::mixed_arith(ArithOp::Div, this, a[0]); }
Value* Integer::pow_vf(Value** a, int) { return host::mixed_arith(ArithOp::Pow, this, a[0]); }
Value* Integer::uminus_vf(Value**, int) { return Integer::intern(wrap32(-std::int64_t{value})); }

#define INT_COMPARE(method, op)                                                            \
  Value* Integer::method(Value** a, int) {                                                 \
    if (is_integer(a[0])) return bool_result(value op static_cast<Integer*>(a[0])->value); \
    int c = host::mixed_compare(this, a[0]);                                               \
    return bool_result(c != 2 && c op 0);                                                  \
  }
INT_COMPARE(lt_vf, <)
INT_COMPARE(gt_vf, >)
INT_COMPARE(le_vf, <=)
INT_COMPARE(ge_vf, >=)
#undef INT_COMPARE

Value* Integer::eq_vf(Value** a, int) {
  if (is_integer(a[0])) return bool_result(value == static_cast<Integer*>(a[0])->value);
  return bool_result(host::mixed_equal(this, a[0]));
}
Value* Integer::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

Float::Float(float v) : value(v) { tag = &Float_class; }

void Float::sprin1(CharStream* s) { s->puts(host::format_float(value).c_str()); }

int Float::to_int() { return host::saturate_to_int(value); }
TimeValue Float::to_timevalue() { return host::ticks_from_frames(static_cast<double>(value)); }

Value* Float::plus_vf(Value** a, int) {
  if (is_float(a[0])) return new Float(value + static_cast<Float*>(a[0])->value);
  return host::mixed_arith(ArithOp::Plus, this, a[0]);
}
Value* Float::minus_vf(Value** a, int) {
  if (is_float(a[0])) return new Float(value - static_cast<Float*>(a[0])->value);
  return host::mixed_arith(ArithOp::Minus, this, a[0]);
}
Value* Float::times_vf(Value** a, int) {
  if (is_float(a[0])) return new Float(value * static_cast<Float*>(a[0])->value);
  return host::mixed_arith(ArithOp::Times, this, a[0]);
}
Value* Float::div_vf(Value** a, int) { return host::mixed_arith(ArithOp::Div, this, a[0]); }
Value* Float::pow_vf(Value** a, int) { return host::mixed_arith(ArithOp::Pow, this, a[0]); }
Value* Float::uminus_vf(Value**, int) { return new Float(-value); }

#define FLOAT_COMPARE(method, op)                                                      \
  Value* Float::method(Value** a, int) {                                               \
    if (is_float(a[0])) return bool_result(value op static_cast<Float*>(a[0])->value); \
    int c = host::mixed_compare(this, a[0]);                                           \
    return bool_result(c != 2 && c op 0);                                              \
  }
FLOAT_COMPARE(lt_vf, <)
FLOAT_COMPARE(gt_vf, >)
FLOAT_COMPARE(le_vf, <=)
FLOAT_COMPARE(ge_vf, >=)
#undef FLOAT_COMPARE

Value* Float::eq_vf(Value** a, int) { return bool_result(host::mixed_equal(this, a[0])); }
Value* Float::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

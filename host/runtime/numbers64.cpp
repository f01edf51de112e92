// Integer64 (5L) and Double (1.5d0).
#include "host/numbers64.h"

#include <cmath>

#include "number_ops.h"

using host::ArithOp;

ValueMetaClass Integer64_class("Integer64", &Number_class);
ValueMetaClass Double_class("Double", &Number_class);

namespace {

bool is_integer64(Value* v) { return v->tag == &Integer64_class; }
bool is_double(Value* v) { return v->tag == &Double_class; }

}  // namespace

Integer64::Integer64(std::int64_t v) : value(v) { tag = &Integer64_class; }

void Integer64::sprin1(CharStream* s) { s->printf("%lldL", static_cast<long long>(value)); }
// The low 32 bits, as the host narrows a 64-bit integer.
int Integer64::to_int() { return host::wrap32(value); }
TimeValue Integer64::to_timevalue() { return host::ticks_from_frames(value); }

Value* Integer64::plus_vf(Value** a, int) { return host::mixed_arith(ArithOp::Plus, this, a[0]); }
Value* Integer64::minus_vf(Value** a, int) { return host::mixed_arith(ArithOp::Minus, this, a[0]); }
Value* Integer64::times_vf(Value** a, int) { return host::mixed_arith(ArithOp::Times, this, a[0]); }
Value* Integer64::div_vf(Value** a, int) { return host::mixed_arith(ArithOp::Div, this, a[0]); }
Value* Integer64::pow_vf(Value** a, int) { return host::mixed_arith(ArithOp::Pow, this, a[0]); }
Value* Integer64::uminus_vf(Value**, int) {
  return new Integer64(host::wrap64(std::uint64_t{0} - static_cast<std::uint64_t>(value)));
}

Double::Double(double v) : value(v) { tag = &Double_class; }

void Double::sprin1(CharStream* s) { s->puts(host::format_double(value).c_str()); }
int Double::to_int() { return host::saturate_to_int(value); }
TimeValue Double::to_timevalue() { return host::ticks_from_frames(value); }

Value* Double::plus_vf(Value** a, int) {
  if (is_double(a[0])) return new Double(value + static_cast<Double*>(a[0])->value);
  return host::mixed_arith(ArithOp::Plus, this, a[0]);
}
Value* Double::minus_vf(Value** a, int) {
  if (is_double(a[0])) return new Double(value - static_cast<Double*>(a[0])->value);
  return host::mixed_arith(ArithOp::Minus, this, a[0]);
}
Value* Double::times_vf(Value** a, int) {
  if (is_double(a[0])) return new Double(value * static_cast<Double*>(a[0])->value);
  return host::mixed_arith(ArithOp::Times, this, a[0]);
}
Value* Double::div_vf(Value** a, int) { return host::mixed_arith(ArithOp::Div, this, a[0]); }
Value* Double::pow_vf(Value** a, int) { return host::mixed_arith(ArithOp::Pow, this, a[0]); }
Value* Double::uminus_vf(Value**, int) { return new Double(-value); }

#define WIDE_COMPARE(cls, method, op)        \
  Value* cls::method(Value** a, int) {       \
    int c = host::mixed_compare(this, a[0]); \
    return bool_result(c != 2 && c op 0);    \
  }
WIDE_COMPARE(Integer64, lt_vf, <)
WIDE_COMPARE(Integer64, gt_vf, >)
WIDE_COMPARE(Integer64, le_vf, <=)
WIDE_COMPARE(Integer64, ge_vf, >=)
WIDE_COMPARE(Double, lt_vf, <)
WIDE_COMPARE(Double, gt_vf, >)
WIDE_COMPARE(Double, le_vf, <=)
WIDE_COMPARE(Double, ge_vf, >=)
#undef WIDE_COMPARE

Value* Integer64::eq_vf(Value** a, int) {
  if (is_integer64(a[0])) return bool_result(value == static_cast<Integer64*>(a[0])->value);
  return bool_result(host::mixed_equal(this, a[0]));
}
Value* Integer64::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
Value* Double::eq_vf(Value** a, int) { return bool_result(host::mixed_equal(this, a[0])); }
Value* Double::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

// Arithmetic between numbers of different classes, the conversions behind
// it, and the checked conversion of frame counts to time values.
#include "number_ops.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>

#include "host/messages.h"
#include "host/numbers64.h"

namespace host {

namespace {

template <typename T>
T int_power(T base, T exponent) {
  using U = std::make_unsigned_t<T>;
  U result = 1, b = static_cast<U>(base);
  while (exponent > 0) {
    if (exponent & 1) result *= b;
    b *= b;
    exponent >>= 1;
  }
  return static_cast<T>(result);
}

// Integer arithmetic of one width, wrapping on overflow. A negative power
// is rounded to the nearest integer.
template <typename T>
T integer_arith(ArithOp op, T a, T b) {
  using U = std::make_unsigned_t<T>;
  switch (op) {
    case ArithOp::Plus:
      return static_cast<T>(static_cast<U>(a) + static_cast<U>(b));
    case ArithOp::Minus:
      return static_cast<T>(static_cast<U>(a) - static_cast<U>(b));
    case ArithOp::Times:
      return static_cast<T>(static_cast<U>(a) * static_cast<U>(b));
    case ArithOp::Div:
      if (b == 0) throw RuntimeError(msg::kIntegerDivideByZero);
      if (b == -1) return static_cast<T>(U{0} - static_cast<U>(a));
      return a / b;
    case ArithOp::Pow:
      if (b >= 0) return int_power(a, b);
      if (a == 0) throw RuntimeError(msg::kIntegerDivideByZero);
      return static_cast<T>(std::lround(std::pow(static_cast<double>(a), static_cast<double>(b))));
  }
  return 0;
}

template <typename T>
T float_arith(ArithOp op, T a, T b) {
  switch (op) {
    case ArithOp::Plus:
      return a + b;
    case ArithOp::Minus:
      return a - b;
    case ArithOp::Times:
      return a * b;
    case ArithOp::Div:
      if (b == 0) throw RuntimeError(msg::kDivideByZero);
      return a / b;
    case ArithOp::Pow:
      return std::pow(a, b);
  }
  return 0;
}

float number_to_float(Value* v) {
  switch (number_kind(v)) {
    case NumberKind::Integer:
      return static_cast<float>(static_cast<Integer*>(v)->value);
    case NumberKind::Integer64:
      return static_cast<float>(static_cast<Integer64*>(v)->value);
    case NumberKind::Float:
      return static_cast<Float*>(v)->value;
    case NumberKind::Double:
      return static_cast<float>(static_cast<Double*>(v)->value);
    case NumberKind::None:
      break;
  }
  return v->to_float();
}

double frames_of(Value* time) {
  return static_cast<double>(static_cast<MSTime*>(time)->time) / GetTicksPerFrame();
}

// number op time: the number counts frames.
Value* time_arith(ArithOp op, Value* a, Value* time) {
  TimeValue t = static_cast<MSTime*>(time)->time;
  switch (op) {
    case ArithOp::Plus:
      return new MSTime(checked_ticks(std::int64_t{a->to_timevalue()} + t));
    case ArithOp::Minus:
      return new MSTime(checked_ticks(std::int64_t{a->to_timevalue()} - t));
    case ArithOp::Times:
      return new MSTime(checked_ticks(std::round(number_to_double(a) * t)));
    case ArithOp::Div:
      return new Float(static_cast<float>(float_arith(op, number_to_double(a), frames_of(time))));
    case ArithOp::Pow:
      return new Float(static_cast<float>(std::pow(number_to_double(a), frames_of(time))));
  }
  return &undefined;
}

[[noreturn]] void time_out_of_range(double ticks) {
  char text[64];
  std::snprintf(text, sizeof text, "%gf", ticks / GetTicksPerFrame());
  throw RuntimeError(msg::kTimeOutOfRange, text);
}

}  // namespace

NumberKind number_kind(Value* v) {
  ValueMetaClass* c = v->tag;
  if (c == &Integer_class) return NumberKind::Integer;
  if (c == &Float_class) return NumberKind::Float;
  if (c == &Integer64_class) return NumberKind::Integer64;
  if (c == &Double_class) return NumberKind::Double;
  return NumberKind::None;
}

Value* mixed_arith(ArithOp op, Value* a, Value* b) {
  if (b->tag == &MSTime_class) return time_arith(op, a, b);
  NumberKind kind = std::max(number_kind(a), number_kind(b));
  if (number_kind(b) == NumberKind::None) kind = std::max(kind, NumberKind::Float);  // b->to_float() decides
  switch (kind) {
    case NumberKind::Integer:
      return Integer::intern(
          integer_arith(op, static_cast<Integer*>(a)->value, static_cast<Integer*>(b)->value));
    case NumberKind::Integer64:
      return new Integer64(integer_arith(op, number_to_int64(a), number_to_int64(b)));
    case NumberKind::Float:
      return new Float(float_arith(op, number_to_float(a), number_to_float(b)));
    case NumberKind::Double:
      return new Double(float_arith(op, number_to_double(a), number_to_double(b)));
    case NumberKind::None:
      break;
  }
  return &undefined;
}

int mixed_compare(Value* a, Value* b) {
  NumberKind ka = number_kind(a), kb = number_kind(b);
  if (kb == NumberKind::Integer || kb == NumberKind::Integer64) {
    if (ka == NumberKind::Integer || ka == NumberKind::Integer64) {
      std::int64_t x = number_to_int64(a), y = number_to_int64(b);
      return x < y ? -1 : x > y ? 1 : 0;
    }
  }
  double x = number_to_double(a);
  double y = b->tag == &MSTime_class  ? frames_of(b)
             : kb == NumberKind::None ? b->to_float()
                                      : number_to_double(b);
  if (std::isnan(x) || std::isnan(y)) return 2;
  return x < y ? -1 : x > y ? 1 : 0;
}

bool mixed_equal(Value* a, Value* b) {
  return number_kind(b) != NumberKind::None && mixed_compare(a, b) == 0;
}

int saturate_to_int(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 2147483647.0) return std::numeric_limits<int>::max();
  if (v <= -2147483648.0) return std::numeric_limits<int>::min();
  return static_cast<int>(v);
}

std::int64_t saturate_to_int64(double v) {
  if (std::isnan(v)) return 0;
  if (v >= 9223372036854775807.0) return std::numeric_limits<std::int64_t>::max();
  if (v <= -9223372036854775808.0) return std::numeric_limits<std::int64_t>::min();
  return static_cast<std::int64_t>(v);
}

TimeValue checked_ticks(double ticks) {
  if (!(ticks >= -2147483648.0 && ticks <= 2147483647.0)) time_out_of_range(ticks);
  return static_cast<TimeValue>(ticks);
}

TimeValue checked_ticks(std::int64_t ticks) {
  if (ticks < std::numeric_limits<TimeValue>::min() || ticks > std::numeric_limits<TimeValue>::max())
    time_out_of_range(static_cast<double>(ticks));
  return static_cast<TimeValue>(ticks);
}

TimeValue ticks_from_frames(double frames) { return checked_ticks(std::round(frames * GetTicksPerFrame())); }

TimeValue ticks_from_frames(std::int64_t frames) {
  std::int64_t ticks = 0;
  if (__builtin_mul_overflow(frames, std::int64_t{GetTicksPerFrame()}, &ticks))
    time_out_of_range(static_cast<double>(frames) * GetTicksPerFrame());
  return checked_ticks(ticks);
}

// Fifteen significant digits, a decimal point always, and the exponent
// written with d: 1.5d0, 2.0d20, 1.0d-7. Values smaller than the double's
// epsilon print as 0.0d0.
std::string format_double(double d) {
  if (std::isfinite(d) && d != 0.0 && std::fabs(d) < 2.2204460492503131e-16) d = 0.0;
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.15g", d);
  if (!std::isfinite(d)) return buf;
  std::string text = buf;
  std::string exponent = "0";
  if (auto e = text.find('e'); e != std::string::npos) {
    int power = std::atoi(text.c_str() + e + 1);
    exponent = std::to_string(power);
    text.erase(e);
  }
  if (text.find('.') == std::string::npos) text += ".0";
  return text + "d" + exponent;
}

}  // namespace host

bool is_number(Value* v) { return host::number_kind(v) != host::NumberKind::None; }

std::int64_t number_to_int64(Value* v) {
  switch (host::number_kind(v)) {
    case host::NumberKind::Integer:
      return static_cast<Integer*>(v)->value;
    case host::NumberKind::Integer64:
      return static_cast<Integer64*>(v)->value;
    case host::NumberKind::Float:
      return host::saturate_to_int64(static_cast<Float*>(v)->value);
    case host::NumberKind::Double:
      return host::saturate_to_int64(static_cast<Double*>(v)->value);
    case host::NumberKind::None:
      break;
  }
  if (v->tag == &MSTime_class) return static_cast<MSTime*>(v)->time;
  throw ConversionError(v, "Integer64");
}

double number_to_double(Value* v) {
  switch (host::number_kind(v)) {
    case host::NumberKind::Integer:
      return static_cast<Integer*>(v)->value;
    case host::NumberKind::Integer64:
      return static_cast<double>(static_cast<Integer64*>(v)->value);
    case host::NumberKind::Float:
      return static_cast<Float*>(v)->value;
    case host::NumberKind::Double:
      return static_cast<Double*>(v)->value;
    case host::NumberKind::None:
      break;
  }
  if (v->tag == &MSTime_class) return static_cast<MSTime*>(v)->time;
  throw ConversionError(v, "Double");
}

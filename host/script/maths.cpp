// The maths functions: trigonometry in degrees, the transcendental
// functions, rounding, random numbers, and the constants pi and e. Results
// are Floats, or Doubles for a Double argument; abs keeps its argument's
// class.
#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>

#include "../runtime/number_ops.h"

namespace {

using host::NumberKind;

constexpr double kDegree = std::numbers::pi / 180.0;

// A Double for a Double argument, a Float otherwise.
Value* real_result(Value* like, double v) {
  if (like->tag == &Double_class) return new Double(v);
  return new Float(static_cast<float>(v));
}
double real_arg(Value* v) { return v->tag == &Double_class ? static_cast<Double*>(v)->value : v->to_float(); }
bool either_double(Value* a, Value* b) { return a->tag == &Double_class || b->tag == &Double_class; }

template <double (*F)(double)>
Value* unary(const char* name, Value** arg_list, int count) {
  check_arg_count(name, 1, count);
  return real_result(arg_list[0], F(real_arg(arg_list[0])));
}

double sin_deg(double d) { return std::sin(d * kDegree); }
double cos_deg(double d) { return std::cos(d * kDegree); }
double tan_deg(double d) { return std::tan(d * kDegree); }
double asin_deg(double v) { return std::asin(v) / kDegree; }
double acos_deg(double v) { return std::acos(v) / kDegree; }
double atan_deg(double v) { return std::atan(v) / kDegree; }
double sinh_d(double v) { return std::sinh(v); }
double cosh_d(double v) { return std::cosh(v); }
double tanh_d(double v) { return std::tanh(v); }
double exp_d(double v) { return std::exp(v); }
double log_d(double v) { return std::log(v); }
double log10_d(double v) { return std::log10(v); }
double sqrt_d(double v) { return std::sqrt(v); }
double floor_d(double v) { return std::floor(v); }
double ceil_d(double v) { return std::ceil(v); }
double deg_to_rad(double v) { return v * kDegree; }
double rad_to_deg(double v) { return v / kDegree; }

#define UNARY(fn, name, impl) \
  Value* fn(Value** arg_list, int count) { return unary<impl>(name, arg_list, count); }
UNARY(sin_cf, "sin", sin_deg)
UNARY(cos_cf, "cos", cos_deg)
UNARY(tan_cf, "tan", tan_deg)
UNARY(asin_cf, "asin", asin_deg)
UNARY(acos_cf, "acos", acos_deg)
UNARY(atan_cf, "atan", atan_deg)
UNARY(sinh_cf, "sinh", sinh_d)
UNARY(cosh_cf, "cosh", cosh_d)
UNARY(tanh_cf, "tanh", tanh_d)
UNARY(exp_cf, "exp", exp_d)
UNARY(log_cf, "log", log_d)
UNARY(log10_cf, "log10", log10_d)
UNARY(sqrt_cf, "sqrt", sqrt_d)
UNARY(floor_cf, "floor", floor_d)
UNARY(ceil_cf, "ceil", ceil_d)
UNARY(deg_to_rad_cf, "degToRad", deg_to_rad)
UNARY(rad_to_deg_cf, "radToDeg", rad_to_deg)
#undef UNARY

Value* atan2_cf(Value** arg_list, int count) {
  check_arg_count("atan2", 2, count);
  double v = std::atan2(real_arg(arg_list[0]), real_arg(arg_list[1])) / kDegree;
  return either_double(arg_list[0], arg_list[1]) ? static_cast<Value*>(new Double(v))
                                                 : new Float(static_cast<float>(v));
}

Value* pow_cf(Value** arg_list, int count) {
  check_arg_count("pow", 2, count);
  double v = std::pow(real_arg(arg_list[0]), real_arg(arg_list[1]));
  return either_double(arg_list[0], arg_list[1]) ? static_cast<Value*>(new Double(v))
                                                 : new Float(static_cast<float>(v));
}

Value* abs_cf(Value** arg_list, int count) {
  check_arg_count("abs", 1, count);
  Value* v = arg_list[0];
  switch (host::number_kind(v)) {
    case NumberKind::Integer: {
      int i = static_cast<Integer*>(v)->value;
      return i < 0 ? Integer::intern(host::wrap32(-std::int64_t{i})) : v;
    }
    case NumberKind::Integer64: {
      std::int64_t i = static_cast<Integer64*>(v)->value;
      return i < 0 ? new Integer64(host::wrap64(std::uint64_t{0} - static_cast<std::uint64_t>(i))) : v;
    }
    case NumberKind::Double:
      return new Double(std::fabs(static_cast<Double*>(v)->value));
    default:
      return new Float(std::fabs(v->to_float()));
  }
}

// The remainder of number1 / number2, always a Float (a Double with a
// Double argument); integers divide exactly however large they are.
Value* mod_cf(Value** arg_list, int count) {
  check_arg_count("mod", 2, count);
  Value *a = arg_list[0], *b = arg_list[1];
  NumberKind ka = host::number_kind(a), kb = host::number_kind(b);
  bool integral = (ka == NumberKind::Integer || ka == NumberKind::Integer64) &&
                  (kb == NumberKind::Integer || kb == NumberKind::Integer64);
  double r = 0;
  if (integral) {
    std::int64_t x = number_to_int64(a), y = number_to_int64(b);
    if (y == 0) throw RuntimeError(host::msg::kDivideByZero);
    r = y == -1 ? 0.0 : static_cast<double>(x % y);
  } else {
    double y = real_arg(b);
    if (y == 0) throw RuntimeError(host::msg::kDivideByZero);
    r = std::fmod(real_arg(a), y);
  }
  return either_double(a, b) ? static_cast<Value*>(new Double(r)) : new Float(static_cast<float>(r));
}

// True when the two differ by less than `rounds` float steps relative to
// their size.
Value* close_enough_cf(Value** arg_list, int count) {
  check_arg_count("close_enough", 3, count);
  double a = arg_list[0]->to_float(), b = arg_list[1]->to_float();
  int rounds = arg_list[2]->to_int();
  if (a == b) return &true_value;
  double relative = 2.0 * std::fabs(a - b) / (std::fabs(a) + std::fabs(b));
  return bool_result(relative < rounds * static_cast<double>(std::numeric_limits<float>::epsilon()));
}

std::mt19937_64& generator() {
  static std::mt19937_64 g(std::random_device{}());
  return g;
}

double random_between(double lo, double hi) {
  return lo + (hi - lo) * std::uniform_real_distribution<double>(0.0, 1.0)(generator());
}
std::int64_t random_between(std::int64_t lo, std::int64_t hi) {
  if (lo > hi) std::swap(lo, hi);
  return std::uniform_int_distribution<std::int64_t>(lo, hi)(generator());
}

// random a b: between a and b inclusive, of a's class; points and colours
// take each component between the two.
Value* random_cf(Value** arg_list, int count) {
  check_arg_count("random", 2, count);
  Value *a = arg_list[0], *b = arg_list[1];
  switch (host::number_kind(a)) {
    case NumberKind::Integer:
      return Integer::intern(
          static_cast<int>(random_between(std::int64_t{a->to_int()}, std::int64_t{b->to_int()})));
    case NumberKind::Integer64:
      return new Integer64(random_between(number_to_int64(a), number_to_int64(b)));
    case NumberKind::Float:
      return new Float(static_cast<float>(random_between(double{a->to_float()}, double{b->to_float()})));
    case NumberKind::Double:
      return new Double(random_between(number_to_double(a), number_to_double(b)));
    case NumberKind::None:
      break;
  }
  if (a->tag == &Point3Value_class) {
    Point3 p = a->to_point3(), q = b->to_point3();
    return new Point3Value(static_cast<float>(random_between(double{p.x}, double{q.x})),
                           static_cast<float>(random_between(double{p.y}, double{q.y})),
                           static_cast<float>(random_between(double{p.z}, double{q.z})));
  }
  if (a->tag == &ColorValue_class) {
    AColor p = a->to_acolor(), q = b->to_acolor();
    auto channel = [](float x, float y) {
      return static_cast<float>(
                 random_between(std::int64_t{std::lround(x * 255)}, std::int64_t{std::lround(y * 255)})) /
             255.0f;
    };
    return new ColorValue(AColor(channel(p.r, q.r), channel(p.g, q.g), channel(p.b, q.b), channel(p.a, q.a)));
  }
  if (a->tag == &MSTime_class)
    return new MSTime(static_cast<TimeValue>(
        random_between(std::int64_t{a->to_timevalue()}, std::int64_t{b->to_timevalue()})));
  throw NoMethodError("random", a);
}

Value* seed_cf(Value** arg_list, int count) {
  check_arg_count("seed", 1, count);
  generator().seed(static_cast<std::uint64_t>(number_to_int64(arg_list[0])));
  return &ok;
}

Primitive sin_pf("sin", sin_cf);
Primitive cos_pf("cos", cos_cf);
Primitive tan_pf("tan", tan_cf);
Primitive asin_pf("asin", asin_cf);
Primitive acos_pf("acos", acos_cf);
Primitive atan_pf("atan", atan_cf);
Primitive atan2_pf("atan2", atan2_cf);
Primitive sinh_pf("sinh", sinh_cf);
Primitive cosh_pf("cosh", cosh_cf);
Primitive tanh_pf("tanh", tanh_cf);
Primitive exp_pf("exp", exp_cf);
Primitive log_pf("log", log_cf);
Primitive log10_pf("log10", log10_cf);
Primitive pow_pf("pow", pow_cf);
Primitive sqrt_pf("sqrt", sqrt_cf);
Primitive floor_pf("floor", floor_cf);
Primitive ceil_pf("ceil", ceil_cf);
Primitive abs_pf("abs", abs_cf);
Primitive mod_pf("mod", mod_cf);
Primitive deg_to_rad_pf("degToRad", deg_to_rad_cf);
Primitive rad_to_deg_pf("radToDeg", rad_to_deg_cf);
Primitive close_enough_pf("close_enough", close_enough_cf);
Primitive random_pf("random", random_cf);
Primitive seed_pf("seed", seed_cf);

struct MathsConstants {
  MathsConstants() {
    host::define_global_value("pi", make_static(new Float(static_cast<float>(std::numbers::pi))));
    host::define_global_value("e", make_static(new Float(static_cast<float>(std::numbers::e))));
  }
} maths_constants;

}  // namespace

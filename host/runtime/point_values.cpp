// Point2 and Point4 values: 2D and 4D vectors with component arithmetic.
#include <string>

#include "geometry_internal.h"

using namespace host::geometry;

namespace {

// Arithmetic shared by the point classes: P is the plain point, N its size.
template <typename P, int N, typename V>
struct PointOps {
  static P operand(Value* v, ValueMetaClass* cls) {
    if (is_number(v)) {
      P p;
      for (int i = 0; i < N; ++i) p[i] = v->to_float();
      return p;
    }
    if (v->tag != cls) throw ConversionError(v, cls->name);
    return static_cast<V*>(v)->p;
  }
  static P combine(const P& a, const P& b, float (*op)(float, float)) {
    P r;
    for (int i = 0; i < N; ++i) r[i] = op(a[i], b[i]);
    return r;
  }
  static void print(const P& p, CharStream* s) {
    std::string text = "[";
    for (int i = 0; i < N; ++i) {
      if (i > 0) text += ',';
      text += host::format_component(p[i]);
    }
    s->puts((text + "]").c_str());
  }
  static int index_of(Value* v, ValueMetaClass* cls) { return component_index(v, N, cls) - 1; }
};

float add(float a, float b) { return a + b; }
float subtract(float a, float b) { return a - b; }
float multiply(float a, float b) { return a * b; }

template <typename P>
P divide(const P& a, const P& b, int n) {
  P r;
  for (int i = 0; i < n; ++i) {
    if (b[i] == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
    r[i] = a[i] / b[i];
  }
  return r;
}

using P2 = PointOps<Point2, 2, Point2Value>;
using P4 = PointOps<Point4, 4, Point4Value>;

}  // namespace

Point2Value::Point2Value(const Point2& point) : p(point) { tag = &Point2Value_class; }

void Point2Value::sprin1(CharStream* s) { P2::print(p, s); }

Value* Point2Value::plus_vf(Value** a, int) {
  return new Point2Value(P2::combine(p, P2::operand(a[0], tag), add));
}
Value* Point2Value::minus_vf(Value** a, int) {
  return new Point2Value(P2::combine(p, P2::operand(a[0], tag), subtract));
}
Value* Point2Value::times_vf(Value** a, int) {
  return new Point2Value(P2::combine(p, P2::operand(a[0], tag), multiply));
}
Value* Point2Value::div_vf(Value** a, int) { return new Point2Value(divide(p, P2::operand(a[0], tag), 2)); }
Value* Point2Value::uminus_vf(Value**, int) { return new Point2Value(-p); }
Value* Point2Value::eq_vf(Value** a, int) {
  return bool_result(a[0]->tag == tag && static_cast<Point2Value*>(a[0])->p == p);
}
Value* Point2Value::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
Value* Point2Value::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return new Float(p[P2::index_of(a[0], tag)]);
}
Value* Point2Value::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  p[P2::index_of(a[0], tag)] = a[1]->to_float();
  return a[1];
}

Point4Value::Point4Value(const Point4& point) : p(point) { tag = &Point4Value_class; }

void Point4Value::sprin1(CharStream* s) { P4::print(p, s); }

Value* Point4Value::plus_vf(Value** a, int) {
  return new Point4Value(P4::combine(p, P4::operand(a[0], tag), add));
}
Value* Point4Value::minus_vf(Value** a, int) {
  return new Point4Value(P4::combine(p, P4::operand(a[0], tag), subtract));
}
Value* Point4Value::times_vf(Value** a, int) {
  return new Point4Value(P4::combine(p, P4::operand(a[0], tag), multiply));
}
Value* Point4Value::div_vf(Value** a, int) { return new Point4Value(divide(p, P4::operand(a[0], tag), 4)); }
Value* Point4Value::uminus_vf(Value**, int) { return new Point4Value(-p); }
Value* Point4Value::eq_vf(Value** a, int) {
  return bool_result(a[0]->tag == tag && static_cast<Point4Value*>(a[0])->p == p);
}
Value* Point4Value::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }
Value* Point4Value::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return new Float(p[P4::index_of(a[0], tag)]);
}
Value* Point4Value::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  p[P4::index_of(a[0], tag)] = a[1]->to_float();
  return a[1];
}

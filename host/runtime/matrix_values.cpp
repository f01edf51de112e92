// Matrix3 values: 4x3 transforms printed as their four rows.
#include "geometry_internal.h"

using namespace host::geometry;

namespace {

Point3Value* row_value(const Point3& p) { return new Point3Value(p); }

}  // namespace

Point3 host::geometry::scale_of(const Matrix3& m) {
  float sign = m.Determinant() < 0 ? -1.0f : 1.0f;
  return Point3(Length(m.m[0]), Length(m.m[1]), Length(m.m[2])) * sign;
}

Matrix3Value::Matrix3Value(const Matrix3& matrix) : m(matrix) { tag = &Matrix3Value_class; }

void Matrix3Value::sprin1(CharStream* s) {
  s->puts("(matrix3");
  for (const Point3& row : m.m) {
    s->puts(" ");
    Point3Value(row).sprin1(s);
  }
  s->puts(")");
}

Value* Matrix3Value::plus_vf(Value** a, int) { return new Matrix3Value(m + matrix_of(a[0], "+")); }
Value* Matrix3Value::minus_vf(Value** a, int) { return new Matrix3Value(m - matrix_of(a[0], "-")); }
Value* Matrix3Value::times_vf(Value** a, int) { return new Matrix3Value(m * matrix_of(a[0], "*")); }

Value* Matrix3Value::eq_vf(Value** a, int) {
  return bool_result(a[0]->tag == &Matrix3Value_class && static_cast<Matrix3Value*>(a[0])->m == m);
}
Value* Matrix3Value::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

Value* Matrix3Value::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return row_value(m.m[component_index(a[0], 4, tag) - 1]);
}

Value* Matrix3Value::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  m.m[component_index(a[0], 4, tag) - 1] = a[1]->to_point3();
  return a[1];
}

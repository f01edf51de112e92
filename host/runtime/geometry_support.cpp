// Operand tests and rotation conversions shared by the geometry values.
#include <cmath>
#include <string>

#include "geometry_internal.h"

namespace host::geometry {

float divisor(Value* v) {
  float d = v->to_float();
  if (d == 0.0f) throw RuntimeError(host::msg::kDivideByZero);
  return d;
}

int component_index(Value* v, int last, ValueMetaClass* cls) {
  int i = v->to_int();
  if (i < 1 || i > last)
    throw RuntimeError((std::string(cls->name) + host::msg::kIndexOutOfRange).c_str(), v);
  return i;
}

// The application's quaternions turn left-handed: a counter-clockwise turn
// about an axis is a left-handed turn by the negated angle.
Quat quat_from_angle_axis(float degrees, const Point3& axis) {
  return QFromAngAxis(-to_radians(degrees), axis);
}

void angle_axis_of(const Quat& q, float* degrees, Point3* axis) {
  AngAxis aa(q);
  *degrees = to_degrees(aa.angle);
  *axis = aa.angle == 0.0f ? Point3(0, 0, 1) : -aa.axis;
}

Matrix3 matrix_from_euler(const float degrees[3]) {
  float radians[3] = {to_radians(degrees[0]), to_radians(degrees[1]), to_radians(degrees[2])};
  return EulerToMatrix(radians);
}

Quat quat_from_euler(const float degrees[3], int order) {
  float radians[3] = {to_radians(degrees[0]), to_radians(degrees[1]), to_radians(degrees[2])};
  return MatrixToQuat(EulerToMatrix(radians, order));
}

void euler_of(const Quat& q, float degrees[3], int order) {
  float radians[3];
  MatrixToEuler(QuatToMatrix(q), radians, order);
  for (int i = 0; i < 3; ++i) degrees[i] = to_degrees(radians[i]);
}

Quat rotation_of(Value* v) {
  if (v->tag == &QuatValue_class) return static_cast<QuatValue*>(v)->q;
  if (v->tag == &AngAxisValue_class) {
    auto* aa = static_cast<AngAxisValue*>(v);
    return quat_from_angle_axis(aa->angle, aa->axis);
  }
  if (v->tag == &EulerAnglesValue_class) return quat_from_euler(static_cast<EulerAnglesValue*>(v)->angles);
  if (v->tag == &Matrix3Value_class) return MatrixToQuat(static_cast<Matrix3Value*>(v)->m);
  throw ConversionError(v, "Quat");
}

Matrix3 matrix_of(Value* v, const char* fn_name) {
  if (v->tag != &Matrix3Value_class) throw TypeError(fn_name, v, &Matrix3Value_class);
  return static_cast<Matrix3Value*>(v)->m;
}

}  // namespace host::geometry

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

const Names& names() {
  static const Names n = [] {
    auto i = [](const char* text) { return Name::intern(text); };
    Names r;
    r.x = i("x"), r.y = i("y"), r.z = i("z"), r.w = i("w"), r.angle = i("angle"), r.axis = i("axis");
    r.numrevs = i("numrevs");
    r.row1 = i("row1"), r.row2 = i("row2"), r.row3 = i("row3"), r.row4 = i("row4");
    r.translation = i("translation"), r.translationpart = i("translationpart"), r.pos = i("pos");
    r.position = i("position"), r.rotation = i("rotation"), r.rotationpart = i("rotationpart");
    r.scale = i("scale"), r.scalepart = i("scalepart"), r.scalerotationpart = i("scalerotationpart");
    r.determinantsign = i("determinantsign");
    r.r = i("r"), r.g = i("g"), r.b = i("b"), r.a = i("a"), r.red = i("red"), r.green = i("green");
    r.blue = i("blue"), r.alpha = i("alpha"), r.h = i("h"), r.s = i("s"), r.v = i("v"), r.hue = i("hue");
    r.saturation = i("saturation"), r.value = i("value");
    return r;
  }();
  return n;
}

}  // namespace host::geometry

// Rotation values: quat, eulerAngles and angleAxis.
#include <cmath>

#include "geometry_internal.h"

using namespace host::geometry;

namespace {

std::string number_text(float f) { return host::format_component(f); }

// A quat operand: quats as they are, matrices by their rotation.
Quat quat_operand(Value* v, const char* op) {
  if (v->tag == &QuatValue_class || v->tag == &Matrix3Value_class) return rotation_of(v);
  throw TypeError(op, v, &QuatValue_class);
}

}  // namespace

QuatValue::QuatValue(const Quat& quat) : q(quat) { tag = &QuatValue_class; }

void QuatValue::sprin1(CharStream* s) {
  s->printf("(quat %s %s %s %s)", number_text(q.x).c_str(), number_text(q.y).c_str(),
            number_text(q.z).c_str(), number_text(q.w).c_str());
}

// Adding quats composes them and subtracting takes their ratio, as
// multiplying and dividing do.
Value* QuatValue::plus_vf(Value** a, int) { return new QuatValue(q * quat_operand(a[0], "+")); }
Value* QuatValue::minus_vf(Value** a, int) { return new QuatValue(q * quat_operand(a[0], "-").Inverse()); }

Value* QuatValue::times_vf(Value** a, int) {
  if (is_number(a[0])) return new QuatValue(q * a[0]->to_float());
  return new QuatValue(q * quat_operand(a[0], "*"));
}

Value* QuatValue::div_vf(Value** a, int) {
  if (is_number(a[0])) return new QuatValue(q / divisor(a[0]));
  return new QuatValue(q * quat_operand(a[0], "/").Inverse());
}

Value* QuatValue::uminus_vf(Value**, int) { return new QuatValue(-q); }

Value* QuatValue::eq_vf(Value** a, int) {
  return bool_result(a[0]->tag == &QuatValue_class && static_cast<QuatValue*>(a[0])->q == q);
}
Value* QuatValue::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

EulerAnglesValue::EulerAnglesValue(float x, float y, float z) : angles{x, y, z} {
  tag = &EulerAnglesValue_class;
}

void EulerAnglesValue::sprin1(CharStream* s) {
  s->printf("(eulerAngles %s %s %s)", number_text(angles[0]).c_str(), number_text(angles[1]).c_str(),
            number_text(angles[2]).c_str());
}

Value* EulerAnglesValue::eq_vf(Value** a, int) {
  if (a[0]->tag != &EulerAnglesValue_class) return &false_value;
  auto* o = static_cast<EulerAnglesValue*>(a[0]);
  return bool_result(o->angles[0] == angles[0] && o->angles[1] == angles[1] && o->angles[2] == angles[2]);
}
Value* EulerAnglesValue::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

AngAxisValue::AngAxisValue(float degrees, const Point3& rotation_axis) : angle(degrees), axis(rotation_axis) {
  tag = &AngAxisValue_class;
}

void AngAxisValue::sprin1(CharStream* s) {
  s->printf("(angleAxis %s ", number_text(angle).c_str());
  Point3Value(axis).sprin1(s);
  s->puts(")");
}

Value* AngAxisValue::eq_vf(Value** a, int) {
  if (a[0]->tag != &AngAxisValue_class) return &false_value;
  auto* o = static_cast<AngAxisValue*>(a[0]);
  return bool_result(o->angle == angle && o->axis == axis);
}
Value* AngAxisValue::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

// The property tables of the point, colour, matrix and rotation values.
#include <cmath>

#include "geometry_internal.h"
#include "number_ops.h"
#include "property_helpers.h"

using namespace host::geometry;
using host::as;
using host::float_component;

namespace {

// Colours keep channels 0..1; scripts see them 0..255.
template <float AColor::*Channel>
Value* color_channel(Value* v) {
  return new Float(as<ColorValue>(v)->color.*Channel * 255.0f);
}
template <float AColor::*Channel>
void set_color_channel(Value* v, Value* n) {
  as<ColorValue>(v)->color.*Channel = n->to_float() / 255.0f;
}
template <float AColor::*Channel>
constexpr PropertyDef channel(const char* name, bool alias = false) {
  return {name, "float", color_channel<Channel>, set_color_channel<Channel>, alias};
}

template <int I>
Value* color_hsv(Value* v) {
  return new Float(hsv_component(as<ColorValue>(v)->color, I));
}
template <int I>
void set_color_hsv(Value* v, Value* n) {
  set_hsv_component(as<ColorValue>(v)->color, I, n->to_float());
}
template <int I>
constexpr PropertyDef hsv(const char* name, bool alias = false) {
  return {name, "float", color_hsv<I>, set_color_hsv<I>, alias};
}

// Row 4 of a matrix is its translation.
template <int Row>
Value* matrix_row(Value* v) {
  return new Point3Value(as<Matrix3Value>(v)->m.m[Row]);
}
template <int Row>
void set_matrix_row(Value* v, Value* row) {
  as<Matrix3Value>(v)->m.m[Row] = row->to_point3();
}
template <int Row>
constexpr PropertyDef row(const char* name, bool alias = false) {
  return {name, "point3", matrix_row<Row>, set_matrix_row<Row>, alias};
}
Value* matrix_rotation(Value* v) { return new QuatValue(MatrixToQuat(as<Matrix3Value>(v)->m)); }
Value* matrix_scale(Value* v) { return new Point3Value(scale_of(as<Matrix3Value>(v)->m)); }
Value* matrix_determinant_sign(Value* v) {
  return new Float(as<Matrix3Value>(v)->m.Determinant() < 0 ? -1.0f : 1.0f);
}

Value* quat_angle(Value* v) {
  float degrees;
  Point3 axis;
  angle_axis_of(as<QuatValue>(v)->q, &degrees, &axis);
  return new Float(degrees);
}
Value* quat_axis(Value* v) {
  float degrees;
  Point3 axis;
  angle_axis_of(as<QuatValue>(v)->q, &degrees, &axis);
  return new Point3Value(axis);
}

Value* angle_axis_angle(Value* v) { return new Float(as<AngAxisValue>(v)->angle); }
void set_angle_axis_angle(Value* v, Value* n) { as<AngAxisValue>(v)->angle = n->to_float(); }
Value* angle_axis_axis(Value* v) { return new Point3Value(as<AngAxisValue>(v)->axis); }
void set_angle_axis_axis(Value* v, Value* p) { as<AngAxisValue>(v)->axis = p->to_point3(); }
// Whole turns of the angle; setting them keeps the part below one turn.
Value* angle_axis_numrevs(Value* v) {
  // Saturated: an angle of 1e30 degrees has more turns than an integer holds.
  return Integer::intern(host::saturate_to_int(as<AngAxisValue>(v)->angle / 360.0));
}
void set_angle_axis_numrevs(Value* v, Value* n) {
  float& angle = as<AngAxisValue>(v)->angle;
  angle = std::fmod(angle, 360.0f) + 360.0f * static_cast<float>(n->to_int());
}

}  // namespace

namespace host {

const PropertyTable point2_properties{
    float_component<Point2Value, &Point2Value::p, 0>("x"),
    float_component<Point2Value, &Point2Value::p, 1>("y"),
};

const PropertyTable point3_properties{
    float_component<Point3Value, &Point3Value::p, 0>("x"),
    float_component<Point3Value, &Point3Value::p, 1>("y"),
    float_component<Point3Value, &Point3Value::p, 2>("z"),
};

const PropertyTable point4_properties{
    float_component<Point4Value, &Point4Value::p, 0>("x"),
    float_component<Point4Value, &Point4Value::p, 1>("y"),
    float_component<Point4Value, &Point4Value::p, 2>("z"),
    float_component<Point4Value, &Point4Value::p, 3>("w"),
};

const PropertyTable color_properties{
    channel<&AColor::r>("r"),
    channel<&AColor::g>("g"),
    channel<&AColor::b>("b"),
    channel<&AColor::a>("a"),
    hsv<0>("h"),
    hsv<1>("s"),
    hsv<2>("v"),
    channel<&AColor::r>("red", true),
    channel<&AColor::g>("green", true),
    channel<&AColor::b>("blue", true),
    channel<&AColor::a>("alpha", true),
    hsv<0>("hue", true),
    hsv<1>("saturation", true),
    hsv<2>("value", true),
};

const PropertyTable matrix3_properties{
    row<0>("row1"),
    row<1>("row2"),
    row<2>("row3"),
    row<3>("row4"),
    row<3>("translation"),
    {"rotationpart", "quat", matrix_rotation},
    {"translationpart", "point3", matrix_row<3>},
    {"scalepart", "point3", matrix_scale},
    {"determinantsign", "float", matrix_determinant_sign},
    row<3>("pos", true),
    row<3>("position", true),
    {"rotation", "quat", matrix_rotation, nullptr, true},
    {"scale", "point3", matrix_scale, nullptr, true},
};

const PropertyTable quat_properties{
    float_component<QuatValue, &QuatValue::q, 3>("w"),
    float_component<QuatValue, &QuatValue::q, 0>("x"),
    float_component<QuatValue, &QuatValue::q, 1>("y"),
    float_component<QuatValue, &QuatValue::q, 2>("z"),
    {"angle", "float", quat_angle},
    {"axis", "point3", quat_axis},
};

const PropertyTable euler_angles_properties{
    float_component<EulerAnglesValue, &EulerAnglesValue::angles, 0>("x"),
    float_component<EulerAnglesValue, &EulerAnglesValue::angles, 1>("y"),
    float_component<EulerAnglesValue, &EulerAnglesValue::angles, 2>("z"),
};

const PropertyTable angle_axis_properties{
    {"angle", "float", angle_axis_angle, set_angle_axis_angle},
    {"axis", "point3", angle_axis_axis, set_angle_axis_axis},
    {"numrevs", "integer", angle_axis_numrevs, set_angle_axis_numrevs},
};

}  // namespace host

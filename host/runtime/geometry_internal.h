// What the geometry and colour values share: operand tests and the
// conversions between the script's rotations (degrees, counter-clockwise)
// and the application's quaternions.
#pragma once

#include "host/messages.h"
#include "runtime_internal.h"

namespace host::geometry {

constexpr float kPi = 3.14159265358979f;
inline float to_radians(float degrees) { return degrees * (kPi / 180.0f); }
inline float to_degrees(float radians) { return radians * (180.0f / kPi); }

// A number divisor other than zero, or "Divide by zero".
float divisor(Value* v);
// A 1-based index from 1 to last, or "<class> index out of range: <v>".
int component_index(Value* v, int last, ValueMetaClass* cls);

// The quaternion of a counter-clockwise rotation of degrees about axis.
Quat quat_from_angle_axis(float degrees, const Point3& axis);
// The counter-clockwise angle (0..360) and unit axis of a quaternion.
void angle_axis_of(const Quat& q, float* degrees, Point3* axis);
Quat quat_from_euler(const float degrees[3], int order = EULERTYPE_XYZ);
void euler_of(const Quat& q, float degrees[3], int order = EULERTYPE_XYZ);
Matrix3 matrix_from_euler(const float degrees[3]);

// The rotation a quat, angleAxis, eulerAngles or matrix3 value stands for;
// ConversionError(v, "Quat") for any other value.
Quat rotation_of(Value* v);
Matrix3 matrix_of(Value* v, const char* fn_name);

// A colour's hue, saturation or value (component 0, 1 or 2), each 0..255;
// setting one keeps the other two and the alpha.
float hsv_component(const AColor& c, int i);
void set_hsv_component(AColor& c, int i, float value);

// The axis rows' lengths, negated when the rows span a mirrored space.
Point3 scale_of(const Matrix3& m);

}  // namespace host::geometry

// `as` between points of different sizes and between the rotation values.
#include "geometry_internal.h"

using namespace host::geometry;

namespace host {

Value* convert_geometry(Value* v, ValueMetaClass* target) {
  ValueMetaClass* from = v->tag;
  bool rotation = from == &QuatValue_class || from == &AngAxisValue_class ||
                  from == &EulerAnglesValue_class || from == &Matrix3Value_class;
  if (target == &QuatValue_class && rotation) return new QuatValue(rotation_of(v));
  if (target == &Matrix3Value_class && rotation) {
    if (from == &EulerAnglesValue_class)
      return new Matrix3Value(matrix_from_euler(static_cast<EulerAnglesValue*>(v)->angles));
    return new Matrix3Value(QuatToMatrix(rotation_of(v)));
  }
  if (target == &EulerAnglesValue_class && rotation) {
    float degrees[3];
    euler_of(rotation_of(v), degrees);
    return new EulerAnglesValue(degrees[0], degrees[1], degrees[2]);
  }
  if (target == &AngAxisValue_class && rotation) {
    float degrees;
    Point3 axis;
    angle_axis_of(rotation_of(v), &degrees, &axis);
    return new AngAxisValue(degrees, axis);
  }
  if (target == &Point3Value_class) {
    if (from == &Point2Value_class)
      return new Point3Value(static_cast<Point2Value*>(v)->p.x, static_cast<Point2Value*>(v)->p.y, 0);
    if (from == &Point4Value_class) {
      const Point4& p = static_cast<Point4Value*>(v)->p;
      return new Point3Value(p.x, p.y, p.z);
    }
  }
  if (target == &Point2Value_class) {
    if (from == &Point3Value_class)
      return new Point2Value(Point2(static_cast<Point3Value*>(v)->p.x, static_cast<Point3Value*>(v)->p.y));
    if (from == &Point4Value_class)
      return new Point2Value(Point2(static_cast<Point4Value*>(v)->p.x, static_cast<Point4Value*>(v)->p.y));
  }
  if (target == &Point4Value_class) {
    if (from == &Point3Value_class) {
      const Point3& p = static_cast<Point3Value*>(v)->p;
      return new Point4Value(Point4(p.x, p.y, p.z, 0));
    }
    if (from == &Point2Value_class) {
      const Point2& p = static_cast<Point2Value*>(v)->p;
      return new Point4Value(Point4(p.x, p.y, 0, 0));
    }
  }
  return nullptr;
}

}  // namespace host

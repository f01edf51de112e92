// The geometry classes' constructors and the vector, matrix and rotation
// functions scripts call.
#include <cmath>

#include "../scene/node_transforms.h"
#include "geometry_internal.h"

using namespace host::geometry;

namespace {

// ---- Constructors -----------------------------------------------------------

Value* make_point2(Value** a, int count) {
  check_arg_count("point2", 2, count);
  return new Point2Value(Point2(a[0]->to_float(), a[1]->to_float()));
}

Value* make_point4(Value** a, int count) {
  check_arg_count("point4", 4, count);
  return new Point4Value(Point4(a[0]->to_float(), a[1]->to_float(), a[2]->to_float(), a[3]->to_float()));
}

// matrix3 0, matrix3 1, or matrix3 row1 row2 row3 row4.
Value* make_matrix3(Value** a, int count) {
  if (count == 4)
    return new Matrix3Value(
        Matrix3(a[0]->to_point3(), a[1]->to_point3(), a[2]->to_point3(), a[3]->to_point3()));
  if (count != 1) throw ArgCountError("matrix3", 4, count);
  if (!is_number(a[0])) throw RuntimeError(host::msg::kMatrix3Wants, a[0]);
  float f = a[0]->to_float();
  if (f == 0.0f) return new Matrix3Value(Matrix3());
  if (f == 1.0f) return new Matrix3Value(Matrix3::Identity());
  throw RuntimeError(host::msg::kMatrix3Wants, a[0]);
}

// quat x y z w, or quat degrees axis.
Value* make_quat(Value** a, int count) {
  if (count == 2) return new QuatValue(quat_from_angle_axis(a[0]->to_float(), a[1]->to_point3()));
  check_arg_count("quat", 4, count);
  return new QuatValue(Quat(a[0]->to_float(), a[1]->to_float(), a[2]->to_float(), a[3]->to_float()));
}

Value* make_euler_angles(Value** a, int count) {
  check_arg_count("eulerAngles", 3, count);
  return new EulerAnglesValue(a[0]->to_float(), a[1]->to_float(), a[2]->to_float());
}

Value* make_angle_axis(Value** a, int count) {
  check_arg_count("angleAxis", 2, count);
  return new AngAxisValue(a[0]->to_float(), a[1]->to_point3());
}

// ---- Vectors ----------------------------------------------------------------

Value* length_cf(Value** a, int count) {
  check_arg_count("length", 1, count);
  Value* v = a[0];
  if (v->tag == &Point2Value_class) return new Float(Length(static_cast<Point2Value*>(v)->p));
  if (v->tag == &Point4Value_class) return new Float(Length(static_cast<Point4Value*>(v)->p));
  if (v->tag == &Point3Value_class) return new Float(Length(static_cast<Point3Value*>(v)->p));
  throw NoMethodError("length", v);
}

Value* normalize_cf(Value** a, int count) {
  check_arg_count("normalize", 1, count);
  Value* v = a[0];
  if (v->tag == &Point3Value_class) return new Point3Value(Normalize(static_cast<Point3Value*>(v)->p));
  if (v->tag == &QuatValue_class) return new QuatValue(static_cast<QuatValue*>(v)->q.Normalize());
  if (v->tag == &Point2Value_class) {
    Point2 p = static_cast<Point2Value*>(v)->p;
    float len = Length(p);
    return new Point2Value(len == 0.0f ? p : p / len);
  }
  if (v->tag == &Point4Value_class) {
    Point4 p = static_cast<Point4Value*>(v)->p;
    float len = Length(p);
    return new Point4Value(len == 0.0f ? p : p / len);
  }
  throw NoMethodError("normalize", v);
}

Value* dot_cf(Value** a, int count) {
  check_arg_count("dot", 2, count);
  if (a[0]->tag == &Point2Value_class) {
    check_exact_class(a[1], &Point2Value_class, "dot");
    return new Float(DotProd(static_cast<Point2Value*>(a[0])->p, static_cast<Point2Value*>(a[1])->p));
  }
  if (a[0]->tag == &Point4Value_class) {
    check_exact_class(a[1], &Point4Value_class, "dot");
    return new Float(DotProd(static_cast<Point4Value*>(a[0])->p, static_cast<Point4Value*>(a[1])->p));
  }
  if (a[0]->tag == &QuatValue_class) {
    check_exact_class(a[1], &QuatValue_class, "dot");
    const Quat &p = static_cast<QuatValue*>(a[0])->q, &q = static_cast<QuatValue*>(a[1])->q;
    return new Float(p.x * q.x + p.y * q.y + p.z * q.z + p.w * q.w);
  }
  return new Float(DotProd(a[0]->to_point3(), a[1]->to_point3()));
}

Value* cross_cf(Value** a, int count) {
  check_arg_count("cross", 2, count);
  return new Point3Value(CrossProd(a[0]->to_point3(), a[1]->to_point3()));
}

Value* distance_cf(Value** a, int count) {
  check_arg_count("distance", 2, count);
  if (a[0]->tag == &Point2Value_class) {
    check_exact_class(a[1], &Point2Value_class, "distance");
    return new Float(Length(static_cast<Point2Value*>(a[0])->p - static_cast<Point2Value*>(a[1])->p));
  }
  return new Float(Length(a[0]->to_point3() - a[1]->to_point3()));
}

// ---- Matrices ---------------------------------------------------------------

Value* trans_matrix_cf(Value** a, int count) {
  check_arg_count("transMatrix", 1, count);
  return new Matrix3Value(TransMatrix(a[0]->to_point3()));
}

Value* scale_matrix_cf(Value** a, int count) {
  check_arg_count("scaleMatrix", 1, count);
  return new Matrix3Value(ScaleMatrix(a[0]->to_point3()));
}

Value* rotate_x_matrix_cf(Value** a, int count) {
  check_arg_count("rotateXMatrix", 1, count);
  return new Matrix3Value(RotateXMatrix(to_radians(a[0]->to_float())));
}

Value* rotate_y_matrix_cf(Value** a, int count) {
  check_arg_count("rotateYMatrix", 1, count);
  return new Matrix3Value(RotateYMatrix(to_radians(a[0]->to_float())));
}

Value* rotate_z_matrix_cf(Value** a, int count) {
  check_arg_count("rotateZMatrix", 1, count);
  return new Matrix3Value(RotateZMatrix(to_radians(a[0]->to_float())));
}

Matrix3Value* matrix_arg(Value* v, const char* fn_name) {
  if (v->tag != &Matrix3Value_class) throw TypeError(fn_name, v, &Matrix3Value_class);
  return static_cast<Matrix3Value*>(v);
}

Value* inverse_cf(Value** a, int count) {
  check_arg_count("inverse", 1, count);
  if (a[0]->tag == &QuatValue_class) return new QuatValue(static_cast<QuatValue*>(a[0])->q.Inverse());
  if (a[0]->tag != &Matrix3Value_class) throw NoMethodError("inverse", a[0]);
  Matrix3 inverse;
  if (!Inverse(static_cast<Matrix3Value*>(a[0])->m, &inverse))
    throw RuntimeError(host::msg::kMatrixNotInvertible, a[0]);
  return new Matrix3Value(inverse);
}

Value* is_identity_cf(Value** a, int count) {
  check_arg_count("isIdentity", 1, count);
  if (a[0]->tag == &QuatValue_class) return bool_result(static_cast<QuatValue*>(a[0])->q.IsIdentity());
  if (a[0]->tag == &Matrix3Value_class) return bool_result(static_cast<Matrix3Value*>(a[0])->m.IsIdentity());
  throw NoMethodError("isIdentity", a[0]);
}

// The transform m expressed in the space s.
Value* xform_mat_cf(Value** a, int count) {
  check_arg_count("xformMat", 2, count);
  Matrix3 m = matrix_arg(a[0], "xformMat")->m, space = matrix_arg(a[1], "xformMat")->m;
  Matrix3 space_inverse;
  if (!Inverse(space, &space_inverse)) throw RuntimeError(host::msg::kMatrixNotInvertible, a[1]);
  return new Matrix3Value(space * m * space_inverse);
}

// The functions that change a matrix in place return that matrix.
Value* changed(Matrix3Value* target, const Matrix3& m) {
  target->m = m;
  return target;
}

Value* identity_cf(Value** a, int count) {
  check_arg_count("identity", 1, count);
  return changed(matrix_arg(a[0], "identity"), Matrix3::Identity());
}

Value* orthogonalize_cf(Value** a, int count) {
  check_arg_count("orthogonalize", 1, count);
  Matrix3Value* m = matrix_arg(a[0], "orthogonalize");
  return changed(m, Orthogonalize(m->m));
}

Value* translate_cf(Value** a, int count) {
  check_arg_count("translate", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "translate");
  return changed(m, m->m * TransMatrix(a[1]->to_point3()));
}

Value* pre_translate_cf(Value** a, int count) {
  check_arg_count("preTranslate", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "preTranslate");
  return changed(m, TransMatrix(a[1]->to_point3()) * m->m);
}

template <Matrix3 (*Rotation)(float), bool Pre>
Value* rotate_axis(Value** a, int count, const char* fn_name) {
  check_arg_count(fn_name, 2, count);
  Matrix3Value* m = matrix_arg(a[0], fn_name);
  Matrix3 r = Rotation(to_radians(a[1]->to_float()));
  return changed(m, Pre ? r * m->m : m->m * r);
}

Value* rotate_x_cf(Value** a, int count) { return rotate_axis<RotateXMatrix, false>(a, count, "rotateX"); }
Value* rotate_y_cf(Value** a, int count) { return rotate_axis<RotateYMatrix, false>(a, count, "rotateY"); }
Value* rotate_z_cf(Value** a, int count) { return rotate_axis<RotateZMatrix, false>(a, count, "rotateZ"); }
Value* pre_rotate_x_cf(Value** a, int count) {
  return rotate_axis<RotateXMatrix, true>(a, count, "preRotateX");
}
Value* pre_rotate_y_cf(Value** a, int count) {
  return rotate_axis<RotateYMatrix, true>(a, count, "preRotateY");
}
Value* pre_rotate_z_cf(Value** a, int count) {
  return rotate_axis<RotateZMatrix, true>(a, count, "preRotateZ");
}

// rotate m <quat, angleAxis or eulerAngles>: the rotation is applied after m.
// Scene nodes take their own forms.
Value* rotate_cf(Value** a, int count) {
  if (count > 0 && host::scene::takes_nodes(a[0])) return host::scene::rotate_nodes(a, count);
  check_arg_count("rotate", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "rotate");
  return changed(m, m->m * QuatToMatrix(rotation_of(a[1])));
}

Value* pre_rotate_cf(Value** a, int count) {
  check_arg_count("preRotate", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "preRotate");
  return changed(m, QuatToMatrix(rotation_of(a[1])) * m->m);
}

// scale m p [scale_translation]: the axis rows scale; the translation row
// only when asked.
Value* scale_cf(Value** a, int count) {
  if (count > 0 && host::scene::takes_nodes(a[0])) return host::scene::scale_nodes(a, count);
  if (count != 2 && count != 3) throw ArgCountError("scale", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "scale");
  Matrix3 scaled = m->m * ScaleMatrix(a[1]->to_point3());
  if (count == 2 || !a[2]->to_bool()) scaled.m[3] = m->m.m[3];
  return changed(m, scaled);
}

Value* pre_scale_cf(Value** a, int count) {
  if (count != 2 && count != 3) throw ArgCountError("preScale", 2, count);
  Matrix3Value* m = matrix_arg(a[0], "preScale");
  Matrix3 scaled = ScaleMatrix(a[1]->to_point3()) * m->m;
  scaled.m[3] = m->m.m[3];
  if (count == 3 && a[2]->to_bool()) scaled.m[3] = m->m.m[3] * ScaleMatrix(a[1]->to_point3());
  return changed(m, scaled);
}

// ---- Rotations --------------------------------------------------------------

int order_arg(Value** a, int count) {
  static Value* order_key = Name::intern("order");
  Value* order = _get_key_arg_or_default(a, count, order_key, nullptr);
  if (order == nullptr) return EULERTYPE_XYZ;
  int n = order->to_int();
  if (n < EULERTYPE_XYZ || n > EULERTYPE_ZXZ) throw RuntimeError(host::msg::kEulerOrderRange, order);
  return n;
}

Value* quat_to_euler_cf(Value** a, int count) {
  check_positional_count("quatToEuler", 1, a, count);
  check_exact_class(a[0], &QuatValue_class, "quatToEuler");
  float degrees[3];
  euler_of(static_cast<QuatValue*>(a[0])->q, degrees, order_arg(a, count));
  return new EulerAnglesValue(degrees[0], degrees[1], degrees[2]);
}

Value* euler_to_quat_cf(Value** a, int count) {
  check_positional_count("eulerToQuat", 1, a, count);
  check_exact_class(a[0], &EulerAnglesValue_class, "eulerToQuat");
  return new QuatValue(quat_from_euler(static_cast<EulerAnglesValue*>(a[0])->angles, order_arg(a, count)));
}

Value* conjugate_cf(Value** a, int count) {
  check_arg_count("conjugate", 1, count);
  check_exact_class(a[0], &QuatValue_class, "conjugate");
  return new QuatValue(static_cast<QuatValue*>(a[0])->q.Conjugate());
}

Primitive length_pf("length", length_cf);
Primitive normalize_pf("normalize", normalize_cf);
Primitive dot_pf("dot", dot_cf);
Primitive cross_pf("cross", cross_cf);
Primitive distance_pf("distance", distance_cf);
Primitive trans_matrix_pf("transMatrix", trans_matrix_cf);
Primitive scale_matrix_pf("scaleMatrix", scale_matrix_cf);
Primitive rotate_x_matrix_pf("rotateXMatrix", rotate_x_matrix_cf);
Primitive rotate_y_matrix_pf("rotateYMatrix", rotate_y_matrix_cf);
Primitive rotate_z_matrix_pf("rotateZMatrix", rotate_z_matrix_cf);
Primitive inverse_pf("inverse", inverse_cf);
Primitive is_identity_pf("isIdentity", is_identity_cf);
Primitive xform_mat_pf("xformMat", xform_mat_cf);
Primitive identity_pf("identity", identity_cf);
Primitive orthogonalize_pf("orthogonalize", orthogonalize_cf);
Primitive translate_pf("translate", translate_cf);
Primitive pre_translate_pf("preTranslate", pre_translate_cf);
Primitive rotate_x_pf("rotateX", rotate_x_cf);
Primitive rotate_y_pf("rotateY", rotate_y_cf);
Primitive rotate_z_pf("rotateZ", rotate_z_cf);
Primitive pre_rotate_x_pf("preRotateX", pre_rotate_x_cf);
Primitive pre_rotate_y_pf("preRotateY", pre_rotate_y_cf);
Primitive pre_rotate_z_pf("preRotateZ", pre_rotate_z_cf);
Primitive rotate_pf("rotate", rotate_cf);
Primitive pre_rotate_pf("preRotate", pre_rotate_cf);
Primitive scale_pf("scale", scale_cf);
Primitive pre_scale_pf("preScale", pre_scale_cf);
Primitive quat_to_euler_pf("quatToEuler", quat_to_euler_cf);
Primitive euler_to_quat_pf("eulerToQuat", euler_to_quat_cf);
Primitive conjugate_pf("conjugate", conjugate_cf);

}  // namespace

ValueMetaClass Point2Value_class("Point2", nullptr, make_point2, &host::point2_properties);
ValueMetaClass Point4Value_class("Point4", nullptr, make_point4, &host::point4_properties);
ValueMetaClass Matrix3Value_class("Matrix3", nullptr, make_matrix3, &host::matrix3_properties);
ValueMetaClass QuatValue_class("Quat", nullptr, make_quat, &host::quat_properties);
ValueMetaClass EulerAnglesValue_class("EulerAngles", nullptr, make_euler_angles,
                                      &host::euler_angles_properties);
ValueMetaClass AngAxisValue_class("AngleAxis", nullptr, make_angle_axis, &host::angle_axis_properties);

// Transform matrices, quaternions and Euler angles.
#include <algorithm>
#include <cmath>

#include "host/geometry.h"

Matrix3 Matrix3::operator*(const Matrix3& o) const {
  Matrix3 r;
  for (int i = 0; i < 3; ++i) r.m[i] = VectorTransform(m[i], o);
  r.m[3] = m[3] * o;
  return r;
}

Point3 operator*(const Point3& p, const Matrix3& m) { return VectorTransform(p, m) + m.m[3]; }

Point3 VectorTransform(const Point3& p, const Matrix3& m) {
  return m.m[0] * p.x + m.m[1] * p.y + m.m[2] * p.z;
}

bool Inverse(const Matrix3& m, Matrix3* out) {
  float det = m.Determinant();
  if (det == 0.0f || !std::isfinite(det)) return false;
  // The inverse of the axis rows is the transposed adjugate over the determinant.
  Point3 c0 = CrossProd(m.m[1], m.m[2]) / det;
  Point3 c1 = CrossProd(m.m[2], m.m[0]) / det;
  Point3 c2 = CrossProd(m.m[0], m.m[1]) / det;
  Matrix3 r({c0.x, c1.x, c2.x}, {c0.y, c1.y, c2.y}, {c0.z, c1.z, c2.z}, {});
  r.m[3] = -VectorTransform(m.m[3], r);
  *out = r;
  return true;
}

Matrix3 RotateXMatrix(float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  return {{1, 0, 0}, {0, c, s}, {0, -s, c}, {}};
}

Matrix3 RotateYMatrix(float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}, {}};
}

Matrix3 RotateZMatrix(float angle) {
  float c = std::cos(angle), s = std::sin(angle);
  return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}, {}};
}

Matrix3 TransMatrix(const Point3& p) {
  Matrix3 m = Matrix3::Identity();
  m.m[3] = p;
  return m;
}

Matrix3 ScaleMatrix(const Point3& s) { return {{s.x, 0, 0}, {0, s.y, 0}, {0, 0, s.z}, {}}; }

Matrix3 Orthogonalize(const Matrix3& m) {
  Matrix3 r = m;
  r.m[0] = Normalize(m.m[0]);
  r.m[1] = Normalize(m.m[1] - r.m[0] * DotProd(m.m[1], r.m[0]));
  r.m[2] = CrossProd(r.m[0], r.m[1]);
  if (DotProd(r.m[2], m.m[2]) < 0) r.m[2] = -r.m[2];
  return r;
}

// The entries are those of the usual column-vector rotation of q, read here
// as rows: the row-vector rotation of q's conjugate.
Matrix3 QuatToMatrix(const Quat& q) {
  float xx = q.x * q.x, yy = q.y * q.y, zz = q.z * q.z;
  float xy = q.x * q.y, xz = q.x * q.z, yz = q.y * q.z;
  float wx = q.w * q.x, wy = q.w * q.y, wz = q.w * q.z;
  return {{1 - 2 * (yy + zz), 2 * (xy - wz), 2 * (xz + wy)},
          {2 * (xy + wz), 1 - 2 * (xx + zz), 2 * (yz - wx)},
          {2 * (xz - wy), 2 * (yz + wx), 1 - 2 * (xx + yy)},
          {}};
}

Quat MatrixToQuat(const Matrix3& matrix) {
  Matrix3 r = Orthogonalize(matrix);
  if (r.Determinant() < 0) r.m[2] = -r.m[2];
  const Point3* m = r.m;
  float trace = m[0].x + m[1].y + m[2].z;
  Quat q;
  if (trace > 0) {
    float s = std::sqrt(trace + 1.0f) * 2;
    q = {(m[2].y - m[1].z) / s, (m[0].z - m[2].x) / s, (m[1].x - m[0].y) / s, s / 4};
  } else if (m[0].x > m[1].y && m[0].x > m[2].z) {
    float s = std::sqrt(1.0f + m[0].x - m[1].y - m[2].z) * 2;
    q = {s / 4, (m[0].y + m[1].x) / s, (m[0].z + m[2].x) / s, (m[2].y - m[1].z) / s};
  } else if (m[1].y > m[2].z) {
    float s = std::sqrt(1.0f + m[1].y - m[0].x - m[2].z) * 2;
    q = {(m[0].y + m[1].x) / s, s / 4, (m[1].z + m[2].y) / s, (m[0].z - m[2].x) / s};
  } else {
    float s = std::sqrt(1.0f + m[2].z - m[0].x - m[1].y) * 2;
    q = {(m[0].z + m[2].x) / s, (m[1].z + m[2].y) / s, s / 4, (m[1].x - m[0].y) / s};
  }
  if (q.w < 0) q = -q;
  return q.Normalize();
}

AngAxis::AngAxis(const Quat& quat) {
  Quat q = quat.Normalize();
  float s = std::sqrt(q.x * q.x + q.y * q.y + q.z * q.z);
  angle = 2.0f * std::atan2(s, q.w);
  axis = s == 0.0f ? Point3(0, 0, 1) : Point3(q.x / s, q.y / s, q.z / s);
}

Quat QFromAngAxis(float angle, const Point3& axis) {
  Point3 a = Normalize(axis);
  float s = std::sin(angle / 2);
  return {a.x * s, a.y * s, a.z * s, std::cos(angle / 2)};
}

namespace {

struct OrderAxes {
  int first, second, third;
};

OrderAxes axes_of(int order) {
  static constexpr OrderAxes kOrders[] = {{0, 1, 2}, {0, 2, 1}, {1, 2, 0}, {1, 0, 2}, {2, 0, 1},
                                          {2, 1, 0}, {0, 1, 0}, {1, 2, 1}, {2, 0, 2}};
  if (order < EULERTYPE_XYZ || order > EULERTYPE_ZXZ) order = EULERTYPE_XYZ;
  return kOrders[order - 1];
}

Matrix3 axis_rotation(int axis, float angle) {
  if (axis == 0) return RotateXMatrix(angle);
  if (axis == 1) return RotateYMatrix(angle);
  return RotateZMatrix(angle);
}

// +1 when (i, j, k) is an even permutation of the axes.
float parity(int i, int j) { return (j == (i + 1) % 3) ? 1.0f : -1.0f; }

}  // namespace

Matrix3 EulerToMatrix(const float angles[3], int order) {
  OrderAxes o = axes_of(order);
  if (o.first == o.third)
    return axis_rotation(o.first, angles[0]) * axis_rotation(o.second, angles[1]) *
           axis_rotation(o.third, angles[2]);
  return axis_rotation(o.first, angles[o.first]) * axis_rotation(o.second, angles[o.second]) *
         axis_rotation(o.third, angles[o.third]);
}

// Works on the transposed rotation n, the column-vector form, in which the
// order's rotations multiply right to left.
void MatrixToEuler(const Matrix3& matrix, float angles[3], int order) {
  Matrix3 r = Orthogonalize(matrix);
  auto n = [&](int row, int col) { return r.m[col][row]; };
  OrderAxes o = axes_of(order);
  int i = o.first, j = o.second;
  constexpr float kGimbal = 1e-6f;
  if (o.first != o.third) {
    int k = o.third;
    float s = parity(i, j);
    float b = std::asin(std::clamp(-s * n(k, i), -1.0f, 1.0f));
    float a, c;
    if (std::cos(b) > kGimbal) {
      a = std::atan2(s * n(k, j), n(k, k));
      c = std::atan2(s * n(j, i), n(i, i));
    } else {
      c = 0;
      a = std::atan2(-s * n(j, k), n(j, j));
    }
    angles[i] = a;
    angles[j] = b;
    angles[k] = c;
    return;
  }
  int k = 3 - i - j;
  float s = parity(i, j);
  float b = std::acos(std::clamp(n(i, i), -1.0f, 1.0f));
  float a, c;
  if (std::sin(b) > kGimbal) {
    a = std::atan2(n(i, j), s * n(i, k));
    c = std::atan2(n(j, i), -s * n(k, i));
  } else {
    c = 0;
    a = std::atan2(-s * n(j, k), n(j, j));
  }
  angles[0] = a;
  angles[1] = b;
  angles[2] = c;
}

// Transform matrices, quaternions and Euler angles: inverses and round trips
// over many generated rotations.
#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "host/geometry.h"

namespace {

constexpr float kPi = 3.14159265358979f;

class GeometryMath : public ::testing::Test {
 protected:
  std::mt19937 rng{20261207};
  float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
  Quat random_rotation() {
    Quat q(uniform(-1, 1), uniform(-1, 1), uniform(-1, 1), uniform(-1, 1));
    if (q.Norm() < 1e-3f) q = Quat(0.1f, 0.2f, 0.3f, 0.9f);
    return q.Normalize();
  }
  Point3 random_point(float lo, float hi) { return {uniform(lo, hi), uniform(lo, hi), uniform(lo, hi)}; }
};

void expect_near(const Matrix3& a, const Matrix3& b, float tolerance) {
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(a[r][c], b[r][c], tolerance) << "row " << r << " column " << c;
}

// q and -q are the same rotation.
void expect_same_rotation(const Quat& a, const Quat& b) {
  float dot = a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
  EXPECT_NEAR(std::fabs(dot), 1.0f, 1e-5f);
}

TEST_F(GeometryMath, AxisRotationsTurnCounterClockwise) {
  Point3 y = Point3(1, 0, 0) * RotateZMatrix(kPi / 2);
  EXPECT_NEAR(y.x, 0, 1e-6f);
  EXPECT_NEAR(y.y, 1, 1e-6f);
  Point3 z = Point3(0, 1, 0) * RotateXMatrix(kPi / 2);
  EXPECT_NEAR(z.y, 0, 1e-6f);
  EXPECT_NEAR(z.z, 1, 1e-6f);
  Point3 x = Point3(0, 0, 1) * RotateYMatrix(kPi / 2);
  EXPECT_NEAR(x.x, 1, 1e-6f);
  EXPECT_NEAR(x.z, 0, 1e-6f);
}

TEST_F(GeometryMath, ProductAppliesLeftMatrixFirst) {
  Matrix3 m = TransMatrix({1, 0, 0}) * ScaleMatrix({2, 2, 2});
  Point3 p = Point3(0, 0, 0) * m;
  EXPECT_EQ(p, Point3(2, 0, 0));
  EXPECT_EQ(Point3(1, 2, 3) * m, (Point3(1, 2, 3) * TransMatrix({1, 0, 0})) * ScaleMatrix({2, 2, 2}));
}

TEST_F(GeometryMath, InverseUndoesGeneratedTransforms) {
  for (int i = 0; i < 500; ++i) {
    Point3 scale = random_point(0.2f, 5.0f);
    if (i % 3 == 0) scale.y = -scale.y;  // mirrored
    Matrix3 m = ScaleMatrix(scale) * QuatToMatrix(random_rotation()) * TransMatrix(random_point(-100, 100));
    Matrix3 inverse;
    ASSERT_TRUE(Inverse(m, &inverse));
    expect_near(m * inverse, Matrix3::Identity(), 1e-3f);
    expect_near(inverse * m, Matrix3::Identity(), 1e-3f);
  }
}

TEST_F(GeometryMath, SingularMatricesHaveNoInverse) {
  Matrix3 out = Matrix3::Identity();
  EXPECT_FALSE(Inverse(Matrix3(), &out));
  EXPECT_FALSE(Inverse(ScaleMatrix({1, 0, 1}), &out));
  Matrix3 flat({1, 2, 3}, {2, 4, 6}, {0, 0, 1}, {});
  EXPECT_FALSE(Inverse(flat, &out));
  EXPECT_EQ(out, Matrix3::Identity());
}

TEST_F(GeometryMath, QuatMatrixRoundTrip) {
  for (int i = 0; i < 1000; ++i) {
    Quat q = random_rotation();
    Matrix3 m = QuatToMatrix(q);
    EXPECT_NEAR(m.Determinant(), 1.0f, 1e-4f);
    expect_same_rotation(MatrixToQuat(m), q);
    // Scale and translation do not change the rotation a matrix holds.
    Matrix3 scaled = ScaleMatrix(random_point(0.5f, 3)) * m * TransMatrix(random_point(-10, 10));
    expect_same_rotation(MatrixToQuat(scaled), q);
  }
}

TEST_F(GeometryMath, QuatProductComposesLikeMatrices) {
  for (int i = 0; i < 300; ++i) {
    Quat a = random_rotation(), b = random_rotation();
    expect_near(QuatToMatrix(a * b), QuatToMatrix(a) * QuatToMatrix(b), 1e-5f);
    expect_near(QuatToMatrix(a * a.Inverse()), Matrix3::Identity(), 1e-5f);
  }
}

TEST_F(GeometryMath, AngAxisRoundTrip) {
  for (int i = 0; i < 300; ++i) {
    Point3 axis = Normalize(random_point(-1, 1));
    float angle = uniform(0.01f, 3.1f);
    AngAxis aa(QFromAngAxis(angle, axis));
    EXPECT_NEAR(aa.angle, angle, 1e-4f);
    EXPECT_NEAR(Length(aa.axis - axis), 0.0f, 1e-4f);
  }
}

TEST_F(GeometryMath, EulerRoundTripInEveryOrder) {
  for (int order = EULERTYPE_XYZ; order <= EULERTYPE_ZXZ; ++order) {
    for (int i = 0; i < 300; ++i) {
      float angles[3] = {uniform(-3, 3), uniform(-3, 3), uniform(-3, 3)};
      if (i % 50 == 0) angles[1] = order <= EULERTYPE_ZYX ? kPi / 2 : 0.0f;  // gimbal lock
      Matrix3 m = EulerToMatrix(angles, order);
      float back[3];
      MatrixToEuler(m, back, order);
      expect_near(EulerToMatrix(back, order), m, 1e-4f);
    }
  }
}

TEST_F(GeometryMath, EulerOrderSetsTheSequence) {
  float angles[3] = {0.3f, -0.5f, 1.1f};
  Matrix3 xyz = RotateXMatrix(angles[0]) * RotateYMatrix(angles[1]) * RotateZMatrix(angles[2]);
  Matrix3 zyx = RotateZMatrix(angles[2]) * RotateYMatrix(angles[1]) * RotateXMatrix(angles[0]);
  expect_near(EulerToMatrix(angles, EULERTYPE_XYZ), xyz, 1e-6f);
  expect_near(EulerToMatrix(angles, EULERTYPE_ZYX), zyx, 1e-6f);
  Matrix3 zxz = RotateZMatrix(angles[0]) * RotateXMatrix(angles[1]) * RotateZMatrix(angles[2]);
  expect_near(EulerToMatrix(angles, EULERTYPE_ZXZ), zxz, 1e-6f);
}

TEST_F(GeometryMath, OrthogonalizeKeepsAxesAndTranslation) {
  Matrix3 m({2, 0, 0}, {1, 3, 0}, {0, 0, -4}, {5, 6, 7});
  Matrix3 o = Orthogonalize(m);
  expect_near(o, Matrix3({1, 0, 0}, {0, 1, 0}, {0, 0, -1}, {5, 6, 7}), 1e-6f);
}

}  // namespace

// Plain geometry and colour types shared by the host and plug-ins.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

struct Point3 {
  float x = 0, y = 0, z = 0;
  Point3() = default;
  Point3(float ax, float ay, float az) : x(ax), y(ay), z(az) {}
  Point3 operator+(const Point3& o) const { return {x + o.x, y + o.y, z + o.z}; }
  Point3 operator-(const Point3& o) const { return {x - o.x, y - o.y, z - o.z}; }
  Point3 operator*(float f) const { return {x * f, y * f, z * f}; }
  Point3 operator/(float f) const { return {x / f, y / f, z / f}; }
  Point3 operator-() const { return {-x, -y, -z}; }
  bool operator==(const Point3& o) const { return x == o.x && y == o.y && z == o.z; }
  float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : z); }
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : z); }
};
inline float DotProd(const Point3& a, const Point3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline Point3 CrossProd(const Point3& a, const Point3& b) {
  return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
}
inline float Length(const Point3& p) { return std::sqrt(DotProd(p, p)); }
// The unit vector along p; the zero vector stays zero.
inline Point3 Normalize(const Point3& p) {
  float len = Length(p);
  return len == 0.0f ? p : p / len;
}

struct Point2 {
  float x = 0, y = 0;
  Point2() = default;
  Point2(float ax, float ay) : x(ax), y(ay) {}
  Point2 operator+(const Point2& o) const { return {x + o.x, y + o.y}; }
  Point2 operator-(const Point2& o) const { return {x - o.x, y - o.y}; }
  Point2 operator*(float f) const { return {x * f, y * f}; }
  Point2 operator/(float f) const { return {x / f, y / f}; }
  Point2 operator-() const { return {-x, -y}; }
  bool operator==(const Point2& o) const { return x == o.x && y == o.y; }
  float& operator[](int i) { return i == 0 ? x : y; }
  float operator[](int i) const { return i == 0 ? x : y; }
};
inline float DotProd(const Point2& a, const Point2& b) { return a.x * b.x + a.y * b.y; }
inline float Length(const Point2& p) { return std::sqrt(DotProd(p, p)); }

struct Point4 {
  float x = 0, y = 0, z = 0, w = 0;
  Point4() = default;
  Point4(float ax, float ay, float az, float aw) : x(ax), y(ay), z(az), w(aw) {}
  Point4 operator+(const Point4& o) const { return {x + o.x, y + o.y, z + o.z, w + o.w}; }
  Point4 operator-(const Point4& o) const { return {x - o.x, y - o.y, z - o.z, w - o.w}; }
  Point4 operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
  Point4 operator/(float f) const { return {x / f, y / f, z / f, w / f}; }
  Point4 operator-() const { return {-x, -y, -z, -w}; }
  bool operator==(const Point4& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
  float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
};
inline float DotProd(const Point4& a, const Point4& b) {
  return a.x * b.x + a.y * b.y + a.z * b.z + a.w * b.w;
}
inline float Length(const Point4& p) { return std::sqrt(DotProd(p, p)); }

// A 4x3 transform: three axis rows and a translation row. Points are row
// vectors, so p * m transforms p and a * b applies a first, then b.
class Matrix3 {
 public:
  Point3 m[4];  // all zero until set
  Matrix3() = default;
  Matrix3(const Point3& r0, const Point3& r1, const Point3& r2, const Point3& r3) : m{r0, r1, r2, r3} {}
  static Matrix3 Identity() { return {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0, 0, 0}}; }
  Point3& operator[](int row) { return m[row]; }
  const Point3& operator[](int row) const { return m[row]; }
  Point3 GetRow(int row) const { return m[row]; }
  void SetRow(int row, const Point3& p) { m[row] = p; }
  Point3 GetTrans() const { return m[3]; }
  void SetTrans(const Point3& p) { m[3] = p; }
  void NoTrans() { m[3] = Point3(); }
  bool IsIdentity() const { return *this == Identity(); }
  bool operator==(const Matrix3& o) const {
    return m[0] == o.m[0] && m[1] == o.m[1] && m[2] == o.m[2] && m[3] == o.m[3];
  }
  Matrix3 operator+(const Matrix3& o) const {
    return {m[0] + o.m[0], m[1] + o.m[1], m[2] + o.m[2], m[3] + o.m[3]};
  }
  Matrix3 operator-(const Matrix3& o) const {
    return {m[0] - o.m[0], m[1] - o.m[1], m[2] - o.m[2], m[3] - o.m[3]};
  }
  Matrix3 operator*(const Matrix3& o) const;
  // The sign and size of the volume the axis rows span.
  float Determinant() const { return DotProd(CrossProd(m[0], m[1]), m[2]); }
};
Point3 operator*(const Point3& p, const Matrix3& m);
// Transforms a direction: the translation row takes no part.
Point3 VectorTransform(const Point3& p, const Matrix3& m);
// The inverse transform; false (and m unchanged in *out) when m has no inverse.
bool Inverse(const Matrix3& m, Matrix3* out);
// Rotations about the world axes by an angle in radians, counter-clockwise
// looking down the axis toward the origin.
Matrix3 RotateXMatrix(float angle);
Matrix3 RotateYMatrix(float angle);
Matrix3 RotateZMatrix(float angle);
Matrix3 TransMatrix(const Point3& p);
Matrix3 ScaleMatrix(const Point3& s);
// The axis rows made unit length and square to one another (x kept, then y).
Matrix3 Orthogonalize(const Matrix3& m);

// A rotation as a quaternion. Kept as the application keeps it: the vector
// part points along the axis of a left-handed rotation, so a rotation the
// user sees counter-clockwise has a vector part opposite its axis.
struct Quat {
  float x = 0, y = 0, z = 0, w = 1;
  Quat() = default;
  Quat(float ax, float ay, float az, float aw) : x(ax), y(ay), z(az), w(aw) {}
  static Quat Identity() { return {}; }
  float& operator[](int i) { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
  float operator[](int i) const { return i == 0 ? x : (i == 1 ? y : (i == 2 ? z : w)); }
  bool operator==(const Quat& o) const { return x == o.x && y == o.y && z == o.z && w == o.w; }
  bool IsIdentity() const { return x == 0 && y == 0 && z == 0 && w == 1; }
  // q1 * q2 rotates by q1, then by q2, as matrices compose.
  Quat operator*(const Quat& o) const {
    return {w * o.x + x * o.w + y * o.z - z * o.y, w * o.y - x * o.z + y * o.w + z * o.x,
            w * o.z + x * o.y - y * o.x + z * o.w, w * o.w - x * o.x - y * o.y - z * o.z};
  }
  Quat operator*(float f) const { return {x * f, y * f, z * f, w * f}; }
  Quat operator/(float f) const { return {x / f, y / f, z / f, w / f}; }
  Quat operator-() const { return {-x, -y, -z, -w}; }
  Quat Conjugate() const { return {-x, -y, -z, w}; }
  float Norm() const { return x * x + y * y + z * z + w * w; }
  Quat Inverse() const {
    float n = Norm();
    return n == 0.0f ? *this : Conjugate() / n;
  }
  Quat Normalize() const {
    float n = std::sqrt(Norm());
    return n == 0.0f ? *this : *this / n;
  }
};
// The rotation matrix of a quaternion, and the rotation a matrix holds (its
// axis rows made orthonormal first, so scale and skew do not leak in).
Matrix3 QuatToMatrix(const Quat& q);
Quat MatrixToQuat(const Matrix3& m);

// A left-handed rotation of angle radians about axis.
struct AngAxis {
  Point3 axis{0, 0, 1};
  float angle = 0;
  AngAxis() = default;
  AngAxis(const Point3& a, float ang) : axis(a), angle(ang) {}
  explicit AngAxis(const Quat& q);
};
Quat QFromAngAxis(float angle, const Point3& axis);

// Euler angle orders: the axes the rotations turn about, first to last.
enum EulerOrder {
  EULERTYPE_XYZ = 1,
  EULERTYPE_XZY,
  EULERTYPE_YZX,
  EULERTYPE_YXZ,
  EULERTYPE_ZXY,
  EULERTYPE_ZYX,
  EULERTYPE_XYX,
  EULERTYPE_YZY,
  EULERTYPE_ZXZ
};
// Counter-clockwise angles in radians about x, y and z (for the orders that
// repeat an axis: first, second and third rotation), applied in the order's
// sequence.
Matrix3 EulerToMatrix(const float angles[3], int order = EULERTYPE_XYZ);
void MatrixToEuler(const Matrix3& m, float angles[3], int order = EULERTYPE_XYZ);

// Colour with components 0..1.
struct Color {
  float r = 0, g = 0, b = 0;
  Color() = default;
  Color(float ar, float ag, float ab) : r(ar), g(ag), b(ab) {}
  explicit Color(const Point3& p) : r(p.x), g(p.y), b(p.z) {}
  // A colour word as Windows keeps it: 0x00BBGGRR.
  explicit Color(std::uint32_t rgb)
      : r(static_cast<float>(rgb & 0xFF) / 255.0f),
        g(static_cast<float>((rgb >> 8) & 0xFF) / 255.0f),
        b(static_cast<float>((rgb >> 16) & 0xFF) / 255.0f) {}
  Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b}; }
  Color operator-(const Color& o) const { return {r - o.r, g - o.g, b - o.b}; }
  Color operator*(const Color& o) const { return {r * o.r, g * o.g, b * o.b}; }
  Color operator*(float f) const { return {r * f, g * f, b * f}; }
  Color& operator+=(const Color& o) { return *this = *this + o; }
  Color& operator*=(float f) { return *this = *this * f; }
  bool operator==(const Color& o) const = default;
  // Each component limited to [0, 1].
  void ClampMinMax() {
    auto clamp = [](float v) { return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v); };
    r = clamp(r);
    g = clamp(g);
    b = clamp(b);
  }
};
inline Color operator*(float f, const Color& c) { return c * f; }
// The brightness of a colour as maps reduce it to one value.
inline float Intens(const Color& c) { return (c.r + c.g + c.b) / 3.0f; }

struct AColor {
  float r = 0, g = 0, b = 0, a = 1;
  AColor() = default;
  AColor(float ar, float ag, float ab, float aa = 1.0f) : r(ar), g(ag), b(ab), a(aa) {}
  AColor(const Color& c) : r(c.r), g(c.g), b(c.b), a(1.0f) {}  // NOLINT: colours widen freely
};

// A growable set of bits addressed from 0.
class BitArray {
 public:
  BitArray() = default;
  explicit BitArray(int size) { SetSize(size); }
  int GetSize() const { return static_cast<int>(bits_.size()); }
  void SetSize(int size, bool keep = true) {
    if (!keep) bits_.clear();
    bits_.resize(size > 0 ? static_cast<std::size_t>(size) : 0, false);
  }
  void Set(int i) {
    grow(i);
    bits_[i] = true;
  }
  void Set(int i, bool on) {
    grow(i);
    bits_[i] = on;
  }
  void Clear(int i) {
    if (i >= 0 && i < GetSize()) bits_[i] = false;
  }
  void ClearAll() { bits_.assign(bits_.size(), false); }
  void SetAll() { bits_.assign(bits_.size(), true); }
  bool operator[](int i) const { return i >= 0 && i < GetSize() && bits_[i]; }
  int NumberSet() const {
    int n = 0;
    for (bool b : bits_) n += b ? 1 : 0;
    return n;
  }

 private:
  void grow(int i) {
    if (i >= GetSize()) bits_.resize(static_cast<std::size_t>(i) + 1, false);
  }
  std::vector<bool> bits_;
};

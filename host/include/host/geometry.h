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

// Colour with components 0..1.
struct Color {
  float r = 0, g = 0, b = 0;
  Color() = default;
  Color(float ar, float ag, float ab) : r(ar), g(ag), b(ab) {}
};

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
  void Set(int i) { grow(i); bits_[i] = true; }
  void Set(int i, bool on) { grow(i); bits_[i] = on; }
  void Clear(int i) { if (i >= 0 && i < GetSize()) bits_[i] = false; }
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

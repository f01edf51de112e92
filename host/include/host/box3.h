// An axis-aligned box as the application keeps one: the corners pmin and
// pmax, empty until a point is added.
#pragma once

#include <algorithm>
#include <cmath>

#include "host/geometry.h"

class Box3 {
 public:
  Point3 pmin, pmax;

  Box3() { Init(); }
  Box3(const Point3& lo, const Point3& hi) : pmin(lo), pmax(hi) {}

  // Empty: pmin above pmax on every axis, so the first point added sets both.
  void Init() {
    pmin = Point3(kEmptyMin, kEmptyMin, kEmptyMin);
    pmax = Point3(-kEmptyMin, -kEmptyMin, -kEmptyMin);
  }
  bool IsEmpty() const { return pmin.x > pmax.x || pmin.y > pmax.y || pmin.z > pmax.z; }
  Point3 Min() const { return pmin; }
  Point3 Max() const { return pmax; }
  // The centre and the extent on each axis; an empty box has neither, so both
  // are the zero vector.
  Point3 Center() const { return IsEmpty() ? Point3() : (pmin + pmax) / 2.0f; }
  Point3 Width() const { return IsEmpty() ? Point3() : pmax - pmin; }
  // Corner i: bit 0 picks pmax's x, bit 1 its y, bit 2 its z.
  Point3 operator[](int i) const {
    return {(i & 1) ? pmax.x : pmin.x, (i & 2) ? pmax.y : pmin.y, (i & 4) ? pmax.z : pmin.z};
  }

  // A point with a NaN coordinate has no place, so it leaves the box as it was.
  Box3& operator+=(const Point3& p) {
    if (std::isnan(p.x) || std::isnan(p.y) || std::isnan(p.z)) return *this;
    if (IsEmpty()) {
      pmin = pmax = p;
      return *this;
    }
    pmin = Point3(std::min(pmin.x, p.x), std::min(pmin.y, p.y), std::min(pmin.z, p.z));
    pmax = Point3(std::max(pmax.x, p.x), std::max(pmax.y, p.y), std::max(pmax.z, p.z));
    return *this;
  }
  Box3& operator+=(const Box3& b) {
    if (!b.IsEmpty()) {
      *this += b.pmin;
      *this += b.pmax;
    }
    return *this;
  }
  bool Contains(const Point3& p) const {
    return !IsEmpty() && p.x >= pmin.x && p.x <= pmax.x && p.y >= pmin.y && p.y <= pmax.y && p.z >= pmin.z &&
           p.z <= pmax.z;
  }
  void MakeCube(const Point3& center, float side) {
    Point3 half(side / 2, side / 2, side / 2);
    pmin = center - half;
    pmax = center + half;
  }
  void Translate(const Point3& p) {
    if (!IsEmpty()) {
      pmin = pmin + p;
      pmax = pmax + p;
    }
  }
  void EnlargeBy(float s) {
    if (!IsEmpty()) {
      pmin = pmin - Point3(s, s, s);
      pmax = pmax + Point3(s, s, s);
    }
  }
  // The box around this box's eight corners transformed by tm.
  Box3 operator*(const Matrix3& tm) const;

 private:
  static constexpr float kEmptyMin = 1e30f;
};

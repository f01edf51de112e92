// Where things are on a mesh: its bounding box and points on its faces.
#include <cmath>

#include "host/mesh.h"

Box3 Mesh::getBoundingBox(Matrix3* tm) const {
  Box3 box;
  for (const Point3& p : verts_) box += tm ? p * *tm : p;
  return box;
}

Point3 Mesh::BaryCoords(DWORD face, Point3 p) const {
  Point3 c[3];
  if (face >= static_cast<DWORD>(getNumFaces()) || !face_points(static_cast<int>(face), c)) return Point3();
  Point3 e1 = c[1] - c[0], e2 = c[2] - c[0], d = p - c[0];
  float d11 = DotProd(e1, e1), d12 = DotProd(e1, e2), d22 = DotProd(e2, e2);
  float d1 = DotProd(d, e1), d2 = DotProd(d, e2);
  float denom = d11 * d22 - d12 * d12;
  // Relative to the edges' lengths, so a large face is not taken for a flat one.
  if (std::isfinite(denom) && denom > 1e-6f * d11 * d22) {
    float b1 = (d22 * d1 - d12 * d2) / denom;
    float b2 = (d11 * d2 - d12 * d1) / denom;
    return {1.0f - b1 - b2, b1, b2};
  }
  // Collapsed: along the longest edge, or the corners alike for a point.
  int longest = 0;
  float best = -1.0f;
  for (int k = 0; k < 3; ++k) {
    Point3 edge = c[(k + 1) % 3] - c[k];
    float len = DotProd(edge, edge);
    if (len > best) {
      best = len;
      longest = k;
    }
  }
  if (!(best > 0.0f) || !std::isfinite(best)) return {1.0f / 3, 1.0f / 3, 1.0f / 3};
  int a = longest, b = (longest + 1) % 3;
  float t = DotProd(p - c[a], c[b] - c[a]) / best;
  Point3 out;
  out[a] = 1.0f - t;
  out[b] = t;
  return out;
}

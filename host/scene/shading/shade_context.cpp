// The host's answers to the ShadeContext questions a context leaves to it:
// the environment lookup, the vector transforms without scale and the
// diffuse illumination; also the triangle bump vectors.
#include <cmath>
#include <numbers>

#include "direction_context.h"
#include "host/materials.h"
#include "host/shading.h"

// The map is looked up as a spherical environment: the direction, turned into
// world space, gives the longitude (u, a full turn about the world's z axis,
// 0.5 looking down +y) and the latitude (v, 0 straight down, 1 straight up).
// Maps that read the point instead of the texture coordinates see the unit
// direction as the point.
AColor ShadeContext::EvalEnvironMap(Texmap* map, Point3 view) {
  if (map == nullptr) return AColor(0, 0, 0, 0);
  Point3 dir = Normalize(VectorTo(view, REF_WORLD));
  constexpr float kPi = std::numbers::pi_v<float>;
  float u = 0.5f + std::atan2(dir.x, dir.y) / (2.0f * kPi);
  float v = 0.5f + std::asin(std::fmax(-1.0f, std::fmin(1.0f, dir.z))) / kPi;
  DirectionContext environment(*this, dir, Point3(u, v, 0.0f));
  return map->EvalColor(environment);
}

// The length of p is kept: only the frame's rotation acts on it.
Point3 ShadeContext::VectorToNoScale(const Point3& p, RefFrame ito) {
  return Normalize(VectorTo(p, ito)) * Length(p);
}

Point3 ShadeContext::VectorFromNoScale(const Point3& p, RefFrame ifrom) {
  return Normalize(VectorFrom(p, ifrom)) * Length(p);
}

Color ShadeContext::DiffuseIllum() {
  Color sum;
  Point3 normal = Normal();
  for (int i = 0; i < nLights; ++i) {
    LightDesc* light = Light(i);
    if (light == nullptr) continue;
    Color color;
    Point3 dir;
    float dot_nl = 0.0f, diffuse_coef = 0.0f;
    if (!light->Illuminate(*this, normal, color, dir, dot_nl, diffuse_coef)) continue;
    if (light->ambientOnly)
      sum += color;
    else if (light->affectDiffuse)
      sum += color * diffuse_coef;
  }
  return sum;
}

// The change of the point per unit of u (bvec[0]) and of v (bvec[1]) across
// the triangle, and its unit normal as the change per unit of w (bvec[2]).
// A triangle whose u and v run together gives each along the edge that
// carries it, or zero.
void ComputeBumpVectors(const Point3 tv[3], const Point3 v[3], Point3 bvec[3]) {
  float du1 = tv[1].x - tv[0].x, du2 = tv[2].x - tv[0].x;
  float dv1 = tv[1].y - tv[0].y, dv2 = tv[2].y - tv[0].y;
  Point3 e1 = v[1] - v[0], e2 = v[2] - v[0];
  float det = du1 * dv2 - du2 * dv1;
  if (det != 0.0f) {
    bvec[0] = (e1 * dv2 - e2 * dv1) / det;
    bvec[1] = (e2 * du1 - e1 * du2) / det;
  } else {
    bvec[0] = du1 != 0.0f ? e1 / du1 : (du2 != 0.0f ? e2 / du2 : Point3(0, 0, 0));
    bvec[1] = dv1 != 0.0f ? e1 / dv1 : (dv2 != 0.0f ? e2 / dv2 : Point3(0, 0, 0));
  }
  bvec[2] = Normalize(CrossProd(e1, e2));
}

#include "standard_light_descs.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

// The light from a point source at light_pos: FALSE when the point faces
// away from it.
BOOL point_light(ShadeContext& sc, const Point3& light_pos, const Point3& normal, Point3& dir, float& dot_nl,
                 float& diffuse_coef) {
  dir = Normalize(light_pos - sc.P());
  dot_nl = DotProd(normal, dir);
  diffuse_coef = dot_nl;
  return dot_nl > 0.0f ? TRUE : FALSE;
}

float degrees_to_radians(float d) { return d * std::numbers::pi_v<float> / 180.0f; }

}  // namespace

int StandardLightDesc::Update(TimeValue t, const RendContext& rc, RenderGlobalContext* rgc, BOOL shadows,
                              BOOL shadowGeomChanged) {
  ObjLightDesc::Update(t, rc, rgc, shadows, shadowGeomChanged);
  lit_color_ = ls.color * ls.intens;
  return 1;
}

Point3 StandardLightDesc::z_axis() const { return Normalize(VectorTransform(Point3(0, 0, 1), lightToCam)); }

BOOL OmniLightDesc::Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                               float& diffuseCoef) {
  if (!ls.useLight) return FALSE;
  if (!point_light(sc, lightPos, normal, dir, dotNL, diffuseCoef)) return FALSE;
  color = lit_color_;
  return TRUE;
}

BOOL DirectLightDesc::Illuminate(ShadeContext&, Point3& normal, Color& color, Point3& dir, float& dotNL,
                                 float& diffuseCoef) {
  if (!ls.useLight) return FALSE;
  dir = z_axis();
  dotNL = DotProd(normal, dir);
  diffuseCoef = dotNL;
  if (dotNL <= 0.0f) return FALSE;
  color = lit_color_;
  return TRUE;
}

BOOL SpotLightDesc::Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                               float& diffuseCoef) {
  if (!ls.useLight) return FALSE;
  Point3 from_light = Normalize(sc.P() - lightPos);
  float cos_angle = std::clamp(DotProd(from_light, -z_axis()), -1.0f, 1.0f);
  float angle = std::acos(cos_angle);
  float fall = degrees_to_radians(ls.fallsize) / 2.0f;
  float hot = std::min(degrees_to_radians(ls.hotsize) / 2.0f, fall);
  if (angle > fall) return FALSE;
  float share = 1.0f;
  if (angle > hot && fall > hot) {
    float f = (fall - angle) / (fall - hot);
    share = f * f * (3.0f - 2.0f * f);
  }
  if (share <= 0.0f) return FALSE;
  if (!point_light(sc, lightPos, normal, dir, dotNL, diffuseCoef)) return FALSE;
  color = lit_color_ * share;
  return TRUE;
}

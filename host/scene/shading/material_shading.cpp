// How the standard and multi/sub-object materials colour a shading point.
#include <cmath>

#include "../material_objects.h"

namespace {

// The light that reaches the point, summed over the context's lights.
struct LightSums {
  Color diffuse;   // colour times the diffuse coefficient
  Color specular;  // colour times the Blinn highlight
  Color ambient;   // ambient-only lights' colours
};

// Blinn's highlight: the half-way vector between the light and the eye
// against the normal, raised to a power that glossiness sets (2^(10 g)).
LightSums gather_lights(ShadeContext& sc, float glossiness) {
  LightSums sums;
  Point3 normal = sc.Normal();
  Point3 to_eye = -sc.V();
  float exponent = std::pow(2.0f, 10.0f * glossiness);
  for (int i = 0; i < sc.nLights; ++i) {
    LightDesc* light = sc.Light(i);
    if (light == nullptr) continue;
    Color color;
    Point3 dir;
    float dot_nl = 0.0f, diffuse_coef = 0.0f;
    if (!light->Illuminate(sc, normal, color, dir, dot_nl, diffuse_coef)) continue;
    if (light->ambientOnly) {
      sums.ambient += color;
      continue;
    }
    if (light->affectDiffuse) sums.diffuse += color * diffuse_coef;
    if (light->affectSpecular && dot_nl > 0.0f) {
      float dot_nh = DotProd(normal, Normalize(dir + to_eye));
      if (dot_nh > 0.0f) sums.specular += color * std::pow(dot_nh, exponent);
    }
  }
  return sums;
}

}  // namespace

ULONG StandardMtl::Requirements(int) { return state_.face_map ? MTLREQ_FACEMAP : 0; }

// The diffuse map, where maps apply, takes the place of the diffuse colour
// (the host keeps no map amount). Self-illumination mixes the lit colour
// toward the diffuse colour by its amount, or adds its own colour. The
// colour, highlights apart, is scaled by the opacity; the rest goes into
// the transparency.
void StandardMtl::Shade(ShadeContext& sc) {
  Color diffuse = state_.diffuse;
  Texmap* map = state_.maps[ID_DI];
  if (sc.doMaps && map != nullptr && state_.enabled[ID_DI]) {
    AColor c = map->EvalColor(sc);
    diffuse = Color(c.r, c.g, c.b);
  }
  LightSums lights = gather_lights(sc, state_.glossiness);
  Color lit = state_.ambient * (sc.ambientLight + lights.ambient) + diffuse * lights.diffuse;
  if (state_.self_illum_color_on)
    lit += state_.self_illum_color;
  else
    lit = lit * (1.0f - state_.self_illum) + diffuse * state_.self_illum;
  Color highlight = state_.specular * lights.specular * state_.specular_level;
  float opacity = state_.opacity;
  sc.out.c = lit * opacity + highlight;
  sc.out.t = Color(1.0f - opacity, 1.0f - opacity, 1.0f - opacity);
}

void StandardMtl::Update(TimeValue t, Interval& valid) {
  for (Texmap* map : state_.maps)
    if (map != nullptr) map->Update(t, valid);
}

void MultiMaterial::Update(TimeValue t, Interval& valid) {
  for (const Entry& entry : state_.entries)
    if (entry.mtl != nullptr) entry.mtl->Update(t, valid);
}

ULONG MultiMaterial::Requirements(int subMtlNum) {
  Mtl* m = for_id(subMtlNum);
  return m != nullptr ? m->Requirements(0) : 0;
}

void MultiMaterial::Shade(ShadeContext& sc) {
  Mtl* m = for_id(sc.mtlNum);
  if (m == nullptr) {
    sc.out.c = Color(0, 0, 0);
    sc.out.t = Color(0, 0, 0);
    return;
  }
  m->Shade(sc);
}

#include "wire_color_material.h"

#include <cmath>

WireColorMaterial::WireColorMaterial(Color wire) : diffuse_(wire), specular_exponent_(std::pow(2.0f, 10.0f * 0.2f)) {}

void WireColorMaterial::Shade(ShadeContext& sc) {
  Point3 n = sc.Normal();
  Point3 r = sc.ReflectVector();
  Color diffuse_sum, specular_sum, ambient_only_sum;
  for (int i = 0; i < sc.nLights; ++i) {
    LightDesc* light = sc.Light(i);
    if (light == nullptr) continue;
    Color color;
    Point3 l;
    float dot_nl = 0.0f, diffuse_coef = 0.0f;
    if (!light->Illuminate(sc, n, color, l, dot_nl, diffuse_coef)) continue;
    if (light->ambientOnly) {
      ambient_only_sum += color;
      continue;
    }
    if (light->affectDiffuse) diffuse_sum += color * diffuse_coef;
    float d = DotProd(r, l);
    if (light->affectSpecular && d > 0.0f) specular_sum += color * (std::pow(d, specular_exponent_) * dot_nl);
  }
  sc.out.t = Color(0, 0, 0);
  sc.out.c = (diffuse_sum + sc.ambientLight * 0.3f) * diffuse_ + specular_sum * specular_ + ambient_only_sum;
}

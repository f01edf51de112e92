// The descriptors of the standard lights: how an omni, a directional and a
// spot light reach a shading point. No attenuation with distance, as the
// standard lights' default; a light switched off gives no light.
#pragma once

#include "host/shading.h"

class StandardLightDesc : public ObjLightDesc {
 public:
  explicit StandardLightDesc(INode* node) : ObjLightDesc(node) {}
  // Also takes the colour the light gives off: its colour times its multiplier.
  int Update(TimeValue t, const RendContext& rc, RenderGlobalContext* rgc, BOOL shadows,
             BOOL shadowGeomChanged) override;

 protected:
  // The light's +z axis in camera space: it shines down the other way.
  Point3 z_axis() const;
  Color lit_color_;
};

// A point light, shining every way.
class OmniLightDesc : public StandardLightDesc {
 public:
  using StandardLightDesc::StandardLightDesc;
  BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override;
};

// Parallel light along the light's -z axis.
class DirectLightDesc : public StandardLightDesc {
 public:
  using StandardLightDesc::StandardLightDesc;
  BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override;
};

// A point light inside a cone about its -z axis: full inside the hotspot,
// fading smoothly to nothing at the falloff (both full cone angles).
class SpotLightDesc : public StandardLightDesc {
 public:
  using StandardLightDesc::StandardLightDesc;
  BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override;
};

// The material a node without one is baked with: its wire colour, a dull
// highlight and a share of the ambient light. It lives for one bake only
// and is known by its class id when it is deleted.
#pragma once

#include "host/lights.h"
#include "host/materials.h"
#include "host/maxscript.h"
#include "host/shading.h"

inline const Class_ID kWireColorMaterialClassID(0x4EFD2694, 0x37C809F4);

class WireColorMaterial : public Mtl {
 public:
  explicit WireColorMaterial(Color wire);

  Class_ID ClassID() override { return kWireColorMaterialClassID; }
  SClass_ID SuperClassID() override { return MATERIAL_CLASS_ID; }
  void GetClassName(std::string& s) override { s = "Mtl"; }

  Color GetAmbient(int, BOOL) override { return diffuse_; }
  Color GetDiffuse(int, BOOL) override { return diffuse_; }
  Color GetSpecular(int, BOOL) override { return specular_; }
  float GetShininess(int, BOOL) override { return 0.0f; }
  float GetShinStr(int, BOOL) override { return 0.0f; }
  float GetXParency(int, BOOL) override { return 0.0f; }
  float GetSelfIllum(int, BOOL) override { return 0.0f; }
  BOOL GetSelfIllumColorOn(int, BOOL) override { return TRUE; }
  Color GetSelfIllumColor(int, BOOL) override { return Color(0, 0, 0); }
  float WireSize(int, BOOL) override { return 1.0f; }
  void SetAmbient(Color, TimeValue) override {}
  void SetDiffuse(Color, TimeValue) override {}
  void SetSpecular(Color, TimeValue) override {}
  void SetShininess(float, TimeValue) override {}
  void Update(TimeValue, Interval&) override {}
  void Reset() override {}
  Interval Validity(TimeValue) override { return FOREVER; }

  // The diffuse light plus 0.3 of the ambient, times the wire colour; a
  // highlight of exponent 4 along the reflection vector; ambient-only light
  // as it comes.
  void Shade(ShadeContext& sc) override;

 private:
  Color diffuse_;
  Color specular_{0.2f, 0.2f, 0.2f};
  float specular_exponent_;
};

// Whether mtl is a stand-by material (made by a bake, to be deleted by it).
inline bool IsWireColorMaterial(Mtl* mtl) {
  return mtl != nullptr && mtl->ClassID() == kWireColorMaterialClassID;
}

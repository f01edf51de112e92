// A shading context for tests: the point, normal, view and coordinates are
// fields a test sets; camera, world and object space coincide unless a test
// gives the context a scale for its object frame.
#pragma once

#include <vector>

#include "host/shading.h"

class TestShadeContext : public ShadeContext {
 public:
  Point3 point;
  Point3 normal{0, 0, 1};
  Point3 view{0, 0, -1};  // from the eye toward the point
  Point3 uvw[3];          // channels 0, 1 and 2
  float object_scale = 1.0f;
  std::vector<LightDesc*> lights;

  TestShadeContext() { ambientLight = Color(0, 0, 0); }
  // Lists the lights for the material (the context does not own them).
  void set_lights(std::vector<LightDesc*> l) {
    lights = std::move(l);
    nLights = static_cast<int>(lights.size());
  }

  BOOL InMtlEditor() override { return FALSE; }
  LightDesc* Light(int n) override { return lights[static_cast<std::size_t>(n)]; }
  TimeValue CurTime() override { return 0; }
  int FaceNumber() override { return 0; }
  Point3 Normal() override { return normal; }
  Point3 GNormal() override { return normal; }
  Point3 V() override { return view; }
  void SetView(Point3 p) override { view = p; }
  Point3 ReflectVector() override { return view - normal * (2.0f * DotProd(normal, view)); }
  Point3 RefractVector(float) override { return view; }
  Point3 CamPos() override { return Point3(0, 0, 0); }
  Point3 P() override { return point; }
  Point3 DP() override { return Point3(0, 0, 0); }
  Point3 PObj() override { return point / object_scale; }
  Point3 DPObj() override { return Point3(0, 0, 0); }
  Box3 ObjectBox() override { return Box3(); }
  Point3 PObjRelBox() override { return PObj(); }
  Point3 DPObjRelBox() override { return Point3(0, 0, 0); }
  void ScreenUV(Point2& uv, Point2& duv) override {
    uv = Point2(0.5f, 0.5f);
    duv = Point2(0, 0);
  }
  IPoint2 ScreenCoord() override { return IPoint2(0, 0); }
  Point3 UVW(int channel) override { return channel >= 0 && channel < 3 ? uvw[channel] : Point3(0, 0, 0); }
  Point3 DUVW(int) override { return Point3(0, 0, 0); }
  void DPdUVW(Point3 dP[3], int) override {
    dP[0] = Point3(1, 0, 0);
    dP[1] = Point3(0, 1, 0);
    dP[2] = Point3(0, 0, 1);
  }
  void GetBGColor(Color& bgcol, Color& transp, BOOL) override {
    bgcol = Color(0, 0, 0);
    transp = Color(0, 0, 0);
  }
  Point3 PointTo(const Point3& p, RefFrame ito) override { return ito == REF_OBJECT ? p / object_scale : p; }
  Point3 PointFrom(const Point3& p, RefFrame ifrom) override {
    return ifrom == REF_OBJECT ? p * object_scale : p;
  }
  Point3 VectorTo(const Point3& p, RefFrame ito) override { return ito == REF_OBJECT ? p / object_scale : p; }
  Point3 VectorFrom(const Point3& p, RefFrame ifrom) override {
    return ifrom == REF_OBJECT ? p * object_scale : p;
  }
};

// A renderer's context for light descriptors' updates.
class TestRendContext : public RendContext {
 public:
  Color GlobalLightLevel() const override { return Color(1, 1, 1); }
};

// A light that only brightens the ambient term.
class AmbientOnlyLight : public LightDesc {
 public:
  explicit AmbientOnlyLight(Color c) : color_(c) { ambientOnly = TRUE; }
  BOOL Illuminate(ShadeContext&, Point3&, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override {
    color = color_;
    dir = Point3(0, 0, 1);
    dotNL = 1.0f;
    diffuseCoef = 1.0f;
    return TRUE;
  }

 private:
  Color color_;
};

// A context that asks another about everything but the point and the
// texture coordinates: the environment lookup's view of a direction.
#pragma once

#include "host/shading.h"

class DirectionContext : public ShadeContext {
 public:
  // point stands for P and PObj, uvw for every channel's coordinates.
  DirectionContext(ShadeContext& base, Point3 point, Point3 uvw);

  BOOL InMtlEditor() override { return base_.InMtlEditor(); }
  LightDesc* Light(int n) override { return base_.Light(n); }
  TimeValue CurTime() override { return base_.CurTime(); }
  int FaceNumber() override { return base_.FaceNumber(); }
  Point3 Normal() override { return base_.Normal(); }
  Point3 GNormal() override { return base_.GNormal(); }
  Point3 V() override { return base_.V(); }
  void SetView(Point3 p) override { base_.SetView(p); }
  Point3 ReflectVector() override { return base_.ReflectVector(); }
  Point3 RefractVector(float ior) override { return base_.RefractVector(ior); }
  Point3 CamPos() override { return base_.CamPos(); }
  Point3 P() override { return point_; }
  Point3 DP() override { return Point3(0, 0, 0); }
  Point3 PObj() override { return point_; }
  Point3 DPObj() override { return Point3(0, 0, 0); }
  Box3 ObjectBox() override { return base_.ObjectBox(); }
  Point3 PObjRelBox() override { return point_; }
  Point3 DPObjRelBox() override { return Point3(0, 0, 0); }
  void ScreenUV(Point2& uv, Point2& duv) override { base_.ScreenUV(uv, duv); }
  IPoint2 ScreenCoord() override { return base_.ScreenCoord(); }
  Point3 UVW(int) override { return uvw_; }
  Point3 DUVW(int) override { return Point3(0, 0, 0); }
  void DPdUVW(Point3 dP[3], int) override;
  void GetBGColor(Color& bgcol, Color& transp, BOOL fogBG) override {
    base_.GetBGColor(bgcol, transp, fogBG);
  }
  Point3 PointTo(const Point3& p, RefFrame ito) override { return base_.PointTo(p, ito); }
  Point3 PointFrom(const Point3& p, RefFrame ifrom) override { return base_.PointFrom(p, ifrom); }
  Point3 VectorTo(const Point3& p, RefFrame ito) override { return base_.VectorTo(p, ito); }
  Point3 VectorFrom(const Point3& p, RefFrame ifrom) override { return base_.VectorFrom(p, ifrom); }

 private:
  ShadeContext& base_;
  Point3 point_;
  Point3 uvw_;
};

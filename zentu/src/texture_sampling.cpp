// EvalTextureColorPoint: a texture map's colour at one point and texture
// coordinate, without rendering. The map is asked in a shading context that
// knows only the point, the coordinate and the time, and answers every
// other question with a fixed value.
#include "conventions.h"
#include "host/materials.h"
#include "host/shading.h"
#include "zentu_functions.h"

namespace {

class PointSampleContext : public ShadeContext {
 public:
  PointSampleContext(TimeValue t, const Point3& point, const Point3& uvw)
      : cur_time_(t), point_(point), uvw_(uvw) {
    mode = SCMODE_NORMAL;
    doMaps = TRUE;
    filterMaps = TRUE;
    shadow = TRUE;
    backFace = FALSE;
    mtlNum = 0;
    ambientLight = Color(0, 0, 0);
    nLights = 0;
    rayLevel = 0;
    atmosSkipLight = nullptr;
    globContext = nullptr;
    ResetOutput(-1);
  }

  Class_ID ClassID() override { return Class_ID(0x762F718B, 0x20BD4F0A); }
  BOOL InMtlEditor() override { return FALSE; }
  int Antialias() override { return antialias_; }
  int ProjType() override { return PROJ_PERSPECTIVE; }
  LightDesc* Light(int) override { return nullptr; }
  TimeValue CurTime() override { return cur_time_; }
  int NodeID() override { return -1; }
  INode* Node() override { return nullptr; }
  Object* GetEvalObject() override { return nullptr; }
  Point3 BarycentricCoords() override { return Point3(0, 0, 0); }
  int FaceNumber() override { return 0; }
  Point3 Normal() override { return Point3(0, 0, 1); }
  void SetNormal(Point3) override {}
  Point3 OrigNormal() override { return Normal(); }
  Point3 GNormal() override { return Normal(); }
  float Curve() override { return 0.0f; }
  Point3 V() override { return Point3(0.5f, 0.5f, 0.0f); }
  void SetView(Point3) override {}
  Point3 OrigView() override { return V(); }
  Point3 ReflectVector() override { return Point3(0.268467f, 0.268467f, 0.925122f); }
  Point3 RefractVector(float) override { return Point3(0.707107f, 0.707107f, 0.0f); }
  void SetIOR(float) override {}
  float GetIOR() override { return 1.0f; }
  Point3 CamPos() override { return Point3(0, 0, 0); }
  Point3 P() override { return point_; }
  Point3 DP() override { return Point3(0, 0, 0); }
  void DP(Point3&, Point3&) override {}
  Point3 PObj() override { return P(); }
  Point3 DPObj() override { return DP(); }
  Box3 ObjectBox() override { return Box3(Point3(-1, -1, -1), Point3(1, 1, 1)); }
  Point3 PObjRelBox() override { return Point3(0, 0, 0); }
  Point3 DPObjRelBox() override { return Point3(0, 0, 0); }
  void ScreenUV(Point2&, Point2&) override {}
  IPoint2 ScreenCoord() override { return IPoint2(0, 0); }
  Point2 SurfacePtScreen() override { return Point2(0, 0); }
  Point3 UVW(int) override { return uvw_; }
  Point3 DUVW(int) override { return Point3(0, 0, 0); }
  void DPdUVW(Point3*, int) override {}
  int BumpBasisVectors(Point3*, int, int) override { return 0; }
  float GetSampleSizeScale() override { return 1.0f; }
  Point3 UVWNormal(int) override { return Point3(0, 0, 1); }
  float RayDiam() override { return Length(DP()); }
  float RayConeAngle() override { return 0.0f; }
  void GetBGColor(Color&, Color&, BOOL) override {}
  float CamNearRange() override { return 0.0f; }
  float CamFarRange() override { return 0.0f; }
  Point3 PointTo(const Point3& p, RefFrame) override { return p; }
  Point3 PointFrom(const Point3& p, RefFrame) override { return p; }
  Point3 VectorTo(const Point3& p, RefFrame) override { return p; }
  Point3 VectorFrom(const Point3& p, RefFrame) override { return p; }
  FILE* DebugFile() override { return nullptr; }
  AColor EvalGlobalEnvironMap(Point3) override { return AColor(0, 0, 0, 0); }
  INT_PTR Execute(int, ULONG_PTR, ULONG_PTR, ULONG_PTR) override { return 0; }

 private:
  int antialias_ = 1;
  TimeValue cur_time_;
  Point3 point_;
  Point3 uvw_;
};

}  // namespace

Value* EvalTextureColorPoint_cf(Value** arg_list, int count) {
  check_positional_count("EvalTextureColorPoint", 3, arg_list, count);
  Texmap* map = arg_list[0]->to_texmap();
  Point3 point = arg_list[1]->to_point3();
  Point3 uvw = arg_list[2]->to_point3();
  PointSampleContext sc(zentu_script_time(), point, uvw);
  AColor c = map->EvalColor(sc);
  return ColorValue::intern(c);
}

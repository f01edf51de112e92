// Shading: what a material or map asks about the point it colours
// (ShadeContext), what it leaves there (ShadeOutput), the lights it sees
// (LightDesc, ObjLightDesc with its LightState) and what light descriptors
// are handed while they update (RendContext). Renderers and plug-ins derive
// their own contexts; the defaults below are the host's answers where a
// context does not give its own.
//
// Vectors and points are in camera space unless a call names a frame.
#pragma once

#include <windows.h>

#include <cstdio>

#include "host/animatable.h"
#include "host/box3.h"
#include "host/geometry.h"
#include "host/interval.h"

class INode;
class Object;
class Texmap;
class ShadeContext;
class ExclList;
class RenderGlobalContext;  // the renderer's globals: this host renders nothing
class IRenderElement;

struct IPoint2 {
  int x = 0, y = 0;
  IPoint2() = default;
  IPoint2(int ax, int ay) : x(ax), y(ay) {}
};

// Shading modes and projections a context reports.
constexpr ULONG SCMODE_NORMAL = 0;
constexpr ULONG SCMODE_SHADOW = 1;
constexpr int PROJ_PERSPECTIVE = 0;
constexpr int PROJ_PARALLEL = 1;

// The frames PointTo/PointFrom and friends convert between.
enum RefFrame { REF_CAMERA = 0, REF_WORLD = 1, REF_OBJECT = 2 };

// What shading leaves in the context: colour, transparency, the index of
// refraction and the id of the object buffer.
class ShadeOutput {
 public:
  ULONG flags = 0;
  Color c;
  Color t;
  float ior = 1.0f;
  int gbufId = 0;
  // Back to black, opaque, index 1. n is the number of render elements,
  // which this host has none of.
  void Reset(int n = -1) {
    (void)n;
    flags = 0;
    c = Color(0, 0, 0);
    t = Color(0, 0, 0);
    ior = 1.0f;
    gbufId = 0;
  }
};

// What a renderer hands light descriptors while they update.
class RendContext {
 public:
  virtual ~RendContext() = default;
  // Non-zero to go on, zero when the user asked to stop.
  virtual int Progress(int done, int total) const {
    (void)done;
    (void)total;
    return 1;
  }
  virtual Color GlobalLightLevel() const = 0;
};

// A light as shading sees it.
class LightDesc {
 public:
  BOOL affectDiffuse = TRUE;
  BOOL affectSpecular = TRUE;
  BOOL ambientOnly = FALSE;
  DWORD extra = 0;

  virtual ~LightDesc() = default;
  // The light reaching the context's point: its colour, the unit direction
  // toward the light, N·L and the diffuse coefficient. FALSE when the point
  // gets no light from it.
  virtual BOOL Illuminate(ShadeContext& sc, Point3& normal, Color& color, Point3& dir, float& dotNL,
                          float& diffuseCoef) {
    (void)sc;
    (void)normal;
    (void)color;
    (void)dir;
    (void)dotNL;
    (void)diffuseCoef;
    return FALSE;
  }
  virtual Point3 LightPosition() { return Point3(0, 0, 0); }
};

// LightState::type values.
enum LightType { OMNI_LGT = 0, SPOT_LGT = 1, DIRECT_LGT = 2, AMBIENT_LGT = 3 };

// A light's settings at one time, as its object reports them.
struct LightState {
  int type = OMNI_LGT;
  Matrix3 tm = Matrix3::Identity();
  Color color{1, 1, 1};
  float intens = 1.0f;    // the multiplier
  float hotsize = 43.0f;  // cone angles in degrees (spot and directional)
  float fallsize = 45.0f;
  int useLight = TRUE;
  int shadow = FALSE;
  BOOL ambientOnly = FALSE;
  BOOL affectDiffuse = TRUE;
  BOOL affectSpecular = TRUE;
};

// The descriptor of a light in the scene (or of none, for lights a plug-in
// places itself). Update reads the light's state and placement at a time;
// UpdateViewDepParams takes them into camera space.
class ObjLightDesc : public LightDesc {
 public:
  LightState ls;
  INode* inode = nullptr;
  BOOL uniformScale = TRUE;
  Point3 lightPos;
  Matrix3 lightToWorld = Matrix3::Identity();
  Matrix3 worldToLight = Matrix3::Identity();
  Matrix3 lightToCam = Matrix3::Identity();
  Matrix3 camToLight = Matrix3::Identity();
  int renderNumber = 0;

  explicit ObjLightDesc(INode* node);
  ~ObjLightDesc() override;
  // The light's include/exclude list; none for lights without a node.
  virtual ExclList* GetExclList();
  // Reads the node's light at t: its state and its transform. Answers 1.
  virtual int Update(TimeValue t, const RendContext& rc, RenderGlobalContext* rgc, BOOL shadows,
                     BOOL shadowGeomChanged);
  virtual void UpdateGlobalLightLevel(Color globalLightLevel) { (void)globalLightLevel; }
  // lightToCam, camToLight and lightPos for a camera at worldToCam.
  virtual int UpdateViewDepParams(const Matrix3& worldToCam);
  Point3 LightPosition() override { return lightPos; }
};

// The point being shaded, as a renderer (or a plug-in) describes it to
// materials and maps. Derived contexts answer the pure questions; the rest
// have the host's answers.
class ShadeContext {
 public:
  ULONG mode = SCMODE_NORMAL;
  BOOL doMaps = TRUE;
  BOOL filterMaps = TRUE;
  BOOL shadow = TRUE;
  BOOL backFace = FALSE;
  int mtlNum = 0;
  Color ambientLight;
  int nLights = 0;
  int rayLevel = 0;
  int xshadeID = 0;
  LightDesc* atmosSkipLight = nullptr;
  RenderGlobalContext* globContext = nullptr;
  ShadeOutput out;

  ShadeContext() = default;
  virtual ~ShadeContext() = default;
  void ResetOutput(int n = -1) { out.Reset(n); }

  virtual void* GetInterface(ULONG id) {
    (void)id;
    return nullptr;
  }
  virtual Class_ID ClassID() { return Class_ID(0, 0); }
  virtual BOOL InMtlEditor() = 0;
  virtual int Antialias() { return 0; }
  virtual int ProjType() { return PROJ_PERSPECTIVE; }
  virtual LightDesc* Light(int n) = 0;
  virtual TimeValue CurTime() = 0;
  virtual int NodeID() { return -1; }
  virtual INode* Node() { return nullptr; }
  virtual Object* GetEvalObject() { return nullptr; }
  virtual Point3 BarycentricCoords() { return Point3(0, 0, 0); }
  virtual int FaceNumber() = 0;
  // The unit normal, possibly bumped; OrigNormal before bumping; GNormal the
  // face's geometric normal.
  virtual Point3 Normal() = 0;
  virtual void SetNormal(Point3 p) { (void)p; }
  virtual Point3 OrigNormal() { return Normal(); }
  virtual Point3 GNormal() = 0;
  virtual float Curve() { return 0.0f; }
  // The unit view vector, from the eye toward the point.
  virtual Point3 V() = 0;
  virtual void SetView(Point3 p) = 0;
  virtual Point3 OrigView() { return V(); }
  virtual Point3 ReflectVector() = 0;
  virtual Point3 RefractVector(float ior) = 0;
  virtual void SetIOR(float ior) { (void)ior; }
  virtual float GetIOR() { return 1.0f; }
  virtual Point3 CamPos() = 0;
  virtual Point3 P() = 0;
  virtual Point3 DP() = 0;
  virtual void DP(Point3& dpdx, Point3& dpdy) {
    (void)dpdx;
    (void)dpdy;
  }
  virtual Point3 PObj() = 0;
  virtual Point3 DPObj() = 0;
  virtual Box3 ObjectBox() = 0;
  virtual Point3 PObjRelBox() = 0;
  virtual Point3 DPObjRelBox() = 0;
  virtual void ScreenUV(Point2& uv, Point2& duv) = 0;
  virtual IPoint2 ScreenCoord() = 0;
  virtual Point2 SurfacePtScreen() { return Point2(0, 0); }
  // Texture coordinates of a map channel and their change across a pixel.
  virtual Point3 UVW(int channel = 0) = 0;
  virtual Point3 DUVW(int channel = 0) = 0;
  virtual void DPdUVW(Point3 dP[3], int channel = 0) = 0;
  virtual int BumpBasisVectors(Point3 dP[2], int axis, int channel = 0) {
    (void)dP;
    (void)axis;
    (void)channel;
    return 0;
  }
  virtual BOOL IsSuperSampleOn() { return FALSE; }
  virtual BOOL IsTextureSuperSampleOn() { return FALSE; }
  virtual int GetNSuperSample() { return 0; }
  virtual float GetSampleSizeScale() { return 1.0f; }
  virtual Point3 UVWNormal(int channel = 0) {
    (void)channel;
    return Point3(0, 0, 1);
  }
  virtual float RayDiam() { return Length(DP()); }
  virtual float RayConeAngle() { return 0.0f; }
  // The map's colour seen along view, looked up as a spherical environment.
  virtual AColor EvalEnvironMap(Texmap* map, Point3 view);
  virtual void GetBGColor(Color& bgcol, Color& transp, BOOL fogBG = TRUE) = 0;
  virtual float CamNearRange() { return 0.0f; }
  virtual float CamFarRange() { return 0.0f; }
  virtual Point3 PointTo(const Point3& p, RefFrame ito) = 0;
  virtual Point3 PointFrom(const Point3& p, RefFrame ifrom) = 0;
  virtual Point3 VectorTo(const Point3& p, RefFrame ito) = 0;
  virtual Point3 VectorFrom(const Point3& p, RefFrame ifrom) = 0;
  // As VectorTo/VectorFrom, through the frame's rotation only.
  virtual Point3 VectorToNoScale(const Point3& p, RefFrame ito);
  virtual Point3 VectorFromNoScale(const Point3& p, RefFrame ifrom);
  virtual void SetGBufferID(int gbid) { out.gbufId = gbid; }
  virtual FILE* DebugFile() { return nullptr; }
  virtual AColor EvalGlobalEnvironMap(Point3 dir) {
    (void)dir;
    return AColor(0, 0, 0, 0);
  }
  virtual BOOL GetCache(Texmap* map, AColor& c) {
    (void)map;
    (void)c;
    return FALSE;
  }
  virtual BOOL GetCache(Texmap* map, float& f) {
    (void)map;
    (void)f;
    return FALSE;
  }
  virtual BOOL GetCache(Texmap* map, Point3& p) {
    (void)map;
    (void)p;
    return FALSE;
  }
  virtual void PutCache(Texmap* map, const AColor& c) {
    (void)map;
    (void)c;
  }
  virtual void PutCache(Texmap* map, const float f) {
    (void)map;
    (void)f;
  }
  virtual void PutCache(Texmap* map, const Point3& p) {
    (void)map;
    (void)p;
  }
  virtual void TossCache(Texmap* map) { (void)map; }
  virtual INT_PTR Execute(int cmd, ULONG_PTR arg1 = 0, ULONG_PTR arg2 = 0, ULONG_PTR arg3 = 0) {
    (void)cmd;
    (void)arg1;
    (void)arg2;
    (void)arg3;
    return 0;
  }
  virtual LightDesc* GetAtmosSkipLight() { return atmosSkipLight; }
  virtual void SetAtmosSkipLight(LightDesc* light) { atmosSkipLight = light; }
  virtual int NRenderElements() { return 0; }
  virtual IRenderElement* GetRenderElement(int n) {
    (void)n;
    return nullptr;
  }
  // The diffuse light at the point: the sum over the context's lights of
  // colour × diffuse coefficient (ambient-only lights add their colour).
  virtual Color DiffuseIllum();
};

// The three bump vectors of a triangle: how its points move per unit of the
// texture coordinates u, v and w, from the corners' texture coordinates tv
// and positions v.
void ComputeBumpVectors(const Point3 tv[3], const Point3 v[3], Point3 bvec[3]);

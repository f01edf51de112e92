// The shading context of the vertex-colour bake: one point of a node's
// world-space mesh at a time, seen from a viewer just off the surface along
// its normal, under the lights of the context's lists. The bake fills in the
// face, corner, point and view before each Shade.
//
// World space is the camera space of this context: light descriptors are
// brought up to date with the identity as the world-to-camera transform.
#pragma once

#include <memory>
#include <vector>

#include "host/lights.h"
#include "host/materials.h"
#include "host/maxscript.h"
#include "host/shading.h"
#include "light_records.h"

class MeshInstance;
using MeshInstanceList = std::vector<std::unique_ptr<MeshInstance>>;

// The render context the light descriptors are handed: nothing to cancel,
// a white global light level.
class FixedRendContext : public RendContext {
 public:
  int Progress(int, int) const override { return 1; }
  Color GlobalLightLevel() const override { return Color(1, 1, 1); }
};

class VertexShadeContext : public ShadeContext {
 public:
  static constexpr int kMaxMapChannels = MAX_MESHMAPS;

  VertexShadeContext();
  ~VertexShadeContext() override;
  VertexShadeContext(const VertexShadeContext&) = delete;
  VertexShadeContext& operator=(const VertexShadeContext&) = delete;

  // The node and time; also takes the node's object-to-world transform
  // after space warps at t.
  void SetNodeAndTime(INode* node, TimeValue t);
  // The node's world-space mesh, whose points are shaded.
  void SetMesh(Mesh* mesh) { mesh_ = mesh; }
  // The box of the mesh's face vertices, in the node's object space (where
  // PObj and PObjRelBox are too).
  void ComputeObjectBox();
  void SetPoint(const Point3& p) { point_ = p; }
  void SetViewDir(const Point3& v) { view_dir_ = v; }
  void SetFaceNumber(int f) { face_num_ = f; }
  void SetMtlNum(int n) { mtlNum = n; }
  void SetBary(const Point3& b) { bary_ = b; }
  void SetAmbientLight(const Color& c) { ambientLight = c; }
  void SetDoMaps(BOOL on) { doMaps = on; }
  void SetHeadlightMode(bool on) { headlight_mode_ = on; }
  // The world normals at the current face's corners, from its vertices'
  // render normals and smoothing group.
  void ComputeCornerNormals();
  const Point3& CornerNormal(int k) const { return corner_normals_[k]; }
  // The channel's texture vertices at the face's corners as DUVW and
  // DPdUVW last found them.
  const Point3* MapCorners(int channel) const { return map_corners_[channel]; }

  // The light lists. The context owns every record added; the active list
  // is what materials see, the master list every light when shadows are
  // cast (the shadow step picks the active ones from it).
  void AddLight(std::unique_ptr<LightRecord> record);
  void ClearLights();
  void RefreshLights();
  void CopyActiveToMaster() { master_ = active_; }
  void RestoreActiveFromMaster();
  // Leaves in the active list the master list's lights that no other
  // instance's mesh hides from the current point.
  void ApplyShadowOcclusion(const MeshInstanceList& instances);
  const std::vector<LightRecord*>& ActiveLights() const { return active_; }
  std::vector<LightRecord*>& MasterLights() { return master_; }
  void SetActiveLights(std::vector<LightRecord*> lights);

  // What materials and maps ask.
  BOOL InMtlEditor() override { return FALSE; }
  int Antialias() override { return 0; }
  int ProjType() override { return headlight_mode_ ? PROJ_PARALLEL : PROJ_PERSPECTIVE; }
  // No light past the active list's end.
  LightDesc* Light(int n) override {
    return n >= 0 && n < static_cast<int>(active_.size()) ? active_[static_cast<std::size_t>(n)]->desc.get()
                                                          : nullptr;
  }
  TimeValue CurTime() override { return t_; }
  int NodeID() override { return -1; }
  INode* Node() override { return node_; }
  Object* GetEvalObject() override { return nullptr; }
  Point3 BarycentricCoords() override { return bary_; }
  int FaceNumber() override { return face_num_; }
  Point3 Normal() override;
  void SetNormal(Point3) override {}
  Point3 OrigNormal() override { return Normal(); }
  Point3 GNormal() override;
  float Curve() override;
  Point3 V() override { return view_dir_; }
  void SetView(Point3 p) override { view_point_ = p; }
  Point3 OrigView() override { return V(); }
  Point3 ReflectVector() override;
  Point3 RefractVector(float ior) override;
  void SetIOR(float) override {}
  float GetIOR() override { return 1.0f; }
  Point3 CamPos() override { return view_point_; }
  Point3 P() override { return point_; }
  Point3 DP() override;
  void DP(Point3&, Point3&) override {}
  Point3 PObj() override { return point_ * world_to_obj_; }
  Point3 DPObj() override { return VectorTransform(DP(), world_to_obj_); }
  Box3 ObjectBox() override { return object_box_; }
  Point3 PObjRelBox() override;
  Point3 DPObjRelBox() override;
  void ScreenUV(Point2& uv, Point2& duv) override;
  IPoint2 ScreenCoord() override { return IPoint2(0, 0); }
  Point2 SurfacePtScreen() override { return Point2(0, 0); }
  Point3 UVW(int channel) override;
  Point3 DUVW(int channel) override;
  void DPdUVW(Point3 dP[3], int channel) override;
  int BumpBasisVectors(Point3*, int, int) override { return 0; }
  float GetSampleSizeScale() override { return 1.0f; }
  Point3 UVWNormal(int) override { return Point3(0, 0, 1); }
  float RayDiam() override { return 0.1f; }
  float RayConeAngle() override { return 0.0f; }
  void GetBGColor(Color& bg, Color& transp, BOOL) override;
  float CamNearRange() override { return 0.0f; }
  float CamFarRange() override { return 0.0f; }
  Point3 PointTo(const Point3& p, RefFrame ito) override;
  Point3 PointFrom(const Point3& p, RefFrame ifrom) override;
  Point3 VectorTo(const Point3& p, RefFrame ito) override;
  Point3 VectorFrom(const Point3& p, RefFrame ifrom) override;
  FILE* DebugFile() override { return nullptr; }
  AColor EvalGlobalEnvironMap(Point3) override { return AColor(0, 0, 0, 0); }
  INT_PTR Execute(int, ULONG_PTR, ULONG_PTR, ULONG_PTR) override { return 0; }

 private:
  // The channel's texture vertices at the current face's corners; zero for
  // channels the face has none in.
  void FillMapCorners(int channel);
  void ComputeUVScale();
  void CurrentFacePoints(Point3 q[3]) const;

  std::vector<std::unique_ptr<LightRecord>> owned_;
  std::vector<LightRecord*> active_;
  std::vector<LightRecord*> master_;
  Matrix3 obj_to_world_ = Matrix3::Identity();
  Matrix3 world_to_obj_ = Matrix3::Identity();
  Matrix3 normal_to_world_ = Matrix3::Identity();
  Point3 corner_normals_[3];
  INode* node_ = nullptr;
  Mesh* mesh_ = nullptr;
  Point3 bary_;
  int face_num_ = 0;
  Point3 point_;
  Point3 view_dir_;
  Point3 view_point_;
  TimeValue t_ = 0;
  Point3 map_corners_[kMaxMapChannels][3];
  Point3 bump_basis_[kMaxMapChannels][3];
  Box3 object_box_;
  FixedRendContext rend_context_;
  float uv_scale_ = 0.0f;
  float curvature_ = 0.0f;
  bool headlight_mode_ = false;
};

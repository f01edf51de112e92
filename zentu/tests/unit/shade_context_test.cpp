// What the bake's shading context answers materials: normals from the
// smoothing groups in world space, the view and its reflection and
// refraction, derivatives, object space and its box, texture coordinates,
// face-mapping corners and curvature.
#include <cmath>
#include <memory>

#include "bake_scene.h"
#include "mesh_instances.h"
#include "vertex_shade_context.h"
#include "wire_color_material.h"

namespace {

constexpr float kEps = 1e-5f;
constexpr float kPi = 3.14159265358979f;

void expect_point(const Point3& got, const Point3& want) {
  EXPECT_NEAR(got.x, want.x, kEps);
  EXPECT_NEAR(got.y, want.y, kEps);
  EXPECT_NEAR(got.z, want.z, kEps);
}

class ShadeContextTest : public BakeScene {
 protected:
  std::unique_ptr<MeshInstance> instance;
  VertexShadeContext sc;

  // The context on node's world mesh, on face f at barycentric b.
  void place(INode* node, int f, Point3 b = Point3(1, 0, 0)) {
    instance = std::make_unique<MeshInstance>(node, 0);
    sc.SetNodeAndTime(node, 0);
    sc.SetMesh(instance->mesh.get());
    sc.ComputeObjectBox();
    sc.SetFaceNumber(f);
    sc.ComputeCornerNormals();
    sc.SetBary(b);
  }
};

// Two faces of a roof meeting at a ridge along y: (0,0,0)-(0,10,0), sloping
// down to x = -10 and x = +10 at z = -10.
INode* roof(Interface* ip, DWORD group_a, DWORD group_b, const Matrix3& tm) {
  INode* node = ip->CreateObjectNode(CreateNewTriObject());
  Mesh& mesh = static_cast<TriObject*>(node->GetObjectRef())->GetMesh();
  mesh.setNumVerts(6);
  Point3 p[6] = {{0, 0, 0}, {0, 10, 0}, {-10, 0, -10}, {-10, 10, -10}, {10, 0, -10}, {10, 10, -10}};
  for (int i = 0; i < 6; ++i) mesh.setVert(i, p[i]);
  mesh.setNumFaces(2);
  mesh.faces[0].setVerts(0, 1, 2);  // the -x slope, facing up and to -x
  mesh.faces[1].setVerts(0, 4, 1);  // the +x slope, facing up and to +x
  mesh.faces[0].setSmGroup(group_a);
  mesh.faces[1].setSmGroup(group_b);
  mesh.InvalidateTopologyCache();
  node->SetNodeTM(0, tm);
  return node;
}

// A material that asks for face-mapping.
class FaceMapped : public WireColorMaterial {
 public:
  FaceMapped() : WireColorMaterial(Color(1, 1, 1)) {}
  ULONG Requirements(int) override { return MTLREQ_FACEMAP; }
};

TEST_F(ShadeContextTest, CornerNormalsFollowTheSmoothingGroupsInWorldSpace) {
  const float h = std::sqrt(0.5f);
  // Apart: each face keeps its own normal at the ridge.
  place(roof(ip, 1, 2, Matrix3::Identity()), 0);
  expect_point(sc.CornerNormal(0), Point3(-h, 0, h));
  expect_point(sc.Normal(), Point3(-h, 0, h));
  // In one group: the ridge's normals point straight up; the far corner,
  // on this face only, keeps the face's.
  place(roof(ip, 1, 1, Matrix3::Identity()), 0);
  expect_point(sc.CornerNormal(0), Point3(0, 0, 1));
  expect_point(sc.CornerNormal(1), Point3(0, 0, 1));
  expect_point(sc.CornerNormal(2), Point3(-h, 0, h));
  // A face in no group keeps its own, whatever its neighbour does.
  place(roof(ip, 0, 1, Matrix3::Identity()), 0);
  expect_point(sc.CornerNormal(0), Point3(-h, 0, h));
  // Turned 90 degrees about x, the up of the ridge points to +y... once:
  // the world's face normals are not turned a second time.
  Matrix3 turned = RotateXMatrix(kPi / 2);
  place(roof(ip, 1, 1, turned), 0);
  expect_point(sc.CornerNormal(0), VectorTransform(Point3(0, 0, 1), turned));
  place(roof(ip, 1, 2, turned), 1);
  expect_point(sc.CornerNormal(0), VectorTransform(Point3(h, 0, h), turned));
  expect_point(sc.GNormal(), VectorTransform(Point3(h, 0, h), turned));
  // Squashed in z, a normal goes through the inverse: a slope of 45 degrees
  // flattened to half its height has its normal tilted toward the vertical.
  place(roof(ip, 1, 2, ScaleMatrix(Point3(1, 1, 0.5f))), 1);
  expect_point(sc.CornerNormal(0), Normalize(Point3(1, 0, 2)));
  // Barycentric weights blend the corners, then make a unit vector.
  place(roof(ip, 1, 1, Matrix3::Identity()), 0, Point3(0.5f, 0, 0.5f));
  expect_point(sc.Normal(), Normalize(Point3(-h, 0, 1 + h)));
}

TEST_F(ShadeContextTest, ViewReflectionAndRefraction) {
  place(mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}), 0);
  Point3 v = Normalize(Point3(1, 0, -1));  // looking down at 45 degrees
  sc.SetViewDir(v);
  EXPECT_EQ(sc.ProjType(), PROJ_PERSPECTIVE);
  expect_point(sc.ReflectVector(), Normalize(Point3(1, 0, 1)));
  sc.SetHeadlightMode(true);
  EXPECT_EQ(sc.ProjType(), PROJ_PARALLEL);
  expect_point(sc.ReflectVector(), Point3(0, 0, -1));
  sc.SetHeadlightMode(false);
  // Index 1 on the front face: straight through.
  expect_point(sc.RefractVector(1.0f), v);
  // From behind the face the index is taken as it is: 2 at a grazing view
  // bends past the critical angle, and the reflection vector is the answer.
  Point3 grazing = Normalize(Point3(1, 0, -0.1f));
  sc.SetViewDir(grazing);
  sc.backFace = TRUE;
  expect_point(sc.RefractVector(2.0f), sc.ReflectVector());
  sc.backFace = FALSE;
  // Index 0 counts as 1.
  expect_point(sc.RefractVector(0.0f), grazing);
}

TEST_F(ShadeContextTest, DerivativesGrowTowardGrazingViews) {
  place(mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}), 0);
  sc.SetViewDir(Point3(0, 0, -1));
  expect_point(sc.DP(), Point3(0.1f, 0.1f, 0.1f));  // 0.11 / 1.1
  sc.SetViewDir(Point3(1, 0, 0));
  expect_point(sc.DP(), Point3(1.1f, 1.1f, 1.1f));  // 0.11 / 0.1
  EXPECT_FLOAT_EQ(sc.RayDiam(), 0.1f);
  Point2 uv, duv;
  sc.ScreenUV(uv, duv);
  EXPECT_EQ(uv, Point2(0.5f, 0.5f));
  EXPECT_EQ(duv, Point2(1, 1));
}

TEST_F(ShadeContextTest, ObjectSpaceAndItsBox) {
  Matrix3 tm = ScaleMatrix(Point3(2, 2, 2)) * TransMatrix(Point3(100, 0, 0));
  INode* node = mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 4}, {50, 50, 50}}, {{0, 1, 2}}, tm);
  place(node, 0);
  // The box holds the face's vertices only, in object space.
  Box3 box = sc.ObjectBox();
  expect_point(box.pmin, Point3(0, 0, 0));
  expect_point(box.pmax, Point3(10, 10, 4));
  sc.SetPoint(Point3(110, 10, 4));  // world (5, 5, 2) in object space
  expect_point(sc.PObj(), Point3(5, 5, 2));
  expect_point(sc.PObjRelBox(), Point3(0, 0, 0));
  sc.SetPoint(Point3(100, 0, 8));
  expect_point(sc.PObjRelBox(), Point3(-1, -1, 1));
  expect_point(sc.PointTo(Point3(100, 0, 8), REF_OBJECT), Point3(0, 0, 4));
  expect_point(sc.PointFrom(Point3(0, 0, 4), REF_OBJECT), Point3(100, 0, 8));
  expect_point(sc.VectorTo(Point3(2, 0, 0), REF_OBJECT), Point3(1, 0, 0));
  expect_point(sc.VectorFrom(Point3(1, 0, 0), REF_OBJECT), Point3(2, 0, 0));
  expect_point(sc.PointTo(Point3(3, 4, 5), REF_WORLD), Point3(3, 4, 5));
  // A flat box has no extent in z to place a point along.
  place(mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}), 0);
  sc.SetPoint(Point3(10, 0, 0));
  expect_point(sc.PObjRelBox(), Point3(1, -1, 0));
  EXPECT_TRUE(std::isfinite(sc.DPObjRelBox().z));
}

TEST_F(ShadeContextTest, TextureCoordinatesAndFaceMapCorners) {
  INode* node = mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}});
  Mesh& mesh = static_cast<TriObject*>(node->GetObjectRef())->GetMesh();
  mesh.setNumTVerts(3);
  mesh.setTVert(0, 0.1f, 0.2f, 0);
  mesh.setTVert(1, 0.9f, 0.2f, 0);
  mesh.setTVert(2, 0.1f, 0.8f, 0);
  mesh.tvFace[0].setTVerts(0, 1, 2);
  place(node, 0);
  expect_point(sc.UVW(1), Point3(0.1f, 0.2f, 0));
  sc.SetBary(Point3(0, 0.5f, 0.5f));
  expect_point(sc.UVW(1), Point3(0.5f, 0.5f, 0));
  expect_point(sc.UVW(7), Point3(0, 0, 0));  // a channel the mesh lacks
  sc.SetViewDir(Point3(0, 0, -1));
  Point3 duvw = sc.DUVW(1);
  // Corners 0.8 apart in u and 0.6 in v; uvScale = 1.5 x 0.1 / (20 / 6).
  float scale = 1.5f * 0.1f / (20.0f / 6.0f);
  expect_point(duvw, Point3(0.5f * 0.8f * scale, 0.5f * 0.6f * scale, 0));
  Point3 basis[3];
  sc.DPdUVW(basis, 1);
  expect_point(basis[0], Point3(1, 0, 0));
  expect_point(basis[1], Point3(0, 1, 0));
  expect_point(basis[2], Point3(0, 0, 1));

}

TEST_F(ShadeContextTest, FaceMappingPutsEachFaceOnTheWholeMap) {
  INode* node = mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}});
  Face& face = static_cast<TriObject*>(node->GetObjectRef())->GetMesh().faces[0];
  // Without a face-mapped material a channel the mesh lacks has no corners.
  place(node, 0);
  sc.DUVW(2);
  EXPECT_EQ(sc.MapCorners(2)[1], Point3(0, 0, 0));
  FaceMapped mtl;
  node->SetMtl(&mtl);
  struct Case {
    int visible[3];
    Point3 corners[3];
  };
  // The first hidden edge (edge 2 when all show) picks where to start, and
  // the order of the face's vertex numbers there picks the table.
  const Case cases[] = {
      {{1, 1, 1}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}},
      {{1, 1, 0}, {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}}},
      {{0, 1, 1}, {{0, 0, 0}, {1, 1, 0}, {0, 1, 0}}},
      {{1, 0, 1}, {{1, 0, 0}, {1, 1, 0}, {0, 0, 0}}},
  };
  for (const Case& c : cases) {
    face.setEdgeVisFlags(c.visible[0], c.visible[1], c.visible[2]);
    place(node, 0);
    sc.DUVW(2);
    for (int k = 0; k < 3; ++k) EXPECT_EQ(sc.MapCorners(2)[k], c.corners[k]) << "corner " << k;
  }
  // Vertex colours are never face-mapped; a channel the mesh has wins.
  place(node, 0);
  sc.DUVW(0);
  EXPECT_EQ(sc.MapCorners(0)[1], Point3(0, 0, 0));
  node->SetMtl(nullptr);
}

TEST_F(ShadeContextTest, CurvatureIsFlatOnAPlaneAndSignedOnABend) {
  place(mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}), 0);
  EXPECT_FLOAT_EQ(sc.Curve(), 0.0f);
  // The roof in one group bends down away from the ridge: its normals spread
  // as the corners do, a positive curve; seen from behind it is negative.
  place(roof(ip, 1, 1, Matrix3::Identity()), 0);
  float curve = sc.Curve();
  EXPECT_GT(curve, 0.0f);
  sc.backFace = TRUE;
  EXPECT_FLOAT_EQ(sc.Curve(), -curve);
}

TEST_F(ShadeContextTest, LightsPastTheListAreNone) {
  place(mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}}), 0);
  EXPECT_EQ(sc.Light(0), nullptr);
  sc.AddLight(MakeFixedLightRecord(OmniLightAt(Point3(0, 0, 10), Color(1, 1, 1), 1.0f)));
  sc.RefreshLights();
  EXPECT_EQ(sc.nLights, 1);
  EXPECT_NE(sc.Light(0), nullptr);
  EXPECT_EQ(sc.Light(1), nullptr);
  EXPECT_EQ(sc.Light(-1), nullptr);
  sc.ClearLights();
  EXPECT_EQ(sc.nLights, 0);
}

}  // namespace

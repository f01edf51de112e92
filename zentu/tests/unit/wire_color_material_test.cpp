// The stand-by material's colour: 0.3 of the ambient and the diffuse light
// times the wire colour, a highlight of 0.2 along the reflection vector.
#include "bake_scene.h"
#include "mesh_instances.h"
#include "vertex_shade_context.h"
#include "wire_color_material.h"

namespace {

constexpr float kEps = 1e-5f;

class WireColorMaterialTest : public BakeScene {
 protected:
  VertexShadeContext sc;
  WireColorMaterial mtl{Color(0.4f, 0.2f, 0.8f)};

  void SetUp() override {
    INode* node = mesh_node({{0, 0, 0}, {10, 0, 0}, {0, 10, 0}}, {{0, 1, 2}});
    instance_ = std::make_unique<MeshInstance>(node, 0);
    sc.SetNodeAndTime(node, 0);
    sc.SetMesh(instance_->mesh.get());
    sc.SetFaceNumber(0);
    sc.ComputeCornerNormals();
    sc.SetBary(Point3(1, 0, 0));
    sc.SetPoint(Point3(0, 0, 0));
    sc.SetViewDir(Point3(0, 0, -1));  // looking down the normal
  }
  void light(Point3 pos, Color c) {
    sc.AddLight(MakeFixedLightRecord(OmniLightAt(pos, c, 1.0f)));
    sc.RefreshLights();
  }
  void expect_out(float r, float g, float b) {
    mtl.Shade(sc);
    EXPECT_NEAR(sc.out.c.r, r, kEps);
    EXPECT_NEAR(sc.out.c.g, g, kEps);
    EXPECT_NEAR(sc.out.c.b, b, kEps);
    EXPECT_EQ(sc.out.t, Color(0, 0, 0));
  }

 private:
  std::unique_ptr<MeshInstance> instance_;
};

TEST_F(WireColorMaterialTest, NoLightsGiveThreeTenthsOfTheAmbient) {
  EXPECT_EQ(mtl.ClassID(), kWireColorMaterialClassID);
  EXPECT_EQ(mtl.SuperClassID(), MATERIAL_CLASS_ID);
  EXPECT_TRUE(IsWireColorMaterial(&mtl));
  expect_out(0.3f * 0.4f, 0.3f * 0.2f, 0.3f * 0.8f);
  sc.SetAmbientLight(Color(0.5f, 0.5f, 0.5f));
  expect_out(0.15f * 0.4f, 0.15f * 0.2f, 0.15f * 0.8f);
}

TEST_F(WireColorMaterialTest, ALightAlongTheNormalAddsItsColourAndAFifthAsHighlight) {
  light(Point3(0, 0, 10), Color(0.5f, 1, 0.25f));
  // (lc + 0.3 x ambient) x wire + lc x 0.2: d = R.L = 1, N.L = 1.
  expect_out((0.5f + 0.3f) * 0.4f + 0.1f, (1 + 0.3f) * 0.2f + 0.2f, (0.25f + 0.3f) * 0.8f + 0.05f);
}

TEST_F(WireColorMaterialTest, TheHeadlightHasNoHighlightAndALightBehindNothing) {
  sc.SetHeadlightMode(true);
  light(Point3(0, 0, 5), Color(0.8f, 0.8f, 0.8f));
  expect_out(1.1f * 0.4f, 1.1f * 0.2f, 1.1f * 0.8f);
  sc.ClearLights();
  sc.SetHeadlightMode(false);
  light(Point3(0, 0, -10), Color(1, 1, 1));
  expect_out(0.3f * 0.4f, 0.3f * 0.2f, 0.3f * 0.8f);
  // The material changes nothing that is asked of it.
  mtl.SetDiffuse(Color(1, 1, 1), 0);
  Mtl& as_mtl = mtl;
  EXPECT_EQ(as_mtl.GetDiffuse(), Color(0.4f, 0.2f, 0.8f));
  EXPECT_EQ(as_mtl.GetAmbient(2, TRUE), Color(0.4f, 0.2f, 0.8f));
  EXPECT_EQ(as_mtl.GetSpecular(), Color(0.2f, 0.2f, 0.2f));
  EXPECT_EQ(as_mtl.GetShininess(), 0.0f);
}

}  // namespace

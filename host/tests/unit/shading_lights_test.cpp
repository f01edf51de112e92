// The standard lights as materials see them: the descriptor each light type
// gives, what it answers at points around it, and the context's diffuse
// illumination summed over its lights.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "host/control.h"
#include "host/core_interface.h"
#include "host/hold.h"
#include "host/inode.h"
#include "host/lights.h"
#include "test_shade_context.h"

namespace {

constexpr float kEps = 1e-5f;

struct LightAnswer {
  BOOL lit = FALSE;
  Color color;
  Point3 dir;
  float dot_nl = 0, diffuse_coef = 0;
};

class ShadingLights : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  TestRendContext rc;
  TestShadeContext sc;

  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  // A light of that class at tm, coloured rgb with that multiplier.
  INode* light_node(ULONG class_a, const Matrix3& tm, Point3 rgb = Point3(1, 1, 1), float multiplier = 1.0f) {
    auto* light = static_cast<GenLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(class_a, 0)));
    light->SetRGBColor(0, rgb);
    light->SetIntensity(0, multiplier);
    INode* node = ip->CreateObjectNode(light);
    node->SetNodeTM(0, tm);
    return node;
  }
  // The node's light's descriptor, brought up to date at t with camera
  // space the world.
  std::unique_ptr<ObjLightDesc> descriptor(INode* node, TimeValue t = 0) {
    auto* light = static_cast<LightObject*>(node->GetObjectRef());
    std::unique_ptr<ObjLightDesc> desc(light->CreateLightDesc(node));
    EXPECT_NE(desc, nullptr);
    if (desc == nullptr) return desc;
    EXPECT_EQ(desc->Update(t, rc, nullptr, FALSE, TRUE), 1);
    EXPECT_EQ(desc->UpdateViewDepParams(Matrix3::Identity()), 1);
    return desc;
  }
  LightAnswer illuminate(LightDesc& desc, Point3 point, Point3 normal) {
    sc.point = point;
    sc.normal = normal;
    LightAnswer a;
    a.lit = desc.Illuminate(sc, normal, a.color, a.dir, a.dot_nl, a.diffuse_coef);
    return a;
  }
};

void expect_color(const Color& c, float r, float g, float b) {
  EXPECT_NEAR(c.r, r, kEps);
  EXPECT_NEAR(c.g, g, kEps);
  EXPECT_NEAR(c.b, b, kEps);
}

TEST_F(ShadingLights, AnOmniLightsWhatFacesItByTheCosine) {
  INode* node = light_node(OMNI_LIGHT_CLASS_ID, TransMatrix(Point3(0, 0, 10)), Point3(1, 0.5f, 0.25f), 2.0f);
  auto desc = descriptor(node);
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->ls.type, OMNI_LGT);
  EXPECT_EQ(desc->LightPosition(), Point3(0, 0, 10));
  EXPECT_TRUE(desc->worldToLight == TransMatrix(Point3(0, 0, -10)));
  // Straight below: N·L = 1; the colour carries the multiplier.
  LightAnswer below = illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, 1));
  EXPECT_TRUE(below.lit);
  expect_color(below.color, 2.0f, 1.0f, 0.5f);
  EXPECT_NEAR(below.dot_nl, 1.0f, kEps);
  EXPECT_NEAR(below.diffuse_coef, 1.0f, kEps);
  // 45 degrees off: the light is at (10, 0, 10) from the point.
  LightAnswer oblique = illuminate(*desc, Point3(-10, 0, 0), Point3(0, 0, 1));
  EXPECT_TRUE(oblique.lit);
  EXPECT_NEAR(oblique.dot_nl, std::sqrt(0.5f), kEps);
  EXPECT_NEAR(oblique.dir.x, std::sqrt(0.5f), kEps);
  // Facing away, or edge on: no light.
  EXPECT_FALSE(illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, -1)).lit);
  EXPECT_FALSE(illuminate(*desc, Point3(0, 0, 0), Point3(1, 0, 0)).lit);
  // Switched off, it gives none once updated.
  static_cast<GenLight*>(node->GetObjectRef())->SetUseLight(FALSE);
  desc->Update(0, rc, nullptr, FALSE, TRUE);
  EXPECT_FALSE(illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, 1)).lit);
}

TEST_F(ShadingLights, ADirectionalLightShinesDownItsZAxisWherever) {
  // Turned 60 degrees about x: its -z axis is 60 degrees off straight down.
  Matrix3 tm = RotateXMatrix(60.0f * 3.14159265f / 180.0f);
  tm.SetTrans(Point3(100, 100, 5));
  auto desc = descriptor(light_node(DIR_LIGHT_CLASS_ID, tm));
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->ls.type, DIRECT_LGT);
  for (Point3 p : {Point3(0, 0, 0), Point3(-50, 20, 30)}) {
    LightAnswer a = illuminate(*desc, p, Point3(0, 0, 1));
    EXPECT_TRUE(a.lit);
    EXPECT_NEAR(a.dot_nl, 0.5f, kEps);
    EXPECT_NEAR(a.diffuse_coef, 0.5f, kEps);
    expect_color(a.color, 1, 1, 1);
  }
  EXPECT_FALSE(illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, -1)).lit);
}

TEST_F(ShadingLights, ASpotLightsOnlyInsideItsCone) {
  INode* node = light_node(FSPOT_LIGHT_CLASS_ID, TransMatrix(Point3(0, 0, 10)), Point3(1, 1, 1), 1.0f);
  auto* light = static_cast<GenLight*>(node->GetObjectRef());
  light->SetHotspot(0, 20.0f);
  light->SetFallsize(0, 40.0f);
  auto desc = descriptor(node);
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->ls.type, SPOT_LGT);
  // On the axis: full light.
  LightAnswer centre = illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, 1));
  EXPECT_TRUE(centre.lit);
  expect_color(centre.color, 1, 1, 1);
  // 15 degrees off the axis, half way from the hotspot's edge (10) to the
  // falloff's (20): the smooth step gives one half.
  float tan15 = std::tan(15.0f * 3.14159265f / 180.0f);
  LightAnswer between = illuminate(*desc, Point3(10 * tan15, 0, 0), Point3(0, 0, 1));
  EXPECT_TRUE(between.lit);
  expect_color(between.color, 0.5f, 0.5f, 0.5f);
  EXPECT_NEAR(between.dot_nl, std::cos(15.0f * 3.14159265f / 180.0f), kEps);
  // 45 degrees off: outside the cone.
  EXPECT_FALSE(illuminate(*desc, Point3(10, 0, 0), Point3(0, 0, 1)).lit);
  // Above the light: behind it.
  EXPECT_FALSE(illuminate(*desc, Point3(0, 0, 20), Point3(0, 0, -1)).lit);
}

TEST_F(ShadingLights, DescriptorsReadAnimatedColourAndMultiplierAtTheirTime) {
  INode* node = light_node(OMNI_LIGHT_CLASS_ID, TransMatrix(Point3(0, 0, 10)));
  auto* light = static_cast<GenLight*>(node->GetObjectRef());
  Point3 red(1, 0, 0), blue(0, 0, 1);
  AnimateOn();
  light->SetRGBColor(0, red);
  light->SetRGBColor(1000, blue);
  light->SetIntensity(0, 1.0f);
  light->SetIntensity(1000, 3.0f);
  AnimateOff();
  auto desc = descriptor(node, 1000);
  ASSERT_NE(desc, nullptr);
  expect_color(illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, 1)).color, 0, 0, 3);
  desc->Update(0, rc, nullptr, FALSE, TRUE);
  expect_color(illuminate(*desc, Point3(0, 0, 0), Point3(0, 0, 1)).color, 1, 0, 0);
}

TEST_F(ShadingLights, TheLightsExclusionListIsTheDescriptors) {
  INode* node = light_node(OMNI_LIGHT_CLASS_ID, Matrix3::Identity());
  auto desc = descriptor(node);
  ASSERT_NE(desc, nullptr);
  EXPECT_EQ(desc->GetExclList(), static_cast<GenLight*>(node->GetObjectRef())->GetExclList());
  ObjLightDesc none(nullptr);
  EXPECT_EQ(none.GetExclList(), nullptr);
  EXPECT_EQ(none.Update(0, rc, nullptr, FALSE, FALSE), 1);
}

TEST_F(ShadingLights, DiffuseIllumSumsColourTimesCoefficientAndAmbientOnlyColour) {
  auto above = descriptor(light_node(OMNI_LIGHT_CLASS_ID, TransMatrix(Point3(0, 0, 10)), Point3(1, 0, 0)));
  auto oblique = descriptor(light_node(OMNI_LIGHT_CLASS_ID, TransMatrix(Point3(10, 0, 10)), Point3(0, 1, 0)));
  auto under = descriptor(light_node(OMNI_LIGHT_CLASS_ID, TransMatrix(Point3(0, 0, -10)), Point3(0, 0, 1)));
  ASSERT_TRUE(above && oblique && under);
  AmbientOnlyLight ambient(Color(0.1f, 0.2f, 0.3f));
  sc.set_lights({above.get(), oblique.get(), under.get(), &ambient});
  // red × 1 + green × cos 45 + nothing from below + the ambient-only colour.
  expect_color(sc.DiffuseIllum(), 1.1f, std::sqrt(0.5f) + 0.2f, 0.3f);
  sc.set_lights({});
  expect_color(sc.DiffuseIllum(), 0, 0, 0);
}

TEST_F(ShadingLights, VectorsWithoutScaleKeepTheirLength) {
  sc.object_scale = 2.0f;
  Point3 v(0, 3, 4);
  EXPECT_EQ(sc.VectorTo(v, REF_OBJECT), Point3(0, 1.5f, 2));
  Point3 to = sc.VectorToNoScale(v, REF_OBJECT);
  EXPECT_NEAR(to.y, 3.0f, kEps);
  EXPECT_NEAR(to.z, 4.0f, kEps);
  Point3 from = sc.VectorFromNoScale(v, REF_OBJECT);
  EXPECT_NEAR(Length(from), 5.0f, kEps);
  EXPECT_EQ(sc.VectorToNoScale(Point3(0, 0, 0), REF_OBJECT), Point3(0, 0, 0));
}

}  // namespace

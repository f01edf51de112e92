// The lights the bake gathers for a node: every light object counted, only
// those that are on and whose list lights the node kept, children before
// their parents, at time 0; fixed lights and their descriptor; the maps
// lights refer to.
#include <cmath>

#include "bake_scene.h"
#include "host/control.h"
#include "light_records.h"
#include "vertex_shade_context.h"

namespace {

class LightRecordsTest : public BakeScene {
 protected:
  VertexShadeContext sc;
  MtlBaseLib library;
  INode* target = nullptr;

  void SetUp() override {
    target = mesh_node({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
    sc.SetNodeAndTime(target, 0);
  }
  int collect() {
    int count = 0;
    CollectSceneLights(target, sc, library, count);
    return count;
  }
  INode* light_at(const std::vector<LightRecord*>& lights, int i) { return lights[i]->desc->inode; }
};

TEST_F(LightRecordsTest, EveryLightCountsOnlyThoseThatLightTheNodeAreKept) {
  INode* on = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 10});
  INode* off = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 20});
  light_of(off)->SetUseLight(FALSE);
  INode* excluding = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 30});
  ExclList list;
  list.AddNode(target);
  light_of(excluding)->SetExclusionList(list);
  INode* shadow_only = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 40});
  ExclList shadows;
  shadows.AddNode(target);
  shadows.SetFlag(NT_AFFECT_ILLUM, FALSE);
  light_of(shadow_only)->SetExclusionList(shadows);
  INode* including_other = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 50});
  ExclList other;
  other.AddNode(on);
  other.SetFlag(NT_INCLUDE, TRUE);
  light_of(including_other)->SetExclusionList(other);
  INode* including = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 60});
  ExclList mine;
  mine.AddNode(target);
  mine.SetFlag(NT_INCLUDE, TRUE);
  light_of(including)->SetExclusionList(mine);

  EXPECT_EQ(collect(), 6);
  const auto& lights = sc.ActiveLights();
  ASSERT_EQ(lights.size(), 3u);
  EXPECT_EQ(light_at(lights, 0), on);
  EXPECT_EQ(light_at(lights, 1), shadow_only);
  EXPECT_EQ(light_at(lights, 2), including);
  EXPECT_EQ(lights[0]->light, light_of(on));
  EXPECT_EQ(lights[0]->blocked, 0);
}

TEST_F(LightRecordsTest, ChildrenComeBeforeTheirParentsAndHiddenLightsCount) {
  INode* parent = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 10});
  INode* child = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 20});
  parent->AttachChild(child);
  parent->Hide(TRUE);
  INode* later = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 30});
  EXPECT_EQ(collect(), 3);
  const auto& lights = sc.ActiveLights();
  ASSERT_EQ(lights.size(), 3u);
  EXPECT_EQ(light_at(lights, 0), child);
  EXPECT_EQ(light_at(lights, 1), parent);
  EXPECT_EQ(light_at(lights, 2), later);
}

TEST_F(LightRecordsTest, AnAnimatedLightIsTakenAtTimeZero) {
  INode* node = light_node(OMNI_LIGHT_CLASS_ID, {0, 0, 10});
  AnimateOn();
  Point3 red(1, 0, 0), blue(0, 0, 1);
  light_of(node)->SetRGBColor(0, red);
  light_of(node)->SetRGBColor(3200, blue);
  AnimateOff();
  sc.SetNodeAndTime(target, 3200);
  collect();
  ASSERT_EQ(sc.ActiveLights().size(), 1u);
  // The record's light object is the one at time 0; the descriptor takes
  // the context's time when the lights are refreshed.
  EXPECT_EQ(sc.ActiveLights()[0]->light, light_of(node));
  sc.RefreshLights();
  EXPECT_EQ(sc.ActiveLights()[0]->desc->ls.color, Color(0, 0, 1));
}

TEST_F(LightRecordsTest, AFixedLightLightsWhatFacesIt) {
  FixedLightSpec above = OmniLightAt(Point3(0, 0, 10), Color(1, 1, 1), 1.0f);
  FixedLightDesc desc(above);
  EXPECT_EQ(desc.GetExclList(), nullptr);
  FixedRendContext rc;
  EXPECT_EQ(desc.Update(0, rc, nullptr, FALSE, TRUE), 1);
  EXPECT_EQ(desc.UpdateViewDepParams(Matrix3::Identity()), 1);
  EXPECT_EQ(desc.LightPosition(), Point3(0, 0, 10));
  sc.SetPoint(Point3(0, 0, 0));
  Point3 up(0, 0, 1), down(0, 0, -1), dir;
  Color color;
  float dot_nl = 0, coef = 0;
  EXPECT_TRUE(desc.Illuminate(sc, up, color, dir, dot_nl, coef));
  EXPECT_EQ(color, Color(1, 1, 1));
  EXPECT_FLOAT_EQ(dot_nl, 1.0f);
  EXPECT_FLOAT_EQ(coef, 1.0f);
  EXPECT_EQ(dir, Point3(0, 0, 1));
  EXPECT_FALSE(desc.Illuminate(sc, down, color, dir, dot_nl, coef));
  // The intensity scales the colour.
  FixedLightDesc dim(OmniLightAt(Point3(0, 0, 10), Color(1, 0.5f, 0), 0.5f));
  dim.Update(0, rc, nullptr, FALSE, TRUE);
  dim.UpdateViewDepParams(Matrix3::Identity());
  EXPECT_TRUE(dim.Illuminate(sc, up, color, dir, dot_nl, coef));
  EXPECT_EQ(color, Color(0.5f, 0.25f, 0));
}

// An object referring to others, in a circle.
class Referrer : public Animatable {
 public:
  explicit Referrer(SClass_ID sid) : sid_(sid) {}
  Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }
  SClass_ID SuperClassID() override { return sid_; }
  void GetClassName(std::string& s) override { s = "Referrer"; }
  int NumRefs() override { return static_cast<int>(refs.size()); }
  Animatable* GetReference(int i) override { return refs[static_cast<std::size_t>(i)]; }
  std::vector<Animatable*> refs;

 private:
  SClass_ID sid_;
};

TEST_F(LightRecordsTest, MapsALightRefersToJoinTheLibraryOnceEvenInACircle) {
  auto* checker = make<Texmap>(TEXMAP_CLASS_ID, CHECKER_CLASS_ID);
  auto* noise = make<Texmap>(TEXMAP_CLASS_ID, NOISE_CLASS_ID);
  Referrer light(LIGHT_CLASS_ID), middle(0x900);
  light.refs = {nullptr, &middle, checker};
  middle.refs = {noise, &light, checker};
  CollectLightMaps(&light, library);
  ASSERT_EQ(library.Count(), 2);
  EXPECT_EQ(library[0], noise);  // depth first: the middle's references before the light's next
  EXPECT_EQ(library[1], checker);
}

}  // namespace

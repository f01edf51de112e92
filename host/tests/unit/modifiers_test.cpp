// The modifier stack: evaluation order, the base object left alone, channel
// masks, and each standard modifier's effect worked out by hand.
#include <gtest/gtest.h>

#include <cmath>

#include "host/simple_objects.h"
#include "host/triobject.h"
#include "scene/standard_modifiers.h"

namespace {

// A one-vertex-per-corner mesh object to modify: a line of points up the z axis.
TriObject* column(float height) {
  TriObject* tri = CreateNewTriObject();
  Mesh& m = tri->GetMesh();
  m.setNumVerts(3);
  m.setVert(0, Point3(0, 0, 0));
  m.setVert(1, Point3(0, 0, height / 2));
  m.setVert(2, Point3(0, 0, height));
  m.setNumFaces(1);
  m.faces[0].setVerts(0, 1, 2);
  return tri;
}

ModContext context_for(TriObject* tri) {
  ModContext mc;
  mc.box = tri->GetMesh().getBoundingBox();
  return mc;
}

void expect_point(const Point3& got, const Point3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-4f);
  EXPECT_NEAR(got.y, want.y, 1e-4f);
  EXPECT_NEAR(got.z, want.z, 1e-4f);
}

TEST(Bend, AHalfTurnFoldsAColumnOntoACircle) {
  TriObject* tri = column(10);
  BendModifier bend;
  bend.GetParamList()->SetValue(BendModifier::kAngle, 180);
  ModContext mc = context_for(tri);
  ObjectState os{tri};
  bend.ModifyObject(0, mc, &os, nullptr);
  // Radius 10 / pi; the top ends two radii along x, back at height 0.
  float r = 10.0f / 3.14159265f;
  expect_point(tri->GetMesh().getVert(0), {0, 0, 0});
  expect_point(tri->GetMesh().getVert(1), {r, 0, r});
  expect_point(tri->GetMesh().getVert(2), {2 * r, 0, 0});
  tri->DeleteThis();
}

TEST(Bend, DirectionTurnsThePlaneOfTheBendAboutTheAxis) {
  TriObject* tri = column(10);
  BendModifier bend;
  bend.GetParamList()->SetValue(BendModifier::kAngle, 180);
  bend.GetParamList()->SetValue(BendModifier::kDirection, 90);
  ModContext mc = context_for(tri);
  ObjectState os{tri};
  bend.ModifyObject(0, mc, &os, nullptr);
  expect_point(tri->GetMesh().getVert(2), {0, 20.0f / 3.14159265f, 0});
  tri->DeleteThis();
}

TEST(DerivedObject, ModifiersApplyBottomFirstAndLeaveTheBaseAlone) {
  auto* box = new BoxObject;
  IDerivedObject stack(box);
  auto* uvw = new UVWMapModifier;
  auto* bend = new BendModifier;
  bend->GetParamList()->SetValue(BendModifier::kAngle, 90);
  ModContext* bend_context = new ModContext;
  bend_context->box = Box3(Point3(-12.5f, -12.5f, 0), Point3(12.5f, 12.5f, 25));
  stack.AddModifier(bend, bend_context, 0);
  ModContext* uvw_context = new ModContext;
  uvw_context->box = Box3(Point3(-50, -50, 0), Point3(50, 50, 50));
  stack.AddModifier(uvw, uvw_context, 0);  // on top of the bend
  ASSERT_EQ(stack.NumModifiers(), 2);
  EXPECT_EQ(stack.GetModifier(0), uvw);
  EXPECT_EQ(stack.FindBaseObject(), box);
  Object* result = stack.ConvertToType(0, triObjectClassID);
  ASSERT_NE(result, nullptr);
  ASSERT_NE(result, box);
  Mesh& mesh = static_cast<TriObject*>(result)->GetMesh();
  // The map was made after the bend: top corner 5 of the box, (-12.5,-12.5,25),
  // bent a quarter turn lands at x = 25/(pi/2), and maps to u = x/100 + 0.5.
  float r = 25.0f / (3.14159265f / 2);
  expect_point(mesh.getVert(4), {r, -12.5f, r + 12.5f});
  EXPECT_NEAR(mesh.mapVerts(1)[4].x, r / 100 + 0.5f, 1e-4f);
  result->DeleteThis();
  // Taking a modifier off gives it back to the caller.
  ModContext* taken = nullptr;
  Modifier* off = stack.ReleaseModifier(0, &taken);
  EXPECT_EQ(off, uvw);
  EXPECT_EQ(stack.NumModifiers(), 1);
  off->DeleteThis();
  delete taken;
}

TEST(Modifiers, ChannelMasksSayWhatEachReadsAndChanges) {
  BendModifier bend;
  UVWMapModifier uvw;
  VolSelectModifier sel;
  EXPECT_EQ(bend.ChannelsUsed(), 0x3u);
  EXPECT_EQ(bend.ChannelsChanged(), GEOM_CHANNEL);
  EXPECT_EQ(uvw.ChannelsChanged() & TEXMAP_CHANNEL, TEXMAP_CHANNEL);
  EXPECT_EQ(sel.ChannelsChanged(), SELECT_CHANNEL | SUBSEL_TYPE_CHANNEL);
  EXPECT_EQ(bend.SuperClassID(), OSM_CLASS_ID);
}

TEST(VolSelect, SelectsThePointsInsideItsBoxAndTheFacesAllOfWhoseCornersAreIn) {
  TriObject* tri = column(10);
  VolSelectModifier sel;
  sel.GetParamList()->SetValue(VolSelectModifier::kLevel, 2);
  sel.GetParamList()->SetValue(VolSelectModifier::kHeight, 6);  // z from 2 to 8 round the centre 5
  ModContext mc = context_for(tri);
  ObjectState os{tri};
  sel.ModifyObject(0, mc, &os, nullptr);
  const Mesh& m = tri->GetMesh();
  EXPECT_FALSE(m.vertSel[0]);
  EXPECT_TRUE(m.vertSel[1]);
  EXPECT_FALSE(m.vertSel[2]);
  EXPECT_FALSE(m.faceSel[0]);
  EXPECT_EQ(m.selLevel, MESH_FACE);
  tri->DeleteThis();
}

}  // namespace

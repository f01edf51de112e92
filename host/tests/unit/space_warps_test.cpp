// Particle systems, space warps, viewports and the progress bar as plug-ins
// reach them: the particle interface, the warps' super class and force
// fields, the active viewport's enabled state and the progress calls.
#include <gtest/gtest.h>

#include <cmath>
#include <memory>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/particles.h"
#include "host/simple_objects.h"
#include "host/space_warps.h"
#include "host/triobject.h"
#include "host/values.h"
#include "scene/node_values.h"

namespace {

const Class_ID kSprayId(0x9bd61aa0, 0);
const Class_ID kGravityId(0xe523c, 0);
const Class_ID kSpaceRippleId(0x30, 0);

class SpaceWarps : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  INode* make_node(SClass_ID super, Class_ID id) {
    auto* object = static_cast<Object*>(ip->CreateInstance(super, id));
    return object != nullptr ? ip->CreateObjectNode(object) : nullptr;
  }
  WSMObject* warp_of(INode* node) { return static_cast<WSMObject*>(node->GetObjectRef()); }
  void set_param(INode* node, const char* name, float value) {
    ParamList* params = node->GetObjectRef()->GetParamList();
    params->SetValue(params->FindParam(name), value);
  }
};

struct FieldDeleter {
  void operator()(ForceField* f) const { f->DeleteThis(); }
};
using FieldPtr = std::unique_ptr<ForceField, FieldDeleter>;

void expect_near(const Point3& got, const Point3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-5f);
  EXPECT_NEAR(got.y, want.y, 1e-5f);
  EXPECT_NEAR(got.z, want.z, 1e-5f);
}

TEST_F(SpaceWarps, OnlyParticleSystemsAnswerTheParticleInterface) {
  INode* spray = make_node(GEOMOBJECT_CLASS_ID, kSprayId);
  ASSERT_NE(spray, nullptr);
  Object* object = spray->EvalWorldState(0).obj;
  void* particles = object->GetInterface(I_PARTICLEOBJ);
  ASSERT_NE(particles, nullptr);
  EXPECT_EQ(GetParticleInterface(object), particles);
  EXPECT_EQ(object->SuperClassID(), GEOMOBJECT_CLASS_ID);
  EXPECT_EQ(static_cast<ParticleObject*>(particles)->NumParticles(), 100);

  BoxObject box;
  TriObject tri;
  EXPECT_EQ(box.GetInterface(I_PARTICLEOBJ), nullptr);
  EXPECT_EQ(tri.GetInterface(I_PARTICLEOBJ), nullptr);
  INode* gravity = make_node(WSM_OBJECT_CLASS_ID, kGravityId);
  EXPECT_EQ(gravity->GetObjectRef()->GetInterface(I_PARTICLEOBJ), nullptr);
}

TEST_F(SpaceWarps, WarpsAreOfTheSpaceWarpSuperClass) {
  EXPECT_EQ(WSM_OBJECT_CLASS_ID, 0x830u);
  for (Class_ID id : {kGravityId, kSpaceRippleId}) {
    INode* node = make_node(WSM_OBJECT_CLASS_ID, id);
    ASSERT_NE(node, nullptr);
    EXPECT_EQ(node->GetObjectRef()->SuperClassID(), WSM_OBJECT_CLASS_ID);
    EXPECT_EQ(node->GetObjectRef()->IsRenderable(), 0);
    EXPECT_NE(dynamic_cast<WSMObject*>(node->GetObjectRef()), nullptr);
  }
  // A warp is not made as geometry, nor geometry as a warp.
  EXPECT_EQ(ip->CreateInstance(GEOMOBJECT_CLASS_ID, kGravityId), nullptr);
  EXPECT_EQ(ip->CreateInstance(WSM_OBJECT_CLASS_ID, kSprayId), nullptr);
}

TEST_F(SpaceWarps, PlanarGravityIsTheSameEverywhereAlongTheArrow) {
  INode* node = make_node(WSM_OBJECT_CLASS_ID, kGravityId);
  set_param(node, "strength", 3);
  node->SetNodeTM(0, TransMatrix(Point3(5, -7, 40)));
  FieldPtr field(warp_of(node)->GetForceField(node));
  ASSERT_NE(field, nullptr);
  for (Point3 pos : {Point3(0, 0, 0), Point3(100, -50, 3), Point3(5, -7, 40)})
    expect_near(field->Force(0, pos, Point3(1, 2, 3), 0), Point3(0, 0, -3));
  // Turned a quarter turn about Y, the arrow (the icon's -Z) points along -X.
  node->SetNodeTM(0, RotateYMatrix(static_cast<float>(M_PI) / 2));
  FieldPtr turned(warp_of(node)->GetForceField(node));
  expect_near(turned->Force(0, Point3(1, 1, 1), Point3(), 0), Point3(-3, 0, 0));
}

TEST_F(SpaceWarps, DecayFallsOffWithDistanceFromThePlaneOrTheCentre) {
  INode* node = make_node(WSM_OBJECT_CLASS_ID, kGravityId);
  set_param(node, "strength", 2);
  set_param(node, "decay", 0.5f);
  FieldPtr planar(warp_of(node)->GetForceField(node));
  // 4 units below the plane, whatever the sideways distance: 2 * e^-2.
  expect_near(planar->Force(0, Point3(30, 9, -4), Point3(), 0), Point3(0, 0, -2 * std::exp(-2.0f)));
  expect_near(planar->Force(0, Point3(0, 0, 0), Point3(), 0), Point3(0, 0, -2));

  set_param(node, "gravitytype", 1);
  FieldPtr spherical(warp_of(node)->GetForceField(node));
  // 2 units along +X: pulled back toward the centre, 2 * e^-1.
  expect_near(spherical->Force(0, Point3(2, 0, 0), Point3(), 0), Point3(-2 * std::exp(-1.0f), 0, 0));
  // (3,4,0) is 5 away: the pull points at the centre.
  Point3 f = spherical->Force(0, Point3(3, 4, 0), Point3(), 0);
  expect_near(f, Point3(-0.6f, -0.8f, 0) * (2 * std::exp(-2.5f)));
  // At the centre there is no direction to pull in.
  expect_near(spherical->Force(0, Point3(0, 0, 0), Point3(), 0), Point3());
}

TEST_F(SpaceWarps, FieldsKeepTheirSettingsAfterTheWarpChanges) {
  INode* node = make_node(WSM_OBJECT_CLASS_ID, kGravityId);
  FieldPtr before(warp_of(node)->GetForceField(node));
  set_param(node, "strength", 10);
  expect_near(before->Force(0, Point3(), Point3(), 0), Point3(0, 0, -1));
  // A field freed with DeleteThis after its node left the scene (the sanitizer
  // build checks it is freed once and not read after).
  FieldPtr after(warp_of(node)->GetForceField(node));
  ip->DeleteNode(node);
  expect_near(after->Force(0, Point3(), Point3(), 0), Point3(0, 0, -10));
  after.reset();
}

TEST_F(SpaceWarps, SpaceRippleGivesNoForceField) {
  INode* node = make_node(WSM_OBJECT_CLASS_ID, kSpaceRippleId);
  EXPECT_EQ(warp_of(node)->GetForceField(node), nullptr);
}

TEST_F(SpaceWarps, BindingAWarpMovesParticlesAndRipplesMeshesInWorldSpace) {
  INode* spray = make_node(GEOMOBJECT_CLASS_ID, kSprayId);
  set_param(spray, "variation", 0);
  set_param(spray, "speed", 4);
  spray->SetNodeTM(0, TransMatrix(Point3(0, 0, 100)));
  INode* gravity = make_node(WSM_OBJECT_CLASS_ID, kGravityId);
  set_param(gravity, "strength", 2);
  TimeValue t = 4 * GetTicksPerFrame();
  auto* particles = GetParticleInterface(spray->EvalWorldState(t).obj);
  ASSERT_NE(particles, nullptr);
  expect_near(particles->ParticlePosition(t, 0), Point3(0, 0, 84));
  EXPECT_EQ(particles->ParticleAge(t, 0), t);
  Modifier* binding = warp_of(gravity)->CreateWSMMod(gravity);
  ASSERT_NE(binding, nullptr);
  EXPECT_EQ(binding->SuperClassID(), WSM_CLASS_ID);
  add_modifier_to(spray, binding, 0);
  // 4 * 4 + 2 * 4^2 / 2 = 32 below the emitter, moving at 4 + 2 * 4.
  particles = GetParticleInterface(spray->EvalWorldState(t).obj);
  ASSERT_NE(particles, nullptr);
  expect_near(particles->ParticlePosition(t, 0), Point3(0, 0, 68));
  expect_near(particles->ParticleVelocity(t, 0), Point3(0, 0, -12));
  // Particles are in world space either way.
  EXPECT_EQ(spray->GetObjTMAfterWSM(t), spray->GetObjectTM(t));

  INode* plane = ip->CreateObjectNode(new PlaneObject);
  plane->SetNodeTM(0, TransMatrix(Point3(0, 0, 10)));
  INode* ripple = make_node(WSM_OBJECT_CLASS_ID, kSpaceRippleId);
  set_param(ripple, "wavelength", 40);
  add_modifier_to(plane, warp_of(ripple)->CreateWSMMod(ripple), 0);
  EXPECT_TRUE(plane->GetObjTMAfterWSM(0).IsIdentity());
  EXPECT_EQ(plane->GetObjTMBeforeWSM(0), plane->GetObjectTM(0));
  auto* tri = static_cast<TriObject*>(plane->EvalWorldState(0).obj);
  ASSERT_TRUE(tri->IsSubClassOf(triObjectClassID));
  // Vertex 7 of the 25 by 25 plane is (0,-6.25): 10 high plus 5 * sin(2 pi * 6.25 / 40).
  expect_near(tri->GetMesh().getVert(7), Point3(0, -6.25f, 10 + 5 * std::sin(2 * 3.14159265f * 6.25f / 40)));
}

TEST_F(SpaceWarps, DisablingSceneRedrawTurnsTheActiveViewportOff) {
  ViewExp& view = ip->GetActiveViewExp();
  EXPECT_TRUE(view.IsEnabled());
  int redraws = ip->GetRedrawCount();
  ip->RedrawViews(ip->GetTime());
  EXPECT_EQ(ip->GetRedrawCount(), redraws + 1);
  ip->DisableSceneRedraw();
  ip->DisableSceneRedraw();
  EXPECT_FALSE(view.IsEnabled());
  EXPECT_EQ(ip->IsSceneRedrawDisabled(), 1);
  ip->RedrawViews(ip->GetTime());
  ip->ForceCompleteRedraw(FALSE);
  EXPECT_EQ(ip->GetRedrawCount(), redraws + 1);
  ip->ForceCompleteRedraw(TRUE);
  EXPECT_EQ(ip->GetRedrawCount(), redraws + 2);
  ip->EnableSceneRedraw();
  EXPECT_FALSE(view.IsEnabled());
  ip->EnableSceneRedraw();
  EXPECT_TRUE(view.IsEnabled());
  ip->EnableSceneRedraw();  // one too many
  EXPECT_TRUE(view.IsEnabled());
  ip->DisableSceneRedraw();
  EXPECT_FALSE(view.IsEnabled());
  ip->EnableSceneRedraw();
}

DWORD count_to_ten(LPVOID arg) {
  Interface* ip = GetCOREInterface();
  auto* done = static_cast<int*>(arg);
  for (int i = 1; i <= 10 && !ip->GetCancel(); ++i) {
    ip->ProgressUpdate(i * 10);
    *done = i;
    if (i == 4) ip->SetCancel(TRUE);
  }
  return 0;
}

TEST_F(SpaceWarps, ProgressStartRunsTheWorkWhichCanBeCancelled) {
  int done = 0;
  ip->SetCancel(TRUE);
  EXPECT_TRUE(ip->ProgressStart("Counting", FALSE, count_to_ten, &done));
  EXPECT_EQ(done, 4);  // the cancel set before the start was cleared
  EXPECT_TRUE(ip->GetCancel());
  ip->ProgressEnd();
  ip->SetCancel(FALSE);
  EXPECT_FALSE(ip->GetCancel());
  EXPECT_TRUE(ip->ProgressStart("Nothing to run", FALSE, nullptr, nullptr));
  ip->ProgressEnd();
}

}  // namespace

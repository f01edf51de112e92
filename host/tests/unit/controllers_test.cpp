// Controllers through the plug-in contract: a node's transform controller
// and its parts, keys planted while animating, smooth interpolation, the
// keyable flag word, the held mark and undo, and change notification.
#include <gtest/gtest.h>

#include "host/control.h"
#include "host/core_interface.h"
#include "host/hold.h"
#include "host/simple_objects.h"

namespace {

constexpr TimeValue kFrame = 160;

class Controllers : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  INode* node = nullptr;
  void SetUp() override { node = ip->CreateObjectNode(new BoxObject()); }
  void TearDown() override {
    AnimateOff();
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  Control* x_track() { return node->GetTMController()->GetPositionController()->SubControl(0); }
  static float value_of(Control* c, TimeValue t) {
    float f = 0;
    Interval valid = FOREVER;
    c->GetValue(t, &f, valid);
    return f;
  }
  static void set(Control* c, TimeValue t, float f) { c->SetValue(t, &f); }
};

// Records what it hears; answers with `answer`.
class Listener : public Animatable {
 public:
  explicit Listener(SClass_ID sclass, RefResult answer = REF_SUCCEED) : sclass_(sclass), answer_(answer) {}
  Class_ID ClassID() override { return Class_ID(1, 2); }
  SClass_ID SuperClassID() override { return sclass_; }
  void GetClassName(std::string& s) override { s = "Listener"; }
  RefResult NotifyRefChanged(const Interval& changeInt, Animatable* hTarget, PartID& partID,
                             RefMessage message) override {
    ++heard;
    interval = changeInt;
    target = hTarget;
    part = partID;
    last_message = message;
    return answer_;
  }
  int heard = 0;
  Interval interval;
  Animatable* target = nullptr;
  PartID part = 0;
  RefMessage last_message = 0;

 private:
  SClass_ID sclass_;
  RefResult answer_;
};

TEST_F(Controllers, ANodeTransformControllerHasPositionRotationAndScaleParts) {
  Matrix3 tm = RotateZMatrix(0.5f) * TransMatrix(Point3(1, 2, 3));
  node->SetNodeTM(0, tm);
  Control* prs = node->GetTMController();
  ASSERT_NE(prs, nullptr);
  EXPECT_EQ(prs->SuperClassID(), CTRL_MATRIX3_CLASS_ID);
  EXPECT_EQ(prs->GetPositionController()->SuperClassID(), CTRL_POSITION_CLASS_ID);
  EXPECT_EQ(prs->GetRotationController()->SuperClassID(), CTRL_ROTATION_CLASS_ID);
  EXPECT_EQ(prs->GetScaleController()->SuperClassID(), CTRL_SCALE_CLASS_ID);
  EXPECT_EQ(ip->GetRootNode()->GetTMController(), nullptr);
  // The controller starts from the node's transform.
  Point3 pos;
  Interval valid = FOREVER;
  prs->GetPositionController()->GetValue(0, &pos, valid);
  EXPECT_EQ(pos, Point3(1, 2, 3));
  EXPECT_EQ(valid, FOREVER);
  Matrix3 back = node->GetNodeTM(0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(back.m[r][c], tm.m[r][c], 1e-6f);
}

TEST_F(Controllers, AMirroredTransformSurvivesTheSplitIntoParts) {
  Matrix3 tm = ScaleMatrix(Point3(-2, 1, 3)) * RotateXMatrix(0.3f) * TransMatrix(Point3(4, 5, 6));
  node->SetNodeTM(0, tm);
  node->GetTMController();
  Matrix3 back = node->GetNodeTM(0);
  EXPECT_LT(back.Determinant(), 0);
  for (int r = 0; r < 4; ++r)
    for (int c = 0; c < 3; ++c) EXPECT_NEAR(back.m[r][c], tm.m[r][c], 1e-5f);
}

TEST_F(Controllers, AnimatingPlantsKeysAndTheFirstOneKeepsTheOldValueAtZero) {
  node->SetNodeTM(0, TransMatrix(Point3(1, 0, 0)));
  AnimateOn();
  node->SetNodeTM(10 * kFrame, TransMatrix(Point3(11, 0, 0)));
  AnimateOff();
  Control* x = x_track();
  ASSERT_EQ(x->NumKeys(), 2);
  EXPECT_EQ(x->GetKeyTime(0), 0);
  EXPECT_EQ(x->GetKeyTime(1), 10 * kFrame);
  EXPECT_TRUE(node->TransformAnimated());
  EXPECT_FLOAT_EQ(node->GetNodeTM(0).GetTrans().x, 1);
  EXPECT_FLOAT_EQ(node->GetNodeTM(10 * kFrame).GetTrans().x, 11);
  EXPECT_FLOAT_EQ(node->GetNodeTM(5 * kFrame).GetTrans().x, 6);  // flat ends: halfway
  EXPECT_FLOAT_EQ(node->GetNodeTM(-kFrame).GetTrans().x, 1);     // held before the first key
  // A key's value holds only at its time.
  Interval valid = FOREVER;
  Point3 p;
  node->GetTMController()->GetPositionController()->GetValue(5 * kFrame, &p, valid);
  EXPECT_EQ(valid, Interval(5 * kFrame, 5 * kFrame));
  // Without animating, the track moves as a whole.
  node->SetNodeTM(10 * kFrame, TransMatrix(Point3(21, 0, 0)));
  EXPECT_FLOAT_EQ(value_of(x, 0), 11);
  EXPECT_EQ(x->NumKeys(), 2);
}

TEST_F(Controllers, AChildFollowsItsAnimatedParent) {
  INode* child = ip->CreateObjectNode(new BoxObject());
  child->SetNodeTM(0, TransMatrix(Point3(0, 1, 0)));
  node->AttachChild(child);
  AnimateOn();
  node->SetNodeTM(10 * kFrame, TransMatrix(Point3(10, 0, 0)));
  AnimateOff();
  EXPECT_EQ(child->GetNodeTM(10 * kFrame).GetTrans(), Point3(10, 1, 0));
  EXPECT_EQ(child->GetNodeTM(0).GetTrans(), Point3(0, 1, 0));
}

TEST_F(Controllers, KeyControllersOfferTheKeyableFlagWordCompoundOnesDoNot) {
  Control* prs = node->GetTMController();
  EXPECT_EQ(prs->GetInterface(I_KEYABLE_PROPERTY), nullptr);
  EXPECT_EQ(prs->GetPositionController()->GetInterface(I_KEYABLE_PROPERTY), nullptr);
  auto* keyable = static_cast<IKeyableProperty*>(x_track()->GetInterface(I_KEYABLE_PROPERTY));
  ASSERT_NE(keyable, nullptr);
  EXPECT_EQ(keyable->GetController(), x_track());
  DWORD* flags = keyable->GetFlagWord();
  EXPECT_EQ(*flags & KEYABLE_PROP_NOT_KEYABLE, 0u);
  // A track that is not keyable takes values without keys even while animating.
  *flags |= KEYABLE_PROP_NOT_KEYABLE;
  EXPECT_FALSE(keyable->IsKeyable());
  AnimateOn();
  set(x_track(), 10 * kFrame, 7);
  AnimateOff();
  EXPECT_EQ(x_track()->NumKeys(), 0);
  EXPECT_FLOAT_EQ(value_of(x_track(), 0), 7);
  keyable->SetKeyable(TRUE);
  EXPECT_EQ(*flags & KEYABLE_PROP_NOT_KEYABLE, 0u);
}

TEST_F(Controllers, OneHoldRecordsATrackOnceAndUndoRestoresItsKeys) {
  Control* x = x_track();
  theHold.Begin();
  AnimateOn();
  set(x, 10 * kFrame, 1);
  EXPECT_TRUE(x->TestAFlag(A_HELD));
  set(x, 20 * kFrame, 2);
  AnimateOff();
  theHold.Accept("keys");
  EXPECT_FALSE(x->TestAFlag(A_HELD));
  EXPECT_EQ(x->NumKeys(), 3);
  theHold.Undo();
  EXPECT_EQ(x->NumKeys(), 0);
  EXPECT_FLOAT_EQ(value_of(x, 20 * kFrame), 0);
  theHold.Redo();
  EXPECT_EQ(x->NumKeys(), 3);
  EXPECT_FLOAT_EQ(value_of(x, 20 * kFrame), 2);
}

TEST_F(Controllers, ChangesReachDependentsThatPassTheClassMask) {
  Control* x = x_track();
  Listener light(LIGHT_CLASS_ID), geometry(GEOMOBJECT_CLASS_ID), behind(LIGHT_CLASS_ID);
  x->RegisterDependent(&light);
  x->RegisterDependent(&geometry);
  light.RegisterDependent(&behind);
  x->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, LIGHT_CLASS_ID, TRUE, nullptr);
  EXPECT_EQ(light.heard, 1);
  EXPECT_EQ(geometry.heard, 0);
  EXPECT_EQ(light.interval, FOREVER);
  EXPECT_EQ(light.part, PART_ALL);
  EXPECT_EQ(light.last_message, REFMSG_CHANGE);
  EXPECT_EQ(light.target, x);
  EXPECT_EQ(behind.heard, 1);  // passed on
  EXPECT_EQ(behind.target, &light);
  // Without propagation only the direct dependents hear; setting a value tells everyone.
  x->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, FALSE, nullptr);
  EXPECT_EQ(geometry.heard, 1);
  EXPECT_EQ(behind.heard, 1);
  set(x, 0, 3);
  EXPECT_EQ(light.heard, 3);
  EXPECT_EQ(geometry.heard, 2);
  x->UnregisterDependent(&light);
  x->UnregisterDependent(&geometry);
  set(x, 0, 4);
  EXPECT_EQ(light.heard, 3);
}

TEST_F(Controllers, ADependentThatStopsKeepsTheMessageFromItsOwnDependents) {
  Listener stopper(LIGHT_CLASS_ID, REF_STOP), behind(LIGHT_CLASS_ID);
  x_track()->RegisterDependent(&stopper);
  stopper.RegisterDependent(&behind);
  set(x_track(), 0, 1);
  EXPECT_EQ(stopper.heard, 1);
  EXPECT_EQ(behind.heard, 0);
  x_track()->UnregisterDependent(&stopper);
}

}  // namespace

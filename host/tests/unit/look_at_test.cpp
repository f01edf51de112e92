// Nodes aiming at targets through the plug-in contract: the LookAt
// transform controller, the aim worked by hand, parents and targets that
// would make a loop, a target that is freed, and a loop brought back by undo.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "host/control.h"
#include "host/core_interface.h"
#include "host/hold.h"
#include "host/scene_files.h"
#include "host/simple_objects.h"

namespace {

class LookAt : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void SetUp() override { ResetScene(); }
  void TearDown() override { ResetScene(); }

  INode* box_at(const Point3& p) {
    INode* n = ip->CreateObjectNode(new BoxObject());
    n->SetNodeTM(0, TransMatrix(p));
    return n;
  }
};

void expect_near(const Point3& got, const Point3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-5f);
  EXPECT_NEAR(got.y, want.y, 1e-5f);
  EXPECT_NEAR(got.z, want.z, 1e-5f);
}

TEST_F(LookAt, TheMinusZAxisPointsAtTheTargetAndFollowsIt) {
  INode* target = box_at(Point3(3, 4, 0));
  INode* node = box_at(Point3(0, 0, 0));
  ASSERT_TRUE(node->SetTarget(target));
  EXPECT_EQ(node->GetTarget(), target);
  Control* c = node->GetTMController();
  EXPECT_EQ(c->ClassID(), Class_ID(LOOKAT_CONTROL_CLASS_ID, 0));
  EXPECT_EQ(c->SuperClassID(), CTRL_MATRIX3_CLASS_ID);
  EXPECT_EQ(c->GetRotationController(), nullptr);
  EXPECT_EQ(c->GetPositionController()->SuperClassID(), CTRL_POSITION_CLASS_ID);
  EXPECT_EQ(c->GetRollController()->SuperClassID(), CTRL_FLOAT_CLASS_ID);
  // Toward [3,4,0]: z = -[3,4,0]/5, x = [0,0,1] x z = [0.8,-0.6,0], y = z x x = [0,0,1].
  Matrix3 tm = node->GetNodeTM(0);
  expect_near(tm.GetRow(0), Point3(0.8f, -0.6f, 0));
  expect_near(tm.GetRow(1), Point3(0, 0, 1));
  expect_near(tm.GetRow(2), Point3(-0.6f, -0.8f, 0));
  expect_near(tm.GetTrans(), Point3(0, 0, 0));
  // The target moves above the node: aimed straight up, X stays the world's X.
  target->SetNodeTM(0, TransMatrix(Point3(0, 0, 7)));
  tm = node->GetNodeTM(0);
  expect_near(tm.GetRow(0), Point3(1, 0, 0));
  expect_near(tm.GetRow(1), Point3(0, -1, 0));
  expect_near(tm.GetRow(2), Point3(0, 0, -1));
  // The node moves; its position is its own, the aim the target's.
  node->SetNodeTM(0, RotateXMatrix(1.0f) * TransMatrix(Point3(-5, 0, 7)));
  tm = node->GetNodeTM(0);
  expect_near(tm.GetTrans(), Point3(-5, 0, 7));
  expect_near(tm.GetRow(2), Point3(-1, 0, 0));
  // A roll of a quarter turn turns X and Y about the aiming axis.
  float quarter = static_cast<float>(M_PI / 2);
  c->GetRollController()->SetValue(0, &quarter);
  tm = node->GetNodeTM(0);
  expect_near(tm.GetRow(0), Point3(0, 0, 1));
  expect_near(tm.GetRow(1), Point3(0, 1, 0));
  expect_near(tm.GetRow(2), Point3(-1, 0, 0));
}

TEST_F(LookAt, APositionIsTheParentsButTheAimIsInTheWorld) {
  INode* parent = box_at(Point3(10, 0, 0));
  parent->SetNodeTM(0, RotateZMatrix(static_cast<float>(M_PI / 2)) * TransMatrix(Point3(10, 0, 0)));
  INode* node = ip->CreateObjectNode(new BoxObject());
  parent->AttachChild(node, 0);
  node->SetTarget(nullptr);
  Point3 local(0, 5, 0);  // relative to the parent
  Control* position = node->GetTMController()->GetPositionController();
  position->SetValue(0, &local);
  // The parent turns [0,5,0] a quarter turn about Z to [-5,0,0], then moves it by [10,0,0].
  INode* target = box_at(Point3(5, 0, -20));
  ASSERT_TRUE(node->SetTarget(target));
  Matrix3 tm = node->GetNodeTM(0);
  expect_near(tm.GetTrans(), Point3(5, 0, 0));
  expect_near(tm.GetRow(0), Point3(1, 0, 0));
  expect_near(tm.GetRow(1), Point3(0, 1, 0));
  expect_near(tm.GetRow(2), Point3(0, 0, 1));
}

TEST_F(LookAt, LoopsThroughParentsAndTargetsAreRefused) {
  INode* a = box_at(Point3(0, 0, 0));
  INode* b = box_at(Point3(1, 0, 0));
  INode* child = box_at(Point3(2, 0, 0));
  a->AttachChild(child);
  EXPECT_FALSE(a->SetTarget(a));
  EXPECT_FALSE(a->SetTarget(child));
  EXPECT_EQ(a->GetTarget(), nullptr);
  ASSERT_TRUE(a->SetTarget(b));
  EXPECT_TRUE(a->TransformDependsOn(b));
  EXPECT_TRUE(child->TransformDependsOn(b));
  EXPECT_FALSE(b->TransformDependsOn(a));
  EXPECT_FALSE(b->SetTarget(child));
  // b under a would depend on a, which aims at b.
  a->AttachChild(b);
  EXPECT_TRUE(b->GetParentNode()->IsRootNode());
  // Aiming at nothing keeps the LookAt transform.
  ASSERT_TRUE(a->SetTarget(nullptr));
  EXPECT_EQ(a->GetTMController()->ClassID(), Class_ID(LOOKAT_CONTROL_CLASS_ID, 0));
  EXPECT_TRUE(b->SetTarget(child));
}

TEST_F(LookAt, AFreedTargetIsLetGoAndADeletedOneComesBackWithUndo) {
  INode* target = box_at(Point3(0, 0, -10));
  INode* node = box_at(Point3(0, 5, 0));
  node->SetTarget(target);
  theHold.Begin();
  ip->DeleteNode(target);
  theHold.Accept("delete");
  EXPECT_EQ(node->GetTarget(), nullptr);
  EXPECT_EQ(node->GetNodeTM(0).GetRow(2), Point3(0, 0, 1));
  theHold.Undo();
  EXPECT_EQ(node->GetTarget(), target);
  // Outside any hold, with no undo history, the target is freed at once.
  theHold.Clear();
  ip->DeleteNode(target);
  EXPECT_EQ(node->GetTarget(), nullptr);
  Matrix3 tm = node->GetNodeTM(0);
  EXPECT_EQ(tm, TransMatrix(Point3(0, 5, 0)));
}

TEST_F(LookAt, ChainsOfTargetsEvaluateAndALoopUndoBringsBackEnds) {
  // Each node aims at the next along +X: z = [-1,0,0], x = [0,-1,0], y = [0,0,1].
  std::vector<INode*> chain;
  for (int i = 0; i < 3000; ++i) chain.push_back(box_at(Point3(static_cast<float>(i), 0, 0)));
  for (std::size_t i = 0; i + 1 < chain.size(); ++i) ASSERT_TRUE(chain[i]->SetTarget(chain[i + 1]));
  Matrix3 tm = chain.front()->GetNodeTM(0);
  EXPECT_EQ(tm.GetRow(0), Point3(0, -1, 0));
  EXPECT_EQ(tm.GetRow(1), Point3(0, 0, 1));
  EXPECT_EQ(tm.GetRow(2), Point3(-1, 0, 0));

  // Undo can bring back a link that now makes a loop: t under s, unlinked
  // (recorded), s aims at t (not recorded), then the unlinking is undone.
  INode* s = box_at(Point3(0, 0, 10));
  INode* t = box_at(Point3(0, 0, 0));
  s->AttachChild(t);
  theHold.Begin();
  t->Detach(0);
  theHold.Accept("unlink");
  ASSERT_TRUE(s->SetTarget(t));
  theHold.Undo();
  ASSERT_EQ(t->GetParentNode(), s);
  for (INode* n : {s, t}) {
    Matrix3 m = n->GetNodeTM(0);
    for (int row = 0; row < 4; ++row)
      for (int k = 0; k < 3; ++k) EXPECT_TRUE(std::isfinite(m.GetRow(row)[k]));
  }
}

}  // namespace

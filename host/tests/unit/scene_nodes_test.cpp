// Scene nodes through the application's interface: transforms through a
// parent and an object offset, class identity, and undo of node changes.
#include <gtest/gtest.h>

#include <cmath>

#include "host/hold.h"
#include "host/core_interface.h"
#include "host/simple_objects.h"

namespace {

constexpr float kHalfPi = 1.57079632679f;

void expect_near(const Point3& got, const Point3& want) {
  EXPECT_NEAR(got.x, want.x, 1e-5f);
  EXPECT_NEAR(got.y, want.y, 1e-5f);
  EXPECT_NEAR(got.z, want.z, 1e-5f);
}

// Each test leaves the scene and the undo stack as it found them.
class SceneNodes : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
};

TEST_F(SceneNodes, ChildTransformsComposeWithTheParentAndTheObjectOffset) {
  INode* parent = ip->CreateObjectNode(new BoxObject);
  INode* child = ip->CreateObjectNode(new SphereObject);
  // The parent turned 90 degrees about z (x axis to +y), at [10,0,0].
  parent->SetNodeTM(0, RotateZMatrix(kHalfPi) * TransMatrix(Point3(10, 0, 0)));
  // Linked keeping its own transform as the local one: [0,5,0] in the
  // parent's frame lies along the parent's y axis, which points to -x.
  child->SetNodeTM(0, TransMatrix(Point3(0, 5, 0)));
  parent->AttachChild(child, 0);
  EXPECT_EQ(child->GetParentNode(), parent);
  ASSERT_EQ(parent->NumberOfChildren(), 1);
  EXPECT_EQ(parent->GetChildNode(0), child);
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(5, 0, 0));
  expect_near(child->GetNodeTM(0).GetRow(0), Point3(0, 1, 0));
  // The object sits 2 units along the child's own x axis (world +y) and is
  // twice as large as the node.
  child->SetObjOffsetPos(Point3(2, 0, 0));
  child->SetObjOffsetScale(Point3(2, 2, 2));
  Matrix3 object_tm = child->GetObjectTM(0);
  expect_near(object_tm.GetTrans(), Point3(5, 2, 0));
  expect_near(object_tm.GetRow(0), Point3(0, 2, 0));
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(5, 0, 0));  // the pivot stays
  // Moving the parent carries the child and its object.
  parent->SetNodeTM(0, RotateZMatrix(kHalfPi) * TransMatrix(Point3(10, 0, 7)));
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(5, 0, 7));
  expect_near(child->GetObjectTM(0).GetTrans(), Point3(5, 2, 7));
}

TEST_F(SceneNodes, LinkingAndUnlinkingKeepTheWorldTransformWhenAsked) {
  INode* parent = ip->CreateObjectNode(new BoxObject);
  INode* child = ip->CreateObjectNode(new BoxObject);
  parent->SetNodeTM(0, TransMatrix(Point3(10, 0, 0)));
  child->SetNodeTM(0, TransMatrix(Point3(3, 4, 0)));
  parent->AttachChild(child, 1);
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(3, 4, 0));
  parent->SetNodeTM(0, TransMatrix(Point3(20, 0, 0)));
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(13, 4, 0));
  child->Detach(0, 1);
  EXPECT_EQ(child->GetParentNode(), ip->GetRootNode());
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(13, 4, 0));
  // No loops: a node does not go below itself or its descendants.
  parent->AttachChild(child, 1);
  child->AttachChild(parent, 1);
  parent->AttachChild(parent, 1);
  EXPECT_EQ(parent->GetParentNode(), ip->GetRootNode());
  EXPECT_EQ(child->GetParentNode(), parent);
}

TEST_F(SceneNodes, ObjectsKeepTheApplicationsClassIdsAndParameters) {
  BoxObject box;
  EXPECT_EQ(box.ClassID(), Class_ID(BOXOBJ_CLASS_ID, 0));
  EXPECT_EQ(box.SuperClassID(), GEOMOBJECT_CLASS_ID);
  EXPECT_EQ(box.IsRenderable(), 1);
  EXPECT_EQ(box.GetFloat(BoxObject::kHeight), 25.0f);
  box.SetValue(BoxObject::kHeightSegs, 0);
  EXPECT_EQ(box.GetInt(BoxObject::kHeightSegs), 1);
  EXPECT_EQ(box.FindParam("HEIGHT"), BoxObject::kHeight);
  EXPECT_EQ(box.FindParam("radius"), -1);
  EXPECT_EQ(PlaneObject().ClassID(), Class_ID(0x81f1dfc, 0x77566f65));
  EXPECT_EQ(SphereObject().ClassID().PartA(), SPHERE_CLASS_ID);
  EXPECT_EQ(CylinderObject().GetInt(CylinderObject::kSides), 24);
  box.SetAFlag(0x4);
  EXPECT_TRUE(box.TestAFlag(0x4));
  box.ClearAFlag(0x4);
  EXPECT_FALSE(box.TestAFlag(0x4));
}

TEST_F(SceneNodes, NamesCountUpPerClassAndFindNodesInAnyCase) {
  INode* a = ip->CreateObjectNode(new BoxObject);
  INode* b = ip->CreateObjectNode(new BoxObject);
  INode* s = ip->CreateObjectNode(new SphereObject);
  EXPECT_STREQ(a->GetName(), "Box001");
  EXPECT_STREQ(b->GetName(), "Box002");
  EXPECT_STREQ(s->GetName(), "Sphere001");
  EXPECT_EQ(ip->GetINodeByName("BOX002"), b);
  EXPECT_EQ(ip->GetINodeByName("Box003"), nullptr);
  ip->DeleteNode(a);
  EXPECT_STREQ(ip->CreateObjectNode(new BoxObject)->GetName(), "Box003");
}

TEST_F(SceneNodes, UndoTakesBackCreationChangesAndDeletion) {
  theHold.Begin();
  INode* parent = ip->CreateObjectNode(new BoxObject);
  theHold.Accept("create");
  theHold.Begin();
  INode* child = ip->CreateObjectNode(new BoxObject);
  parent->AttachChild(child, 1);
  child->SetName("kid");
  child->SetWireColor(RGB(1, 2, 3));
  child->SetNodeTM(0, TransMatrix(Point3(1, 2, 3)));
  theHold.Accept("child");
  theHold.Begin();
  ip->DeleteNode(parent);
  theHold.Accept("delete");
  EXPECT_TRUE(parent->IsDeleted());  // the undo entry keeps it
  EXPECT_EQ(child->GetParentNode(), ip->GetRootNode());
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(1, 2, 3));

  ASSERT_TRUE(theHold.Undo());
  EXPECT_FALSE(parent->IsDeleted());
  EXPECT_EQ(child->GetParentNode(), parent);
  ASSERT_TRUE(theHold.Undo());
  EXPECT_TRUE(child->IsDeleted());
  EXPECT_EQ(parent->NumberOfChildren(), 0);
  ASSERT_TRUE(theHold.Redo());
  EXPECT_FALSE(child->IsDeleted());
  EXPECT_STREQ(child->GetName(), "kid");
  EXPECT_EQ(child->GetWireColor(), RGB(1, 2, 3));
  EXPECT_EQ(child->GetParentNode(), parent);
  expect_near(child->GetNodeTM(0).GetTrans(), Point3(1, 2, 3));
  ASSERT_TRUE(theHold.Undo());
  ASSERT_TRUE(theHold.Undo());
  EXPECT_TRUE(parent->IsDeleted());
  EXPECT_EQ(ip->GetRootNode()->NumberOfChildren(), 0);
  ASSERT_TRUE(theHold.Redo());
  EXPECT_EQ(ip->GetRootNode()->NumberOfChildren(), 1);
}

TEST_F(SceneNodes, ACancelledHoldRestoresTheNodeAndTheSelectionDropsDeletedNodes) {
  INode* node = ip->CreateObjectNode(new BoxObject);
  theHold.Begin();
  node->SetNodeTM(0, TransMatrix(Point3(5, 0, 0)));
  node->Hide(TRUE);
  static_cast<SimpleObject*>(node->GetObjectRef())->SetValue(BoxObject::kLength, 3);
  theHold.Cancel();
  expect_near(node->GetNodeTM(0).GetTrans(), Point3(0, 0, 0));
  EXPECT_EQ(node->IsHidden(), 0);
  EXPECT_EQ(static_cast<SimpleObject*>(node->GetObjectRef())->GetFloat(BoxObject::kLength), 25.0f);
  EXPECT_EQ(theHold.UndoCount(), 0);

  INode* other = ip->CreateObjectNode(new BoxObject);
  ip->SelectNode(node);
  ip->SelectNode(other, 0);
  EXPECT_EQ(ip->GetSelNodeCount(), 2);
  ip->DeleteNode(node);
  ASSERT_EQ(ip->GetSelNodeCount(), 1);
  EXPECT_EQ(ip->GetSelNode(0), other);
  ip->ClearNodeSelection();
  EXPECT_EQ(ip->GetSelNodeCount(), 0);
}

}  // namespace

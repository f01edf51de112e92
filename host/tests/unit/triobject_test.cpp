// Scene objects as triangle meshes: what a plug-in gets when it evaluates a
// node and asks for its mesh.
#include <gtest/gtest.h>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/simple_objects.h"
#include "host/triobject.h"

namespace {

class TriObjects : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
};

TEST_F(TriObjects, APrimitiveConvertsToANewMeshBuiltFromItsParameters) {
  auto* box = new BoxObject;
  box->SetValue(BoxObject::kLength, 10);  // along y
  box->SetValue(BoxObject::kWidth, 20);   // along x
  box->SetValue(BoxObject::kHeight, 30);
  INode* node = ip->CreateObjectNode(box);
  Object* evaluated = node->EvalWorldState(0).obj;
  ASSERT_EQ(evaluated, box);
  ASSERT_TRUE(evaluated->CanConvertToType(triObjectClassID));
  auto* tri = static_cast<TriObject*>(evaluated->ConvertToType(0, triObjectClassID));
  ASSERT_NE(tri, nullptr);
  EXPECT_NE(static_cast<Object*>(tri), evaluated);  // the caller's to delete
  EXPECT_TRUE(tri->IsSubClassOf(triObjectClassID));
  EXPECT_EQ(tri->ClassID(), Class_ID(EDITTRIOBJ_CLASS_ID, 0));  // an editable mesh
  const Mesh& mesh = tri->GetMesh();
  EXPECT_EQ(mesh.numVerts, 8);
  EXPECT_EQ(mesh.numFaces, 12);
  Box3 bounds = const_cast<Mesh&>(mesh).getBoundingBox();
  EXPECT_EQ(bounds.pmin, Point3(-10, -5, 0));
  EXPECT_EQ(bounds.pmax, Point3(10, 5, 30));
  tri->DeleteThis();

  // A changed parameter shows in the next conversion.
  box->SetValue(BoxObject::kHeight, 4);
  tri = static_cast<TriObject*>(box->ConvertToType(0, triObjectClassID));
  EXPECT_EQ(tri->GetMesh().getBoundingBox().pmax.z, 4);
  tri->DeleteThis();
}

TEST_F(TriObjects, EveryPrimitiveHasItsMesh) {
  auto faces_of = [](SimpleObject* object) {
    Object* tri = object->ConvertToType(0, triObjectClassID);
    int faces = static_cast<TriObject*>(tri)->GetMesh().numFaces;
    tri->DeleteThis();
    object->DeleteThis();
    return faces;
  };
  auto* sphere = new SphereObject;
  sphere->SetValue(SphereObject::kSegs, 32);
  EXPECT_EQ(faces_of(sphere), 960);  // 2 caps of 32 and 14 bands of 64
  auto* plane = new PlaneObject;
  plane->SetValue(PlaneObject::kLengthSegs, 3);
  plane->SetValue(PlaneObject::kWidthSegs, 2);
  EXPECT_EQ(faces_of(plane), 12);
  auto* cylinder = new CylinderObject;
  cylinder->SetValue(CylinderObject::kSides, 6);
  cylinder->SetValue(CylinderObject::kHeightSegs, 2);
  EXPECT_EQ(faces_of(cylinder), 6 * 2 * 2 + 2 * 6);  // two bands of quads, two fans
}

TEST_F(TriObjects, AMeshIsItsOwnConversionAndOtherClassesAreRefused) {
  TriObject* tri = CreateNewTriObject();
  EXPECT_TRUE(tri->CanConvertToType(triObjectClassID));
  EXPECT_EQ(tri->ConvertToType(0, triObjectClassID), tri);
  std::string name;
  tri->GetClassName(name);
  EXPECT_EQ(name, "Editable_mesh");
  const Class_ID other(0x1234, 0x5678);
  EXPECT_FALSE(tri->CanConvertToType(other));
  EXPECT_EQ(tri->ConvertToType(0, other), nullptr);
  auto* box = new BoxObject;
  EXPECT_FALSE(box->CanConvertToType(other));
  EXPECT_EQ(box->ConvertToType(0, other), nullptr);
  box->DeleteThis();
  tri->DeleteThis();
}

}  // namespace

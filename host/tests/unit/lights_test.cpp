// Lights and cameras through the application's interface: the objects the
// host makes by class id, the include/exclude list and its flags as plug-ins
// read them, and undo of light settings.
#include <gtest/gtest.h>

#include <memory>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/lights.h"
#include "host/simple_objects.h"

namespace {

class Lights : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  GenLight* make_light(ULONG class_a) {
    return static_cast<GenLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(class_a, 0)));
  }
};

TEST_F(Lights, TheHostMakesEachStandardLightAndCameraByClassId) {
  struct Case {
    ULONG id;
    int type;
    bool spot, dir;
  } cases[] = {{OMNI_LIGHT_CLASS_ID, OMNI_LIGHT, false, false},
               {SPOT_LIGHT_CLASS_ID, TSPOT_LIGHT, true, false},
               {DIR_LIGHT_CLASS_ID, DIR_LIGHT, false, true},
               {FSPOT_LIGHT_CLASS_ID, FSPOT_LIGHT, true, false},
               {TDIR_LIGHT_CLASS_ID, TDIR_LIGHT, false, true}};
  for (const Case& c : cases) {
    INode* node = ip->CreateObjectNode(make_light(c.id));
    Object* object = node->EvalWorldState(0).obj;
    ASSERT_EQ(object->SuperClassID(), LIGHT_CLASS_ID);
    EXPECT_EQ(object->ClassID(), Class_ID(c.id, 0));
    auto* light = static_cast<GenLight*>(object);
    EXPECT_EQ(light->Type(), c.type);
    EXPECT_EQ(light->IsSpot() != FALSE, c.spot);
    EXPECT_EQ(light->IsDir() != FALSE, c.dir);
    // Lights are not drawn as geometry and give no mesh.
    EXPECT_EQ(object->IsRenderable(), 0);
    EXPECT_EQ(object->CanConvertToType(Class_ID(0x0009, 0)), 0);
  }
  EXPECT_EQ(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(0x1234, 0)), nullptr);
  std::unique_ptr<CameraObject> camera(
      static_cast<CameraObject*>(ip->CreateInstance(CAMERA_CLASS_ID, Class_ID(SIMPLE_CAM_CLASS_ID, 0))));
  ASSERT_NE(camera, nullptr);
  EXPECT_EQ(camera->SuperClassID(), CAMERA_CLASS_ID);
  EXPECT_EQ(camera->IsRenderable(), 0);
  EXPECT_NEAR(camera->GetFOV(0), 0.785398f, 1e-5f);
}

TEST_F(Lights, SettingsReadBackAsSet) {
  std::unique_ptr<GenLight> light(make_light(SPOT_LIGHT_CLASS_ID));
  EXPECT_TRUE(light->GetUseLight());
  EXPECT_EQ(light->GetShadow(), 0);
  EXPECT_FLOAT_EQ(light->GetIntensity(0), 1.0f);
  EXPECT_FLOAT_EQ(light->GetHotspot(0), 43.0f);
  EXPECT_FLOAT_EQ(light->GetFallsize(0), 45.0f);
  Point3 rgb(0.25f, 0.5f, 1.0f);
  light->SetRGBColor(0, rgb);
  light->SetIntensity(0, 2.0f);
  light->SetUseLight(FALSE);
  light->SetShadow(1);
  light->SetHotspot(0, 20.0f);
  light->SetFallsize(0, 30.0f);
  EXPECT_FLOAT_EQ(light->GetRGBColor(0).y, 0.5f);
  EXPECT_FLOAT_EQ(light->GetIntensity(0), 2.0f);
  EXPECT_FALSE(light->GetUseLight());
  EXPECT_EQ(light->GetShadow(), 1);
  EXPECT_FLOAT_EQ(light->GetHotspot(0), 20.0f);
  EXPECT_FLOAT_EQ(light->GetFallsize(0), 30.0f);
}

TEST_F(Lights, TheExclusionListKeepsEachNodeOnceWithItsFlags) {
  std::unique_ptr<GenLight> light(make_light(OMNI_LIGHT_CLASS_ID));
  INode* a = ip->CreateObjectNode(new BoxObject);
  INode* b = ip->CreateObjectNode(new SphereObject);
  ExclList* list = light->GetExclList();
  ASSERT_EQ(list, &light->GetExclusionList());
  // A new light excludes nothing, for illumination and shadow casting.
  EXPECT_EQ(list->Count(), 0);
  EXPECT_FALSE(light->Include());
  EXPECT_TRUE(list->TestFlag(NT_AFFECT_ILLUM));
  EXPECT_TRUE(list->TestFlag(NT_AFFECT_SHADOWCAST));
  EXPECT_EQ(list->AddNode(a), 0);
  EXPECT_EQ(list->AddNode(b), 1);
  EXPECT_EQ(list->AddNode(a), 0);
  ASSERT_EQ(list->Count(), 2);
  EXPECT_EQ((*list)[0], a);
  EXPECT_EQ((*list)[1], b);
  EXPECT_EQ(list->FindNode(b), 1);
  list->RemoveNode(a);
  EXPECT_EQ(list->FindNode(a), -1);
  EXPECT_EQ(list->FindNode(b), 0);
  list->SetFlag(NT_INCLUDE);
  list->SetFlag(NT_AFFECT_SHADOWCAST, FALSE);
  EXPECT_TRUE(light->Include());
  EXPECT_TRUE(list->TestFlag(NT_AFFECT_ILLUM));
  EXPECT_FALSE(list->TestFlag(NT_AFFECT_SHADOWCAST));
  // The flags are bits: 1 include, 2 illumination, 4 shadow casting.
  EXPECT_EQ(NT_INCLUDE | NT_AFFECT_ILLUM | NT_AFFECT_SHADOWCAST, 7u);
}

TEST_F(Lights, ANodeFreedOnDeletionLeavesEveryList) {
  INode* light_node = ip->CreateObjectNode(make_light(OMNI_LIGHT_CLASS_ID));
  auto* light = static_cast<GenLight*>(light_node->GetObjectRef());
  INode* a = ip->CreateObjectNode(new BoxObject);
  INode* b = ip->CreateObjectNode(new BoxObject);
  light->GetExclList()->AddNode(a);
  light->GetExclList()->AddNode(b);
  ip->DeleteNode(a);  // no undo history: freed at once
  ASSERT_EQ(light->GetExclList()->Count(), 1);
  EXPECT_EQ((*light->GetExclList())[0], b);
}

TEST_F(Lights, UndoRestoresEverySettingAndRedoReappliesIt) {
  INode* node = ip->CreateObjectNode(make_light(OMNI_LIGHT_CLASS_ID));
  INode* a = ip->CreateObjectNode(new BoxObject);
  auto* light = static_cast<GenLight*>(node->GetObjectRef());
  theHold.Begin();
  Point3 red(1, 0, 0);
  light->SetRGBColor(0, red);
  light->SetIntensity(0, 3.0f);
  ExclList list;
  list.AddNode(a);
  list.SetFlag(NT_INCLUDE);
  light->SetExclusionList(list);
  theHold.Accept("light");
  ASSERT_TRUE(theHold.Undo());
  EXPECT_FLOAT_EQ(light->GetRGBColor(0).y, 180 / 255.0f);
  EXPECT_FLOAT_EQ(light->GetIntensity(0), 1.0f);
  EXPECT_EQ(light->GetExclList()->Count(), 0);
  EXPECT_FALSE(light->Include());
  ASSERT_TRUE(theHold.Redo());
  EXPECT_FLOAT_EQ(light->GetRGBColor(0).x, 1.0f);
  EXPECT_FLOAT_EQ(light->GetIntensity(0), 3.0f);
  EXPECT_EQ(light->GetExclList()->FindNode(a), 0);
  EXPECT_TRUE(light->Include());
}

}  // namespace

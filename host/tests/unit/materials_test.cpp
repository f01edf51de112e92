// Materials and maps through the application's interface: the standard
// material's values in the units plug-ins read, which sub-material a face's
// material ID picks, map coordinates, and a node's material with undo.
#include <gtest/gtest.h>

#include <memory>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/materials.h"
#include "host/simple_objects.h"

namespace {

struct DeleteThis {
  void operator()(Animatable* a) const { a->DeleteThis(); }
};
template <typename T>
using Owned = std::unique_ptr<T, DeleteThis>;

class Materials : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  void TearDown() override {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  template <typename T>
  Owned<T> make(SClass_ID super, ULONG id) {
    return Owned<T>(static_cast<T*>(ip->CreateInstance(super, Class_ID(id, 0))));
  }
};

TEST_F(Materials, TheStandardMaterialGivesItsValuesAsFractions) {
  Owned<StdMat2> m(NewDefaultStdMat());
  EXPECT_EQ(m->SuperClassID(), MATERIAL_CLASS_ID);
  EXPECT_EQ(m->ClassID(), Class_ID(DMTL_CLASS_ID, 0));
  // Glossiness 10%, specular level 0%, fully opaque.
  EXPECT_FLOAT_EQ(m->GetShininess(), 0.1f);
  EXPECT_FLOAT_EQ(m->GetShinStr(), 0.0f);
  EXPECT_FLOAT_EQ(m->GetXParency(), 0.0f);
  m->SetOpacity(0.25f, 0);
  EXPECT_FLOAT_EQ(m->GetXParency(), 0.75f);
  m->SetDiffuse(Color(1, 0.5f, 0), 0);
  EXPECT_FLOAT_EQ(m->GetDiffuse().g, 0.5f);
  // The diffuse map sits in slot ID_DI of the twelve.
  Owned<Texmap> map = make<Texmap>(TEXMAP_CLASS_ID, CHECKER_CLASS_ID);
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->SuperClassID(), TEXMAP_CLASS_ID);
  EXPECT_EQ(m->NumSubTexmaps(), NTEXMAPS);
  m->SetSubTexmap(ID_DI, map.get());
  EXPECT_EQ(m->GetSubTexmap(ID_DI), map.get());
  EXPECT_EQ(m->GetSubTexmap(ID_AM), nullptr);
  EXPECT_EQ(m->GetSubTexmap(NTEXMAPS), nullptr);
  EXPECT_EQ(m->GetSubTexmapSlotName(ID_DI), "Diffuse Color");
}

TEST_F(Materials, AFaceTakesTheSubMaterialOfItsID) {
  Owned<MultiMtl> multi = make<MultiMtl>(MATERIAL_CLASS_ID, MULTI_CLASS_ID);
  multi->SetNumSubMtls(3);
  ASSERT_EQ(multi->NumSubMtls(), 3);
  EXPECT_EQ(multi->GetSubMtlID(0), 0);
  EXPECT_EQ(multi->GetSubMtlID(2), 2);
  multi->GetSubMtl(0)->SetDiffuse(Color(1, 0, 0), 0);
  multi->GetSubMtl(1)->SetDiffuse(Color(0, 1, 0), 0);
  multi->GetSubMtl(2)->SetDiffuse(Color(0, 0, 1), 0);
  multi->SetSubMtlID(1, 7);
  EXPECT_EQ(multi->SubMtlIndexForID(7), 1);
  EXPECT_FLOAT_EQ(multi->GetDiffuse(7).g, 1.0f);
  EXPECT_FLOAT_EQ(multi->GetDiffuse(2).b, 1.0f);
  // A material that holds this one is refused.
  Owned<MultiMtl> outer = make<MultiMtl>(MATERIAL_CLASS_ID, MULTI_CLASS_ID);
  outer->SetSubMtl(0, multi.get());
  Mtl* before = multi->GetSubMtl(2);
  multi->SetSubMtl(2, outer.get());
  multi->SetSubMtl(2, multi.get());
  EXPECT_EQ(multi->GetSubMtl(2), before);
  // An ID no entry has wraps round the list: 4 is entry 4 mod 3 = 1.
  EXPECT_EQ(multi->SubMtlIndexForID(4), 1);
  multi->SetNumSubMtls(0);
  EXPECT_EQ(multi->SubMtlIndexForID(0), -1);
  EXPECT_FLOAT_EQ(multi->GetDiffuse(0).r, 0.0f);
}

TEST_F(Materials, MapsKeepTheirCoordinatesAndColours) {
  Owned<NoiseTexmap> noise = make<NoiseTexmap>(TEXMAP_CLASS_ID, NOISE_CLASS_ID);
  EXPECT_FLOAT_EQ(noise->GetSize(0), 25.0f);
  EXPECT_FLOAT_EQ(noise->GetColor(1).g, 1.0f);
  auto* uv = static_cast<StdUVGen*>(noise->GetTheUVGen());
  ASSERT_NE(uv, nullptr);
  EXPECT_EQ(uv->GetMapChannel(), 1);
  uv->SetUScl(3.0f, 0);
  uv->SetVOffs(0.5f, 0);
  EXPECT_FLOAT_EQ(uv->GetUScl(0), 3.0f);
  EXPECT_FLOAT_EQ(uv->GetVScl(0), 1.0f);
  EXPECT_FLOAT_EQ(uv->GetVOffs(0), 0.5f);
  Owned<BitmapTex> bitmap = make<BitmapTex>(TEXMAP_CLASS_ID, BMTEX_CLASS_ID);
  bitmap->SetMapName("a.png");
  EXPECT_EQ(bitmap->GetMapName(), "a.png");
}

TEST_F(Materials, ANodesMaterialAndItsChangesUndo) {
  Owned<StdMat2> m(NewDefaultStdMat());
  INode* node = ip->CreateObjectNode(new BoxObject);
  EXPECT_EQ(node->GetMtl(), nullptr);
  theHold.Begin();
  node->SetMtl(m.get());
  m->SetShininess(0.5f, 0);
  theHold.Accept("material");
  EXPECT_EQ(node->GetMtl(), m.get());
  ASSERT_TRUE(theHold.Undo());
  EXPECT_EQ(node->GetMtl(), nullptr);
  EXPECT_FLOAT_EQ(m->GetShininess(), 0.1f);
  ASSERT_TRUE(theHold.Redo());
  EXPECT_EQ(node->GetMtl(), m.get());
  EXPECT_FLOAT_EQ(m->GetShininess(), 0.5f);
  node->SetMtl(nullptr);  // the material goes before the hold's entries do
  theHold.Clear();
}

}  // namespace

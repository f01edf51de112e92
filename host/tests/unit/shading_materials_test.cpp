// Materials and maps at a shading point: the standard material's Blinn
// shading, the sub-material a multi/sub-object material shades with, the
// checker, noise and bitmap maps' colours, and the triangle bump vectors.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>

#include "host/bitmap.h"
#include "host/core_interface.h"
#include "host/hold.h"
#include "host/materials.h"
#include "scene/material_objects.h"
#include "test_shade_context.h"

namespace {

constexpr float kEps = 1e-5f;

struct DeleteThis {
  void operator()(Animatable* a) const { a->DeleteThis(); }
};
template <typename T>
using Owned = std::unique_ptr<T, DeleteThis>;

// A light of one colour from one direction, for every point.
class FixedDirectionLight : public LightDesc {
 public:
  FixedDirectionLight(Color c, Point3 dir) : color_(c), dir_(Normalize(dir)) {}
  BOOL Illuminate(ShadeContext&, Point3& normal, Color& color, Point3& dir, float& dotNL,
                  float& diffuseCoef) override {
    dir = dir_;
    dotNL = DotProd(normal, dir_);
    diffuseCoef = dotNL;
    color = color_;
    return dotNL > 0.0f ? TRUE : FALSE;
  }

 private:
  Color color_;
  Point3 dir_;
};

void expect_color(const Color& c, float r, float g, float b) {
  EXPECT_NEAR(c.r, r, kEps);
  EXPECT_NEAR(c.g, g, kEps);
  EXPECT_NEAR(c.b, b, kEps);
}
void expect_color(const AColor& c, float r, float g, float b) { expect_color(Color(c.r, c.g, c.b), r, g, b); }

class ShadingMaterials : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  TestShadeContext sc;
  template <typename T>
  Owned<T> make(SClass_ID super, ULONG id) {
    return Owned<T>(static_cast<T*>(ip->CreateInstance(super, Class_ID(id, 0))));
  }
  void TearDown() override { theHold.Clear(); }
};

TEST_F(ShadingMaterials, BlinnDiffuseIsAmbientPlusDiffuseTimesTheLightByItsCosine) {
  Owned<StdMat2> mtl = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
  mtl->SetAmbient(Color(0.1f, 0.2f, 0.3f), 0);
  mtl->SetDiffuse(Color(0.5f, 0.25f, 1.0f), 0);
  mtl->SetShinStr(0.0f, 0);
  sc.ambientLight = Color(0.5f, 0.5f, 0.5f);
  // Light of (1, 0.8, 0.6) at 60 degrees from the normal: cosine one half.
  FixedDirectionLight light(Color(1, 0.8f, 0.6f), Point3(std::sqrt(3.0f), 0, 1));
  sc.set_lights({&light});
  mtl->Shade(sc);
  // ambient × 0.5 + diffuse × light × 0.5
  expect_color(sc.out.c, 0.05f + 0.25f, 0.1f + 0.1f, 0.15f + 0.3f);
  expect_color(sc.out.t, 0, 0, 0);
  // A light behind the surface adds nothing.
  FixedDirectionLight behind(Color(1, 1, 1), Point3(0, 0, -1));
  sc.set_lights({&behind});
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.05f, 0.1f, 0.15f);
  // An ambient-only light brightens the ambient term only.
  AmbientOnlyLight ambient(Color(0.5f, 0.5f, 0.5f));
  sc.set_lights({&ambient});
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.1f, 0.2f, 0.3f);
}

TEST_F(ShadingMaterials, BlinnHighlightIsFullAtTheMirrorDirectionAndFadesAway) {
  Owned<StdMat2> mtl = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
  mtl->SetAmbient(Color(0, 0, 0), 0);
  mtl->SetDiffuse(Color(0, 0, 0), 0);
  mtl->SetSpecular(Color(1, 0.5f, 0.25f), 0);
  mtl->SetShinStr(0.8f, 0);
  mtl->SetShininess(0.3f, 0);
  // Light from 45 degrees one side, eye at 45 degrees the other: the half-way
  // vector is the normal.
  FixedDirectionLight light(Color(1, 1, 1), Point3(1, 0, 1));
  sc.set_lights({&light});
  sc.view = Normalize(Point3(1, 0, -1));
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.8f, 0.4f, 0.2f);
  // The eye straight above: N·H = cos 22.5 degrees, raised to 2^3.
  sc.view = Point3(0, 0, -1);
  mtl->Shade(sc);
  float falloff = std::pow(std::cos(22.5f * 3.14159265f / 180.0f), 8.0f);
  expect_color(sc.out.c, 0.8f * falloff, 0.4f * falloff, 0.2f * falloff);
}

TEST_F(ShadingMaterials, SelfIlluminationAndOpacity) {
  Owned<StdMat2> mtl = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
  mtl->SetAmbient(Color(0, 0, 0), 0);
  mtl->SetDiffuse(Color(0.4f, 0.6f, 0.8f), 0);
  // Without light, full self-illumination shows the diffuse colour.
  mtl->SetSelfIllum(1.0f, 0);
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.4f, 0.6f, 0.8f);
  // Half: half way from the unlit black.
  mtl->SetSelfIllum(0.5f, 0);
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.2f, 0.3f, 0.4f);
  // A self-illumination colour, when switched on, is added instead.
  auto* standard = static_cast<StandardMtl*>(mtl.get());
  standard->SetSelfIllumColorOn(true);
  standard->SetSelfIllumColor(Color(0.1f, 0.1f, 0.1f));
  mtl->Shade(sc);
  expect_color(sc.out.c, 0.1f, 0.1f, 0.1f);
  // Opacity a quarter: the rest is transparency, and the colour is scaled.
  mtl->SetOpacity(0.25f, 0);
  mtl->Shade(sc);
  expect_color(sc.out.t, 0.75f, 0.75f, 0.75f);
  expect_color(sc.out.c, 0.025f, 0.025f, 0.025f);
}

TEST_F(ShadingMaterials, TheDiffuseMapReplacesTheDiffuseColourWhereMapsApply) {
  Owned<StdMat2> mtl = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
  Owned<TwoColorTexmap> checker = make<TwoColorTexmap>(TEXMAP_CLASS_ID, CHECKER_CLASS_ID);
  checker->SetColor(0, AColor(1, 0, 0), 0);
  checker->SetColor(1, AColor(0, 0, 1), 0);
  mtl->SetAmbient(Color(0, 0, 0), 0);
  mtl->SetDiffuse(Color(0, 1, 0), 0);
  mtl->SetSubTexmap(ID_DI, checker.get());
  mtl->SetSelfIllum(1.0f, 0);
  sc.uvw[1] = Point3(0.75f, 0.25f, 0);
  mtl->Shade(sc);
  expect_color(sc.out.c, 0, 0, 1);
  sc.doMaps = FALSE;
  mtl->Shade(sc);
  expect_color(sc.out.c, 0, 1, 0);
  sc.doMaps = TRUE;
  mtl->EnableMap(ID_DI, FALSE);
  mtl->Shade(sc);
  expect_color(sc.out.c, 0, 1, 0);
}

TEST_F(ShadingMaterials, AMultiMaterialShadesWithTheSubMaterialOfTheFacesID) {
  Owned<MultiMtl> multi = make<MultiMtl>(MATERIAL_CLASS_ID, MULTI_CLASS_ID);
  multi->SetNumSubMtls(2);
  multi->GetSubMtl(0)->SetAmbient(Color(1, 0, 0), 0);
  multi->GetSubMtl(1)->SetAmbient(Color(0, 1, 0), 0);
  multi->SetSubMtlID(1, 7);
  sc.ambientLight = Color(1, 1, 1);
  struct Case {
    int mtl_num;
    Color expected;
  } cases[] = {{0, Color(1, 0, 0)}, {7, Color(0, 1, 0)}, {3, Color(0, 1, 0)}, {4, Color(1, 0, 0)}};
  for (const Case& c : cases) {
    sc.mtlNum = c.mtl_num;
    multi->Shade(sc);
    expect_color(sc.out.c, c.expected.r, c.expected.g, c.expected.b);
  }
  // The face-map requirement is the picked sub-material's.
  static_cast<StandardMtl*>(multi->GetSubMtl(1))->SetFaceMap(true);
  EXPECT_EQ(multi->Requirements(7), MTLREQ_FACEMAP);
  EXPECT_EQ(multi->Requirements(0), 0u);
  // No sub-materials: black.
  multi->SetNumSubMtls(0);
  sc.out.c = Color(1, 1, 1);
  multi->Shade(sc);
  expect_color(sc.out.c, 0, 0, 0);
}

TEST_F(ShadingMaterials, TheCheckerGivesItsTwoColoursInTurnAndTiles) {
  Owned<TwoColorTexmap> checker = make<TwoColorTexmap>(TEXMAP_CLASS_ID, CHECKER_CLASS_ID);
  checker->SetColor(0, AColor(1, 0, 0), 0);
  checker->SetColor(1, AColor(0, 0, 1), 0);
  auto colour_at = [&](float u, float v) {
    sc.uvw[1] = Point3(u, v, 0);
    return checker->EvalColor(sc);
  };
  expect_color(colour_at(0.25f, 0.25f), 1, 0, 0);
  expect_color(colour_at(0.75f, 0.25f), 0, 0, 1);
  expect_color(colour_at(0.25f, 0.75f), 0, 0, 1);
  expect_color(colour_at(0.75f, 0.75f), 1, 0, 0);
  expect_color(colour_at(-0.25f, 0.25f), 0, 0, 1);
  // The point does not matter to it.
  sc.point = Point3(5, 6, 7);
  expect_color(colour_at(0.25f, 0.25f), 1, 0, 0);
  auto* uv = static_cast<StdUVGen*>(checker->GetTheUVGen());
  uv->SetUScl(2.0f, 0);
  expect_color(colour_at(0.75f, 0.25f), 1, 0, 0);
  uv->SetUScl(1.0f, 0);
  uv->SetUOffs(0.5f, 0);
  expect_color(colour_at(0.75f, 0.25f), 1, 0, 0);
  uv->SetUOffs(0.0f, 0);
  // Another channel: its own coordinates.
  uv->SetMapChannel(2);
  sc.uvw[1] = Point3(0.25f, 0.25f, 0);
  sc.uvw[2] = Point3(0.75f, 0.25f, 0);
  expect_color(checker->EvalColor(sc), 0, 0, 1);
}

TEST_F(ShadingMaterials, NoiseFollowsThePointNotTheCoordinates) {
  Owned<NoiseTexmap> noise = make<NoiseTexmap>(TEXMAP_CLASS_ID, NOISE_CLASS_ID);
  noise->SetColor(0, AColor(0, 0, 0), 0);
  noise->SetColor(1, AColor(1, 1, 1), 0);
  noise->SetSize(10.0f, 0);
  sc.point = Point3(3.3f, 4.7f, 1.2f);
  AColor first = noise->EvalColor(sc);
  sc.uvw[1] = Point3(0.9f, 0.1f, 0.5f);
  sc.uvw[0] = Point3(0.3f, 0.6f, 0);
  AColor same = noise->EvalColor(sc);
  EXPECT_EQ(first.r, same.r);
  // Between its two colours, grey.
  EXPECT_GE(first.r, 0.0f);
  EXPECT_LE(first.r, 1.0f);
  EXPECT_EQ(first.r, first.g);
  int differing = 0;
  for (float x : {7.1f, 13.4f, 21.9f, 35.2f, 48.8f}) {
    sc.point = Point3(x, x * 0.5f, 2.0f);
    if (std::fabs(noise->EvalColor(sc).r - first.r) > 1e-3f) ++differing;
  }
  EXPECT_GE(differing, 4);
  // The size scales the pattern: the point twice as far at twice the size
  // reads the same noise.
  sc.point = Point3(3.3f, 4.7f, 1.2f);
  float at_size_10 = noise->EvalColor(sc).r;
  noise->SetSize(20.0f, 0);
  sc.point = Point3(6.6f, 9.4f, 2.4f);
  EXPECT_NEAR(noise->EvalColor(sc).r, at_size_10, 1e-5f);
}

class BitmapTexture : public ShadingMaterials {
 protected:
  std::filesystem::path dir =
      std::filesystem::temp_directory_path() /
      ("shading_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
  void SetUp() override { std::filesystem::create_directories(dir); }
  void TearDown() override {
    std::filesystem::remove_all(dir);
    ShadingMaterials::TearDown();
  }
};

TEST_F(BitmapTexture, PixelCentresGiveTheirPixelsAndTheImageTiles) {
  // 2 × 2: red, green on the top row; blue, white below.
  const unsigned char pixels[] = {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255};
  std::string file = (dir / "quad.png").string();
  ASSERT_NE(stbi_write_png(file.c_str(), 2, 2, 3, pixels, 2 * 3), 0);
  Owned<BitmapTex> map = make<BitmapTex>(TEXMAP_CLASS_ID, BMTEX_CLASS_ID);
  map->SetMapName(file);
  auto colour_at = [&](float u, float v) {
    sc.uvw[1] = Point3(u, v, 0);
    return map->EvalColor(sc);
  };
  expect_color(colour_at(0.25f, 0.75f), 1, 0, 0);
  expect_color(colour_at(0.75f, 0.75f), 0, 1, 0);
  expect_color(colour_at(0.25f, 0.25f), 0, 0, 1);
  expect_color(colour_at(0.75f, 0.25f), 1, 1, 1);
  expect_color(colour_at(1.25f, -0.25f), 1, 0, 0);
  expect_color(colour_at(-0.25f, 2.25f), 1, 1, 1);
  // Read once: the file may go.
  std::filesystem::remove(file);
  expect_color(colour_at(0.75f, 0.75f), 0, 1, 0);
  // A file that cannot be read gives black.
  BOOL was_silent = TheManager->SetSilentMode(TRUE);
  map->SetMapName((dir / "missing.png").string());
  expect_color(colour_at(0.25f, 0.75f), 0, 0, 0);
  TheManager->SetSilentMode(was_silent);
}

TEST(ShadingGeometry, BumpVectorsAreThePointsChangePerUnitOfUAndV) {
  const Point3 tv[3] = {Point3(0, 0, 0), Point3(1, 0, 0), Point3(0, 1, 0)};
  const Point3 v[3] = {Point3(1, 1, 1), Point3(3, 1, 1), Point3(1, 4, 1)};
  Point3 bvec[3];
  ComputeBumpVectors(tv, v, bvec);
  EXPECT_EQ(bvec[0], Point3(2, 0, 0));
  EXPECT_EQ(bvec[1], Point3(0, 3, 0));
  EXPECT_EQ(bvec[2], Point3(0, 0, 1));
  // u and v swapped and mirrored: the vectors follow the coordinates.
  const Point3 swapped[3] = {Point3(1, 1, 0), Point3(1, 0, 0), Point3(0, 1, 0)};
  ComputeBumpVectors(swapped, v, bvec);
  EXPECT_EQ(bvec[0], Point3(0, -3, 0));
  EXPECT_EQ(bvec[1], Point3(-2, 0, 0));
}

TEST(ShadingGeometry, AListHoldsEachMaterialOnceWhenAskedTo) {
  Owned<Mtl> a(NewDefaultStdMat()), b(NewDefaultStdMat());
  MtlBaseList list;
  EXPECT_EQ(list.AddMtl(a.get()), 0);
  EXPECT_EQ(list.AddMtl(b.get()), 1);
  EXPECT_EQ(list.AddMtl(a.get()), 0);
  EXPECT_EQ(list.Count(), 2);
  EXPECT_EQ(list.AddMtl(a.get(), FALSE), 2);
  EXPECT_EQ(list.FindMtl(b.get()), 1);
  list.RemoveEntry(0);
  list.RemoveEntry(9);
  EXPECT_EQ(list.FindMtl(b.get()), 0);
  EXPECT_EQ(list[1], a.get());
  list.Empty();
  EXPECT_EQ(list.FindMtl(a.get()), -1);
}

}  // namespace

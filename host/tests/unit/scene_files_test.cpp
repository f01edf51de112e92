// Scene files through the C++ contract: what a save and a load give back
// (meshes, app data, light lists, materials, renderer settings), and files
// that are cut short, damaged or newer, which leave the scene as it was.
#include <gtest/gtest.h>
#include <sqlite3.h>
#include <unistd.h>

#include <bit>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "host/advanced_lighting.h"
#include "host/control.h"
#include "host/core_interface.h"
#include "host/hold.h"
#include "host/lights.h"
#include "host/materials.h"
#include "host/scene_files.h"
#include "host/simple_objects.h"
#include "host/triobject.h"
#include "scene/key_controllers.h"
#include "scene/light_objects.h"
#include "scene/render_objects.h"

namespace {

namespace fs = std::filesystem;

class SceneFiles : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  fs::path dir;

  void SetUp() override {
    ResetScene();
    std::string pattern = (fs::temp_directory_path() / "scene-files-XXXXXX").string();
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    dir = pattern;
  }
  void TearDown() override {
    ResetScene();
    fs::remove_all(dir);
  }

  std::string file(const char* name) const { return (dir / name).string(); }

  // Saves, resets (checking the scene is empty) and loads the file back.
  void round_trip() {
    std::string path = file("round_trip.max");
    ASSERT_TRUE(ip->SaveToFile(path.c_str()));
    ip->FileReset(TRUE);
    ASSERT_EQ(ip->GetRootNode()->NumberOfChildren(), 0);
    ASSERT_TRUE(ip->LoadFromFile(path.c_str()));
  }

  INode* node(const char* name) {
    INode* n = ip->GetINodeByName(name);
    EXPECT_NE(n, nullptr) << name;
    return n;
  }

  std::vector<std::string> node_names() {
    std::vector<std::string> names;
    std::vector<INode*> pending{ip->GetRootNode()};
    while (!pending.empty()) {
      INode* n = pending.back();
      pending.pop_back();
      if (!n->IsRootNode()) names.push_back(n->GetName());
      for (int i = n->NumberOfChildren() - 1; i >= 0; --i) pending.push_back(n->GetChildNode(i));
    }
    return names;
  }

  INode* named_box(const char* name) {
    INode* n = ip->CreateObjectNode(new BoxObject);
    n->SetName(name);
    return n;
  }
};

void* copy_bytes(const std::vector<unsigned char>& bytes) {
  void* p = std::malloc(bytes.empty() ? 1 : bytes.size());
  if (!bytes.empty()) std::memcpy(p, bytes.data(), bytes.size());
  return p;
}

std::vector<unsigned char> chunk_bytes(const AppDataChunk* c) {
  const auto* p = static_cast<const unsigned char*>(c->data);
  return std::vector<unsigned char>(p, p + c->length);
}

TEST_F(SceneFiles, MeshesComeBackFieldByField) {
  TriObject* tri = CreateNewTriObject();
  Mesh& mesh = tri->GetMesh();
  mesh.setNumVerts(5);
  for (int i = 0; i < 5; ++i) mesh.setVert(i, 0.1f * i, -1.0f / (i + 3), 1e-30f * i);
  mesh.setNumFaces(3);
  mesh.faces[0].setVerts(0, 1, 2);
  mesh.faces[1].setVerts(2, 3, 4);
  mesh.faces[2].setVerts(4, 0, 1);
  mesh.faces[0].setSmGroup(0x80000001);
  mesh.faces[1].setSmGroup(0);
  mesh.faces[1].setMatID(41);
  mesh.faces[2].setEdgeVisFlags(EDGE_VIS, EDGE_INVIS, EDGE_VIS);
  mesh.faces[2].Hide();
  mesh.setNumMaps(4);
  mesh.setNumVertCol(2);
  mesh.vertCol[0] = Point3(1, 0, 0.5f);
  mesh.vertCol[1] = Point3(0, 0.25f, 1);
  for (int f = 0; f < 3; ++f) mesh.vcFace[f] = TVFace(f % 2, 1, 0);
  mesh.setNumMapVerts(1, 3);
  for (int i = 0; i < 3; ++i) mesh.mapVerts(1)[i] = UVVert(i * 0.5f, 1 - i * 0.5f, 0);
  for (int f = 0; f < 3; ++f) mesh.mapFaces(1)[f] = TVFace(0, 1, 2);
  mesh.setMapSupport(2, FALSE);
  mesh.setNumMapVerts(3, 1);
  mesh.mapVerts(3)[0] = UVVert(7, 8, 9);
  mesh.vertSel.SetSize(5);
  mesh.vertSel.Set(3);
  mesh.faceSel.SetSize(3);
  mesh.faceSel.Set(0);
  mesh.selLevel = MESH_FACE;
  INode* n = ip->CreateObjectNode(tri);
  n->SetName("sheet");
  Mesh before = mesh;

  round_trip();
  auto* loaded = dynamic_cast<TriObject*>(node("sheet")->GetObjectRef());
  ASSERT_NE(loaded, nullptr);
  const Mesh& after = loaded->GetMesh();
  ASSERT_EQ(after.getNumVerts(), before.getNumVerts());
  for (int i = 0; i < before.getNumVerts(); ++i) EXPECT_EQ(after.getVert(i), before.getVert(i)) << i;
  ASSERT_EQ(after.getNumFaces(), before.getNumFaces());
  for (int f = 0; f < before.getNumFaces(); ++f) {
    for (int k = 0; k < 3; ++k) EXPECT_EQ(after.faces[f].v[k], before.faces[f].v[k]);
    EXPECT_EQ(after.faces[f].smGroup, before.faces[f].smGroup) << f;
    EXPECT_EQ(after.faces[f].flags, before.faces[f].flags) << f;
  }
  EXPECT_EQ(after.faces[1].getMatID(), 41);
  EXPECT_TRUE(after.faces[2].Hidden());
  ASSERT_EQ(after.getNumMaps(), 4);
  for (int mp = 0; mp < 4; ++mp) {
    ASSERT_EQ(after.mapSupport(mp), before.mapSupport(mp)) << mp;
    if (!before.mapSupport(mp)) continue;
    ASSERT_EQ(after.getNumMapVerts(mp), before.getNumMapVerts(mp)) << mp;
    for (int i = 0; i < before.getNumMapVerts(mp); ++i)
      EXPECT_EQ(after.mapVerts(mp)[i], before.mapVerts(mp)[i]);
    ASSERT_EQ(after.getNumMapFaces(mp), before.getNumMapFaces(mp)) << mp;
    for (int f = 0; f < before.getNumMapFaces(mp); ++f)
      for (int k = 0; k < 3; ++k) EXPECT_EQ(after.mapFaces(mp)[f].t[k], before.mapFaces(mp)[f].t[k]);
  }
  EXPECT_FALSE(after.mapSupport(2));
  EXPECT_EQ(after.vertCol[1], Point3(0, 0.25f, 1));
  EXPECT_EQ(after.vertSel.GetSize(), 5);
  EXPECT_TRUE(after.vertSel[3]);
  EXPECT_EQ(after.vertSel.NumberSet(), 1);
  EXPECT_TRUE(after.faceSel[0]);
  EXPECT_EQ(after.faceSel.NumberSet(), 1);
  EXPECT_EQ(after.selLevel, MESH_FACE);
}

TEST_F(SceneFiles, AppDataComesBackByteForByteInOrder) {
  INode* n = named_box("holder");
  const std::vector<unsigned char> binary{0, 255, 0, 7, 0};
  n->AddAppDataChunk(Class_ID(1, 2), 3, 4, 5, copy_bytes(binary));
  n->AddAppDataChunk(Class_ID(0xFFFFFFFF, 0x80000000), 0xFFFFFFFF, 0xFFFFFFFF, 0, copy_bytes({}));
  n->AddAppDataChunk(Class_ID(1, 2), 3, 4, 2, copy_bytes({'b', 0}));
  n->GetObjectRef()->AddAppDataChunk(Class_ID(9, 9), 9, 9, 3, copy_bytes({'o', 'b', 'j'}));

  round_trip();
  INode* m = node("holder");
  AppDataLock lock;
  ASSERT_EQ(m->NumAppDataChunks(), 3);
  AppDataChunk* first = m->GetAppDataChunkByIndex(0);
  EXPECT_EQ(first->classID, Class_ID(1, 2));
  EXPECT_EQ(first->superClassID, 3u);
  EXPECT_EQ(first->subID, 4u);
  EXPECT_EQ(chunk_bytes(first), binary);
  AppDataChunk* empty = m->GetAppDataChunkByIndex(1);
  EXPECT_EQ(empty->classID, Class_ID(0xFFFFFFFF, 0x80000000));
  EXPECT_EQ(empty->superClassID, 0xFFFFFFFFu);
  EXPECT_EQ(empty->subID, 0xFFFFFFFFu);
  EXPECT_EQ(empty->length, 0u);
  EXPECT_EQ(chunk_bytes(m->GetAppDataChunkByIndex(2)), (std::vector<unsigned char>{'b', 0}));
  Object* object = m->GetObjectRef();
  ASSERT_EQ(object->NumAppDataChunks(), 1);
  EXPECT_EQ(chunk_bytes(object->GetAppDataChunkByIndex(0)), (std::vector<unsigned char>{'o', 'b', 'j'}));
}

TEST_F(SceneFiles, LightListsReferToTheLoadedNodesInOrder) {
  INode* a = named_box("a");
  INode* b = named_box("b");
  named_box("c");
  auto* light = static_cast<GenLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(SPOT_LIGHT_CLASS_ID, 0)));
  ExclList list;
  list.AddNode(b);
  list.AddNode(a);
  list.SetFlag(NT_INCLUDE);
  list.SetFlag(NT_AFFECT_SHADOWCAST, FALSE);
  light->SetExclusionList(list);
  Point3 color(0.25f, 0.5f, 1);
  light->SetRGBColor(0, color);
  light->SetIntensity(0, 2.5f);
  light->SetHotspot(0, 12);
  light->SetFallsize(0, 33);
  light->SetUseLight(FALSE);
  light->SetShadow(1);
  ip->CreateObjectNode(light)->SetName("spot");

  round_trip();
  auto* loaded = dynamic_cast<GenLight*>(node("spot")->GetObjectRef());
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->Type(), TSPOT_LIGHT);
  ExclList* after = loaded->GetExclList();
  ASSERT_EQ(after->Count(), 2);
  EXPECT_EQ((*after)[0], node("b"));
  EXPECT_EQ((*after)[1], node("a"));
  EXPECT_TRUE(after->TestFlag(NT_INCLUDE));
  EXPECT_TRUE(after->TestFlag(NT_AFFECT_ILLUM));
  EXPECT_FALSE(after->TestFlag(NT_AFFECT_SHADOWCAST));
  EXPECT_EQ(loaded->GetRGBColor(0), color);
  EXPECT_EQ(loaded->GetIntensity(0), 2.5f);
  EXPECT_EQ(loaded->GetHotspot(0), 12.0f);
  EXPECT_EQ(loaded->GetFallsize(0), 33.0f);
  EXPECT_FALSE(loaded->GetUseLight());
  EXPECT_EQ(loaded->GetShadow(), 1);
}

// A track as words: the value while it has no keys, then each key's time
// and value, floats by their bit patterns, so NaNs and -0 compare exactly.
std::vector<std::uint32_t> words(const host::scene::KeyTrack<float>& t) {
  std::vector<std::uint32_t> out{std::bit_cast<std::uint32_t>(t.constant)};
  for (const auto& k : t.keys)
    out.insert(out.end(), {static_cast<std::uint32_t>(k.time), std::bit_cast<std::uint32_t>(k.value)});
  return out;
}

std::vector<std::uint32_t> words(const host::scene::KeyTrack<Point3>& t) {
  auto point = [](const Point3& p) {
    return std::vector<std::uint32_t>{std::bit_cast<std::uint32_t>(p.x), std::bit_cast<std::uint32_t>(p.y),
                                      std::bit_cast<std::uint32_t>(p.z)};
  };
  std::vector<std::uint32_t> out = point(t.constant);
  for (const auto& k : t.keys) {
    out.push_back(static_cast<std::uint32_t>(k.time));
    for (std::uint32_t w : point(k.value)) out.push_back(w);
  }
  return out;
}

template <typename T>
host::scene::KeyController<T>* keys_of(Control* c) {
  auto* k = dynamic_cast<host::scene::KeyController<T>*>(c);
  EXPECT_NE(k, nullptr);
  return k;
}

template <typename T>
host::scene::KeyTrack<T> track(T constant, std::vector<host::scene::Key<T>> keys) {
  host::scene::KeyTrack<T> t;
  t.constant = constant;
  t.keys = std::move(keys);
  return t;
}

TEST_F(SceneFiles, ControllerKeysComeBackBitForBitWithFlagsAppDataAndTargets) {
  const float nan = std::bit_cast<float>(0x7FC12345u), tiny = 1e-45f;
  INode* mover = named_box("mover");
  Control* prs = mover->GetTMController();
  auto x = track<float>(3, {{-160, -0.0f}, {0, nan}, {4800, tiny}, {INT_MAX, 1e30f}});
  auto ry = track<float>(0, {{0, 0}, {1600, 1.5f}});
  auto scale = track<Point3>(Point3(1, 1, 1), {{0, Point3(1, 1, 1)}, {1600, Point3(-2, 0.5f, tiny)}});
  keys_of<float>(prs->GetPositionController()->SubControl(0))->set_track(x);
  keys_of<float>(prs->GetRotationController()->SubControl(1))->set_track(ry);
  keys_of<Point3>(prs->GetScaleController())->set_track(scale);
  *keys_of<float>(prs->GetPositionController()->SubControl(0))->GetFlagWord() =
      KEYABLE_PROP_NOT_KEYABLE | 0x5;
  const std::vector<unsigned char> part_bytes{0, 1, 255}, whole_bytes{'w'};
  prs->GetPositionController()->SubControl(0)->AddAppDataChunk(Class_ID(5, 6), 7, 8, 3,
                                                               copy_bytes(part_bytes));
  prs->AddAppDataChunk(Class_ID(1, 1), 2, 3, 1, copy_bytes(whole_bytes));

  auto* light =
      static_cast<StandardLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(OMNI_LIGHT_CLASS_ID, 0)));
  auto color = track<Point3>(Point3(0.1f, 0.2f, 0.3f), {{0, Point3(1, 0, 0)}, {320, Point3(0, nan, 1)}});
  auto multiplier = track<float>(nan, {});
  light->color_controller()->set_track(color);
  light->intensity_controller()->set_track(multiplier);
  light->intensity_controller()->SetKeyable(FALSE);
  ip->CreateObjectNode(light)->SetName("lamp");

  INode* aimer = named_box("aimer");
  ASSERT_TRUE(aimer->SetTarget(mover));
  auto roll = track<float>(0.25f, {{10, 0.5f}});
  keys_of<float>(aimer->GetTMController()->GetRollController())->set_track(roll);
  INode* idle = named_box("idle");  // no transform controller: it stays without one

  round_trip();
  Control* loaded = node("mover")->GetTMController();
  EXPECT_EQ(loaded->ClassID(), Class_ID(PRS_CONTROL_CLASS_ID, 0));
  Control* x_after = loaded->GetPositionController()->SubControl(0);
  EXPECT_EQ(words(keys_of<float>(x_after)->track()), words(x));
  EXPECT_EQ(keys_of<float>(x_after)->GetFlags(), KEYABLE_PROP_NOT_KEYABLE | 0x5);
  EXPECT_EQ(words(keys_of<float>(loaded->GetRotationController()->SubControl(1))->track()), words(ry));
  EXPECT_EQ(words(keys_of<Point3>(loaded->GetScaleController())->track()), words(scale));
  // The tracks nothing set keep their one value and no keys.
  for (int axis : {1, 2}) {
    auto* other = keys_of<float>(loaded->GetPositionController()->SubControl(axis));
    EXPECT_EQ(other->NumKeys(), 0);
    EXPECT_EQ(other->GetFlags(), 0u);
  }
  {
    AppDataLock lock;
    ASSERT_EQ(x_after->NumAppDataChunks(), 1);
    AppDataChunk* c = x_after->GetAppDataChunkByIndex(0);
    EXPECT_EQ(c->classID, Class_ID(5, 6));
    EXPECT_EQ(c->superClassID, 7u);
    EXPECT_EQ(c->subID, 8u);
    EXPECT_EQ(chunk_bytes(c), part_bytes);
    ASSERT_EQ(loaded->NumAppDataChunks(), 1);
    EXPECT_EQ(chunk_bytes(loaded->GetAppDataChunkByIndex(0)), whole_bytes);
    EXPECT_EQ(loaded->GetPositionController()->NumAppDataChunks(), 0);
  }

  auto* lamp = dynamic_cast<StandardLight*>(node("lamp")->GetObjectRef());
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(words(lamp->color_controller()->track()), words(color));
  EXPECT_EQ(words(lamp->intensity_controller()->track()), words(multiplier));
  EXPECT_FALSE(lamp->intensity_controller()->IsKeyable());

  EXPECT_EQ(node("aimer")->GetTarget(), node("mover"));
  Control* look = node("aimer")->GetTMController();
  EXPECT_EQ(look->ClassID(), Class_ID(LOOKAT_CONTROL_CLASS_ID, 0));
  EXPECT_EQ(words(keys_of<float>(look->GetRollController())->track()), words(roll));
  EXPECT_FALSE(node("idle")->TransformAnimated());
  (void)idle;
}

TEST_F(SceneFiles, FilesOfTheFirstVersionLoadWithTheirValuesAndNoKeys) {
  INode* b = named_box("mover");
  b->SetNodeTM(0, TransMatrix(Point3(1, 2, 3)));
  AnimateOn();
  b->SetNodeTM(1600, TransMatrix(Point3(10, 2, 3)));
  AnimateOff();
  b->GetTMController()->AddAppDataChunk(Class_ID(1, 1), 1, 1, 1, copy_bytes({'c'}));
  auto* light =
      static_cast<StandardLight*>(ip->CreateInstance(LIGHT_CLASS_ID, Class_ID(OMNI_LIGHT_CLASS_ID, 0)));
  light->color_controller()->set_track(
      track<Point3>(Point3(), {{0, Point3(0, 0, 0)}, {1600, Point3(1, 1, 1)}}));
  ip->CreateObjectNode(light)->SetName("lamp");
  std::string path = file("v1.max");
  ASSERT_TRUE(ip->SaveToFile(path.c_str()));
  // What a host of the first version wrote: no controllers, no keys, no
  // chunks on controllers; the light's colour only in its row (here grey).
  sqlite3* db = nullptr;
  ASSERT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
  const char* sql =
      "DROP TABLE controllers; DROP TABLE keys; DELETE FROM app_data WHERE owner_kind = 5;"
      "UPDATE schema SET version = 1; UPDATE lights SET color = x'0000003f0000003f0000003f'";
  EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
  sqlite3_close(db);
  ip->FileReset(TRUE);
  SceneFileResult result = LoadSceneFile(path.c_str());
  ASSERT_TRUE(result.ok) << result.error;
  INode* mover = node("mover");
  EXPECT_FALSE(mover->TransformAnimated());
  // The slider was at 0 when the file was saved: the value there, at every time.
  EXPECT_EQ(mover->GetNodeTM(1600).GetTrans(), Point3(1, 2, 3));
  auto* lamp = dynamic_cast<StandardLight*>(node("lamp")->GetObjectRef());
  ASSERT_NE(lamp, nullptr);
  EXPECT_EQ(lamp->color_controller()->NumKeys(), 0);
  EXPECT_EQ(lamp->GetRGBColor(1600), Point3(0.5f, 0.5f, 0.5f));
}

TEST_F(SceneFiles, SharedMaterialsStaySharedAndSubMaterialsKeepTheirIds) {
  std::unique_ptr<StdMat2> brick(NewDefaultStdMat());
  brick->SetName("brick");
  brick->SetDiffuse(Color(0.1f, 0.2f, 0.3f), 0);
  brick->SetOpacity(0.75f, 0);
  brick->EnableMap(ID_BU, FALSE);
  std::unique_ptr<Texmap> noise(
      static_cast<Texmap*>(ip->CreateInstance(TEXMAP_CLASS_ID, Class_ID(NOISE_CLASS_ID, 0))));
  static_cast<NoiseTexmap*>(noise.get())->SetSize(3.5f, 0);
  static_cast<StdUVGen*>(noise->GetTheUVGen())->SetMapChannel(4);
  brick->SetSubTexmap(ID_DI, noise.get());
  std::unique_ptr<MultiMtl> multi(
      static_cast<MultiMtl*>(ip->CreateInstance(MATERIAL_CLASS_ID, Class_ID(MULTI_CLASS_ID, 0))));
  multi->SetNumSubMtls(2);
  multi->SetSubMtl(1, brick.get());
  multi->SetSubMtlID(1, 9);
  named_box("one")->SetMtl(brick.get());
  named_box("two")->SetMtl(brick.get());
  named_box("three")->SetMtl(multi.get());

  round_trip();
  Mtl* shared = node("one")->GetMtl();
  ASSERT_NE(shared, nullptr);
  EXPECT_NE(shared, brick.get());
  EXPECT_EQ(node("two")->GetMtl(), shared);
  EXPECT_EQ(shared->GetName(), "brick");
  EXPECT_EQ(shared->GetDiffuse().r, 0.1f);
  EXPECT_EQ(static_cast<StdMat2*>(shared)->GetOpacity(0), 0.75f);
  EXPECT_FALSE(static_cast<StdMat2*>(shared)->MapEnabled(ID_BU));
  auto* map = dynamic_cast<NoiseTexmap*>(shared->GetSubTexmap(ID_DI));
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->GetSize(0), 3.5f);
  EXPECT_EQ(static_cast<StdUVGen*>(map->GetTheUVGen())->GetMapChannel(), 4);
  auto* loaded_multi = dynamic_cast<MultiMtl*>(node("three")->GetMtl());
  ASSERT_NE(loaded_multi, nullptr);
  ASSERT_EQ(loaded_multi->NumSubMtls(), 2);
  EXPECT_EQ(loaded_multi->GetSubMtl(1), shared);
  EXPECT_EQ(loaded_multi->GetSubMtlID(1), 9);
  EXPECT_EQ(loaded_multi->GetSubMtlID(0), 0);
}

TEST_F(SceneFiles, RendererSettingsAndAdvancedLightingComeBack) {
  auto* scan = new ScanlineRenderer;
  scan->SetAntialias(FALSE);
  scan->SetForceWire(TRUE);
  scan->SetPixelSize(2.5f);
  scan->SetNBlurSamples(17);
  scan->SetAutoReflLevels(-3);
  ip->AssignCurRenderer(scan);
  auto* slot = static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE));
  auto* tracer = new LightTracer;
  tracer->SetActive(false, 0);
  slot->setRadiosity(tracer);
  ip->SetAmbient(0, Point3(0.1f, 0.2f, 0.3f));
  ScanlineRenderer::Settings before = scan->settings();

  round_trip();
  auto* loaded = dynamic_cast<ScanlineRenderer*>(ip->GetCurrentRenderer(false));
  ASSERT_NE(loaded, nullptr);
  EXPECT_NE(loaded, scan);
  const ScanlineRenderer::Settings& after = loaded->settings();
  EXPECT_EQ(after.antialias, before.antialias);
  EXPECT_EQ(after.force_wire, before.force_wire);
  EXPECT_EQ(after.pixel_size, before.pixel_size);
  EXPECT_EQ(after.n_blur_samples, before.n_blur_samples);
  EXPECT_EQ(after.auto_refl_levels, before.auto_refl_levels);
  EXPECT_EQ(after.vel_blur_duration, before.vel_blur_duration);
  ASSERT_NE(slot->getRadiosity(), nullptr);
  EXPECT_FALSE(slot->getRadiosity()->IsActive(0));
  EXPECT_EQ(ip->GetAmbient(0), Point3(0.1f, 0.2f, 0.3f));
}

TEST_F(SceneFiles, ResetGivesAnEmptySceneWithDefaultsAndNoUndo) {
  named_box("gone");
  ip->GetRootNode()->AddNewXRefFile("x.max", FALSE);
  ip->AssignCurRenderer(new VueFileRenderer);
  theHold.Begin();
  named_box("undoable");
  theHold.Accept("make");
  ip->FileReset(TRUE);
  EXPECT_EQ(ip->GetRootNode()->NumberOfChildren(), 0);
  EXPECT_EQ(theHold.UndoCount(), 0);
  EXPECT_EQ(ip->GetRootNode()->GetXRefFileCount(), 0);
  ASSERT_NE(ip->GetCurrentRenderer(), nullptr);
  EXPECT_EQ(ip->GetCurrentRenderer()->ClassID(), Class_ID(SREND_CLASS_ID, 0));
  EXPECT_EQ(ip->GetAmbient(0), Point3(0, 0, 0));
  EXPECT_EQ(CurrentSceneFile(), "");
}

// A scene of a few nodes to be kept through failed loads.
class FailedLoads : public SceneFiles {
 protected:
  std::vector<std::string> before;
  std::string saved;

  void SetUp() override {
    SceneFiles::SetUp();
    INode* parent = named_box("parent");
    for (const char* name : {"x", "y", "z"}) parent->AttachChild(named_box(name));
    named_box("other")->AddAppDataChunk(Class_ID(1, 1), 1, 1, 4, copy_bytes({1, 2, 3, 4}));
    // Controllers with keys, a chunk on one, and a node aiming at another.
    AnimateOn();
    node("x")->SetNodeTM(1600, TransMatrix(Point3(5, 0, 0)));
    AnimateOff();
    node("x")->GetTMController()->AddAppDataChunk(Class_ID(2, 2), 2, 2, 1, copy_bytes({9}));
    node("y")->SetTarget(node("z"));
    saved = file("good.max");
    ASSERT_TRUE(ip->SaveToFile(saved.c_str()));
    // The scene now differs from the file, so a load that went ahead would show.
    named_box("only_in_memory");
    before = node_names();
  }

  void expect_load_fails(const std::string& path, const char* reason_part = "") {
    SceneFileResult result = LoadSceneFile(path.c_str());
    EXPECT_FALSE(result.ok) << path;
    EXPECT_NE(result.error.find(reason_part), std::string::npos) << result.error;
    EXPECT_EQ(node_names(), before);
  }

  // Runs sql on a copy of the saved file and gives the copy's name.
  std::string edited(const char* sql) {
    std::string path = file("edited.max");
    fs::copy_file(saved, path, fs::copy_options::overwrite_existing);
    sqlite3* db = nullptr;
    EXPECT_EQ(sqlite3_open(path.c_str(), &db), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK) << sqlite3_errmsg(db);
    sqlite3_close(db);
    return path;
  }
};

TEST_F(FailedLoads, AFileCutShortAnywhereFailsAndLeavesTheScene) {
  std::ifstream in(saved, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  ASSERT_GT(bytes.size(), 8192u);
  std::vector<std::size_t> lengths{
      1, 16, 100, 4095, 4096, 4097, 8192, bytes.size() / 2, bytes.size() - 4096, bytes.size() - 1};
  for (std::size_t length : lengths) {
    std::string path = file("short.max");
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(length));
    SCOPED_TRACE(length);
    expect_load_fails(path);
  }
  // The whole file still loads.
  EXPECT_TRUE(LoadSceneFile(saved.c_str()).ok);
  EXPECT_EQ(node_names(), (std::vector<std::string>{"parent", "x", "y", "z", "other"}));
}

TEST_F(FailedLoads, DamagedRowsAndNewerVersionsAreRefused) {
  expect_load_fails(edited("UPDATE schema SET version = version + 1"), "newer");
  expect_load_fails(edited("DELETE FROM schema"), "no format version");
  expect_load_fails(edited("UPDATE nodes SET object = 999 WHERE name = 'x'"), "missing object");
  expect_load_fails(edited("UPDATE nodes SET parent = id WHERE name = 'y'"), "parent");
  expect_load_fails(edited("UPDATE nodes SET local_tm = x'0102' WHERE name = 'z'"), "cut short");
  expect_load_fails(edited("UPDATE nodes SET hidden = 'yes'"), "hidden");
  expect_load_fails(edited("UPDATE objects SET class_a = 4242 WHERE id = 1"), "unknown class");
  expect_load_fails(edited("UPDATE params SET name = 'nonsense'"), "unknown parameter");
  expect_load_fails(edited("UPDATE app_data SET owner = 77"), "missing owner");
  expect_load_fails(edited("DROP TABLE meshes"), "no such table");
  expect_load_fails(edited("INSERT INTO nodes SELECT * FROM nodes WHERE name = 'x'"), "id used twice");
  expect_load_fails(file("missing.max"), "not found");
}

TEST_F(FailedLoads, DamagedControllersAndKeysAreRefused) {
  expect_load_fails(edited("UPDATE schema SET version = 1"), "out of range");  // a controller's chunk
  expect_load_fails(edited("UPDATE controllers SET class_a = 4242 WHERE parent <> 0"), "unknown class");
  expect_load_fails(edited("UPDATE controllers SET class_a = 8199 WHERE parent = 0 AND owner_kind = 1"),
                    "not the controller");
  expect_load_fails(edited("UPDATE controllers SET sub = 7 WHERE parent <> 0"), "not the controller");
  expect_load_fails(edited("UPDATE controllers SET parent = 999 WHERE parent <> 0"), "part missing");
  expect_load_fails(edited("UPDATE controllers SET owner = 77 WHERE parent = 0"), "missing owner");
  expect_load_fails(edited("UPDATE controllers SET sub = 1 WHERE parent = 0 AND owner_kind = 1"),
                    "missing owner");
  expect_load_fails(edited("INSERT INTO controllers SELECT * FROM controllers WHERE id = 1"),
                    "id used twice");
  expect_load_fails(edited("UPDATE controllers SET value = x'00' WHERE value <> x''"), "wrong size");
  expect_load_fails(edited("UPDATE controllers SET target = 999 WHERE target <> 0"), "missing node");
  expect_load_fails(edited("UPDATE controllers SET target = owner WHERE target <> 0"), "lead back");
  expect_load_fails(edited("UPDATE keys SET time = 0"), "time order");
  expect_load_fails(edited("UPDATE keys SET value = x'0000'"), "wrong size");
  expect_load_fails(edited("UPDATE keys SET controller = 1"), "takes none");
  expect_load_fails(edited("UPDATE keys SET time = 'soon'"), "time");
  expect_load_fails(edited("UPDATE app_data SET owner = 999 WHERE owner_kind = 5"), "missing owner");
  // z under y, which aims at z.
  expect_load_fails(
      edited("UPDATE nodes SET parent = (SELECT id FROM nodes WHERE name = 'y') WHERE name = 'z'"),
      "lead back");
  expect_load_fails(edited("DROP TABLE keys"), "no such table");
}

}  // namespace

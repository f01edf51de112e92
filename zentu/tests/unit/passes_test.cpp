// The fast passes against the plain transcription of their loops, on many
// generated scenes: mirrored, squashed and turned nodes, degenerate and
// coplanar faces, rays along edges, exclusion lists, shadow switches,
// hidden nodes, materials with maps; one thread and several. Colours must
// be equal bit for bit. Also: cancelling, and progress on the calling thread.
#include <cstring>
#include <random>
#include <thread>

#include "bake_scene.h"
#include "models/model_files.h"
#include "plain_bake.h"

namespace {

class PassesTest : public BakeScene {
 protected:
  std::mt19937 rng;

  float uniform(float lo, float hi) { return std::uniform_real_distribution<float>(lo, hi)(rng); }
  int pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); }
  bool chance(double p) { return std::bernoulli_distribution(p)(rng); }
  // Coordinates on a coarse lattice half the time, so rays run along edges
  // and through vertices and faces share planes.
  float coord(float range) {
    return chance(0.5) ? static_cast<float>(pick(-4, 4)) * range / 4.0f : uniform(-range, range);
  }

  Matrix3 random_transform(float height) {
    Matrix3 tm = Matrix3::Identity();
    if (chance(0.5)) tm = tm * RotateXMatrix(uniform(-3, 3)) * RotateZMatrix(uniform(-3, 3));
    if (chance(0.5)) {
      Point3 s(uniform(0.3f, 2), uniform(0.3f, 2), uniform(0.3f, 2));
      if (chance(0.4)) s.x = -s.x;  // mirrored
      tm = tm * ScaleMatrix(s);
    }
    tm.SetTrans(Point3(coord(10), coord(10), height + coord(5)));
    return tm;
  }

  // A mesh about height above the ground.
  INode* random_mesh(float height) {
    int verts = pick(3, 14);
    std::vector<Point3> points;
    for (int i = 0; i < verts; ++i) points.push_back({coord(10), coord(10), chance(0.3) ? 0.0f : coord(10)});
    std::vector<std::vector<int>> faces;
    int count = pick(4, 30);
    for (int f = 0; f < count; ++f) {
      int a = pick(0, verts - 1), b = pick(0, verts - 1), c = pick(0, verts - 1);
      if (chance(0.9) && (a == b || b == c || a == c)) continue;  // a few faces of no area stay
      faces.push_back({a, b, c});
    }
    if (faces.empty()) faces.push_back({0, 1, 2});
    INode* node = mesh_node(points, faces, random_transform(height));
    Mesh& mesh = static_cast<TriObject*>(node->GetObjectRef())->GetMesh();
    for (int f = 0; f < mesh.getNumFaces(); ++f) {
      mesh.faces[f].setSmGroup(chance(0.3) ? 0 : static_cast<DWORD>(1u << pick(0, 3)) | (chance(0.2) ? 16u : 0u));
      mesh.faces[f].setMatID(static_cast<MtlID>(pick(0, 2)));
      mesh.faces[f].setEdgeVisFlags(pick(0, 1), pick(0, 1), pick(0, 1));
    }
    if (chance(0.6)) {
      mesh.setNumTVerts(verts);
      for (int i = 0; i < verts; ++i) mesh.setTVert(i, uniform(0, 2), uniform(0, 2), 0);
      for (int f = 0; f < mesh.getNumFaces(); ++f) {
        const DWORD* v = mesh.faces[f].v;
        mesh.tvFace[f].setTVerts(static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]));
      }
    }
    mesh.InvalidateTopologyCache();
    node->SetCastShadows(chance(0.85));
    node->SetRcvShadows(chance(0.85));
    node->SetWireColor(RGB(pick(0, 255), pick(0, 255), pick(0, 255)));
    return node;
  }

  Mtl* random_material() {
    switch (pick(0, 3)) {
      case 0:
        return nullptr;
      case 1: {
        auto* m = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
        m->SetDiffuse(Color(uniform(0, 1), uniform(0, 1), uniform(0, 1)), 0);
        m->SetAmbient(Color(uniform(0, 1), uniform(0, 1), uniform(0, 1)), 0);
        m->SetSpecular(Color(uniform(0, 1), uniform(0, 1), uniform(0, 1)), 0);
        m->SetShinStr(uniform(0, 2), 0);
        m->SetShininess(uniform(0, 1), 0);
        m->SetOpacity(uniform(0.2f, 1), 0);
        ULONG map_class = chance(0.5) ? CHECKER_CLASS_ID : NOISE_CLASS_ID;
        if (chance(0.7)) m->SetSubTexmap(ID_DI, make<Texmap>(TEXMAP_CLASS_ID, map_class));
        return m;
      }
      default: {
        auto* multi = make<MultiMtl>(MATERIAL_CLASS_ID, MULTI_CLASS_ID);
        multi->SetNumSubMtls(2);
        for (int i = 0; i < 2; ++i) {
          auto* sub = make<StdMat2>(MATERIAL_CLASS_ID, DMTL_CLASS_ID);
          sub->SetDiffuse(Color(uniform(0, 1), uniform(0, 1), uniform(0, 1)), 0);
          sub->SetShinStr(uniform(0, 1), 0);
          multi->SetSubMtl(i, sub);
        }
        return multi;
      }
    }
  }

  void random_lights(const std::vector<INode*>& meshes) {
    static const ULONG kClasses[] = {OMNI_LIGHT_CLASS_ID, FSPOT_LIGHT_CLASS_ID, DIR_LIGHT_CLASS_ID};
    int count = pick(0, 4);
    for (int i = 0; i < count; ++i) {
      // Mostly above the meshes, so they stand between.
      float z = chance(0.8) ? uniform(20, 50) : coord(40);
      INode* node = light_node(kClasses[pick(0, 2)], Point3(coord(30), coord(30), z),
                               Point3(uniform(0, 1), uniform(0, 1), uniform(0, 1)), uniform(0.2f, 2));
      if (chance(0.5)) node->SetNodeTM(0, RotateXMatrix(uniform(-3, 3)) * node->GetNodeTM(0));
      GenLight* light = light_of(node);
      light->SetUseLight(chance(0.85));
      light->SetShadow(chance(0.75));
      if (chance(0.3)) {
        ExclList list;
        for (INode* m : meshes)
          if (chance(0.5)) list.AddNode(m);
        list.SetFlag(NT_AFFECT_ILLUM, chance(0.5));
        list.SetFlag(NT_AFFECT_SHADOWCAST, chance(0.7));
        list.SetFlag(NT_INCLUDE, chance(0.5));
        light->SetExclusionList(list);
      }
      if (chance(0.15)) node->Hide(TRUE);  // a hidden light still lights
    }
  }

  // Builds a scene and answers the node to colour.
  INode* random_scene() {
    std::vector<INode*> meshes;
    int count = pick(2, 6);
    for (int i = 0; i < count; ++i) meshes.push_back(random_mesh(i == 0 ? 0.0f : uniform(3, 15)));
    for (std::size_t i = 1; i < meshes.size(); ++i)
      if (chance(0.15)) meshes[i]->Hide(TRUE);
    random_lights(meshes);
    meshes[0]->SetMtl(random_material());
    ip->SetAmbient(0, Point3(uniform(0, 0.5f), uniform(0, 0.5f), uniform(0, 0.5f)));
    return meshes[0];
  }
};

template <typename List>
bool same_bits(const List& a, const List& b) {
  return a.size() == b.size() && (a.empty() || std::memcmp(a.data(), b.data(), sizeof a[0] * a.size()) == 0);
}

TEST_F(PassesTest, FastPassesEqualThePlainLoopsBitForBit) {
  int compared = 0, shadowed_scenes = 0;
  for (unsigned seed = 1; seed <= 300; ++seed) {
    rng.seed(seed);
    INode* node = random_scene();
    int mode = chance(0.7) ? 1 : pick(0, 2);
    bool shadows = chance(0.8), maps = chance(0.5);
    VertexColorList plain_vertex, fast_vertex, threaded_vertex;
    FaceColorList plain_corner, fast_corner, threaded_corner;
    ASSERT_EQ(PlainMixedColors(node, 0, mode, shadows, maps, plain_vertex), 1);
    ASSERT_EQ(PlainCornerColors(node, 0, mode, shadows, maps, plain_corner), 1);
    ASSERT_EQ(EvaluateMixedVertexColors(node, 0, mode, shadows, maps, fast_vertex, nullptr, {.threads = 1}), 1);
    ASSERT_EQ(EvaluateFaceCornerColors(node, 0, mode, shadows, maps, fast_corner, nullptr, {.threads = 1}), 1);
    ASSERT_EQ(EvaluateMixedVertexColors(node, 0, mode, shadows, maps, threaded_vertex, nullptr, {.threads = 3}), 1);
    ASSERT_EQ(EvaluateFaceCornerColors(node, 0, mode, shadows, maps, threaded_corner, nullptr, {.threads = 3}), 1);
    EXPECT_TRUE(same_bits(plain_vertex, fast_vertex)) << "seed " << seed;
    EXPECT_TRUE(same_bits(plain_corner, fast_corner)) << "seed " << seed;
    EXPECT_TRUE(same_bits(plain_vertex, threaded_vertex)) << "seed " << seed;
    EXPECT_TRUE(same_bits(plain_corner, threaded_corner)) << "seed " << seed;
    compared += 3 * static_cast<int>(plain_corner.size());
    if (shadows) {
      FaceColorList unshadowed;
      EvaluateFaceCornerColors(node, 0, mode, false, maps, unshadowed, nullptr, {.threads = 1});
      shadowed_scenes += same_bits(unshadowed, fast_corner) ? 0 : 1;
    }
    TearDown();
  }
  // The scenes are worth their time: many corners, and shadows that matter.
  EXPECT_GT(compared, 3000);
  EXPECT_GT(shadowed_scenes, 40);
}

// A dense scene where shadows decide most colours: a grid of blockers
// between lights and a grid to colour, points and lights on one lattice so
// many rays graze edges and corners.
TEST_F(PassesTest, ShadowsThroughALatticeOfEdgesMatchThePlainLoops) {
  auto grid = [&](int n, float z, bool flip) {
    std::vector<Point3> points;
    std::vector<std::vector<int>> faces;
    for (int y = 0; y <= n; ++y)
      for (int x = 0; x <= n; ++x) points.push_back({static_cast<float>(x), static_cast<float>(y), z});
    for (int y = 0; y < n; ++y)
      for (int x = 0; x < n; ++x) {
        int a = y * (n + 1) + x, b = a + 1, c = a + n + 1, d = c + 1;
        if ((x + y) % 3 == 0) continue;  // holes to see through
        faces.push_back(flip ? std::vector<int>{a, c, b} : std::vector<int>{a, b, c});
        faces.push_back(flip ? std::vector<int>{b, c, d} : std::vector<int>{b, d, c});
      }
    return mesh_node(points, faces);
  };
  INode* target = grid(12, 0, false);
  grid(12, 4, false);
  INode* mirrored = grid(12, 8, true);
  mirrored->SetNodeTM(0, ScaleMatrix(Point3(-1, 1, 1)) * TransMatrix(Point3(12, 0, 0)));
  for (Point3 p : {Point3(6, 6, 16), Point3(0, 0, 12), Point3(12, 3, 8), Point3(3, 3, 4)}) {
    INode* light = light_node(OMNI_LIGHT_CLASS_ID, p);
    light_of(light)->SetShadow(TRUE);
  }
  for (int mode : {1}) {
    VertexColorList plain_vertex, fast_vertex;
    FaceColorList plain_corner, fast_corner;
    PlainMixedColors(target, 0, mode, true, false, plain_vertex);
    PlainCornerColors(target, 0, mode, true, false, plain_corner);
    EvaluateMixedVertexColors(target, 0, mode, true, false, fast_vertex, nullptr, {.threads = 2});
    EvaluateFaceCornerColors(target, 0, mode, true, false, fast_corner, nullptr, {.threads = 2});
    EXPECT_TRUE(same_bits(plain_vertex, fast_vertex));
    EXPECT_TRUE(same_bits(plain_corner, fast_corner));
    // The blockers do block: some corners are darker than others.
    bool varied = false;
    for (const FaceCornerColors& c : fast_corner) varied = varied || !(c.corner[0] == fast_corner[0].corner[0]);
    EXPECT_TRUE(varied);
  }
}

class CancelAt : public PassProgress {
 public:
  explicit CancelAt(float at) : at_(at) {}
  int progress(float fraction) override {
    other_thread_ = other_thread_ || std::this_thread::get_id() != caller_;
    last_ = fraction;
    ++calls_;
    return fraction >= at_ ? 1 : 0;
  }
  float at_, last_ = -1;
  int calls_ = 0;
  bool other_thread_ = false;
  std::thread::id caller_ = std::this_thread::get_id();
};

TEST_F(PassesTest, ProgressIsAskedOnTheCallingThreadAndCancelStopsThePass) {
  std::vector<Point3> points;
  std::vector<std::vector<int>> faces;
  for (int i = 0; i < 3000; ++i) {
    points.push_back({static_cast<float>(i), 0, 0});
    points.push_back({static_cast<float>(i), 1, 0});
    points.push_back({static_cast<float>(i) + 1, 0, 0});
    faces.push_back({3 * i, 3 * i + 2, 3 * i + 1});
  }
  INode* node = mesh_node(points, faces);
  CancelAt never(2.0f);
  FaceColorList colors;
  EXPECT_EQ(EvaluateFaceCornerColors(node, 0, 0, false, false, colors, &never, {.threads = 4}), 1);
  EXPECT_EQ(colors.size(), 3000u);
  EXPECT_EQ(never.calls_, 3000);  // once for each face, in order
  EXPECT_FLOAT_EQ(never.last_, 2999.0f / 3000.0f);
  EXPECT_FALSE(never.other_thread_);
  CancelAt half(0.5f);
  VertexColorList vertex_colors;
  EXPECT_EQ(EvaluateMixedVertexColors(node, 0, 0, false, false, vertex_colors, &half, {.threads = 4}), 0);
  EXPECT_LT(vertex_colors.size(), 9000u);
  EXPECT_FLOAT_EQ(half.last_, 4500.0f / 9000.0f);
  EXPECT_FALSE(half.other_thread_);
}

// A model made by another program (Debian's assimp-testmodels), turned and
// raised over a floor that its own shadow falls on, under a light above and
// one low to the side: both bakes of the floor and of the model match the
// plain loops.
TEST_F(PassesTest, ARealModelBakesAsThePlainLoopsDo) {
  ASSERT_TRUE(host::models::import_model_file("/usr/share/assimp/models/PLY/Wuson.ply").ok);
  INode* figure = ip->GetRootNode()->GetChildNode(0);
  figure->SetNodeTM(0, RotateXMatrix(1.5707963f));
  Matrix3 tm = figure->GetObjectTM(0);
  Box3 box = static_cast<TriObject*>(figure->GetObjectRef())->GetMesh().getBoundingBox(&tm);
  Point3 c = box.Center();
  float z = box.pmin.z - 0.5f;
  INode* floor = mesh_node({{c.x - 4, c.y - 4, z}, {c.x + 4, c.y - 4, z}, {c.x + 4, c.y + 4, z},
                            {c.x - 4, c.y + 4, z}, {c.x, c.y, z}},
                           {{0, 1, 4}, {1, 2, 4}, {2, 3, 4}, {3, 0, 4}});
  for (Point3 p : {c + Point3(0.2f, -0.1f, 8), c + Point3(-6, 2, 2)})
    light_of(light_node(OMNI_LIGHT_CLASS_ID, p))->SetShadow(TRUE);
  ip->SetAmbient(0, Point3(0.1f, 0.1f, 0.1f));
  for (INode* node : {figure, floor}) {
    VertexColorList plain_vertex, fast_vertex;
    FaceColorList plain_corner, fast_corner;
    PlainMixedColors(node, 0, 1, true, false, plain_vertex);
    PlainCornerColors(node, 0, 1, true, false, plain_corner);
    EvaluateMixedVertexColors(node, 0, 1, true, false, fast_vertex, nullptr, {.threads = 2});
    EvaluateFaceCornerColors(node, 0, 1, true, false, fast_corner, nullptr, {.threads = 2});
    ASSERT_GT(plain_corner.size(), 3u);
    EXPECT_TRUE(same_bits(plain_vertex, fast_vertex)) << node->GetName();
    EXPECT_TRUE(same_bits(plain_corner, fast_corner)) << node->GetName();
  }
  // The figure's shadow does fall on the floor's middle.
  VertexColorList lit, shadowed;
  EvaluateMixedVertexColors(floor, 0, 1, false, false, lit, nullptr);
  EvaluateMixedVertexColors(floor, 0, 1, true, false, shadowed, nullptr);
  EXPECT_LT(shadowed[4].r, lit[4].r);
  EXPECT_EQ(shadowed[0].r, lit[0].r);
}

TEST_F(PassesTest, ANodeWithoutAMeshGivesNoColours) {
  INode* node = mesh_node({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}});
  node->Hide(TRUE);
  VertexColorList colors{Color(1, 1, 1)};
  EXPECT_EQ(EvaluateMixedVertexColors(node, 0, 1, true, true, colors, nullptr), 1);
  EXPECT_EQ(colors.size(), 1u);  // untouched
  INode* light = light_node(OMNI_LIGHT_CLASS_ID, Point3(0, 0, 0));
  FaceColorList corners;
  EXPECT_EQ(EvaluateFaceCornerColors(light, 0, 1, true, true, corners, nullptr), 1);
  EXPECT_TRUE(corners.empty());
}

}  // namespace

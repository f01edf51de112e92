// Importing and exporting model files through Assimp, checked against what
// small readers of our own find in Debian's assimp test models.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "host/core_interface.h"
#include "host/hold.h"
#include "host/simple_objects.h"
#include "host/triobject.h"
#include "models/model_files.h"

namespace fs = std::filesystem;
using host::models::export_model_file;
using host::models::import_model_file;

namespace {

const std::string kModels = "/usr/share/assimp/models/";

bool near(const Point3& a, const Point3& b, float tolerance = 1e-3f) { return Length(a - b) <= tolerance; }

// ---- Readers of our own ------------------------------------------------------

// An OBJ file's groups: the positions their faces use, their polygons as
// position indices, and the material each group names.
struct ObjGroup {
  std::string name, material;
  std::vector<std::vector<int>> polygons;
};
struct ObjFile {
  std::vector<Point3> positions;
  std::vector<ObjGroup> groups;
};

ObjFile read_obj(const std::string& path) {
  ObjFile obj;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream s(line);
    std::string tag;
    s >> tag;
    if (tag == "v") {
      Point3 p;
      s >> p.x >> p.y >> p.z;
      obj.positions.push_back(p);
    } else if (tag == "g") {
      obj.groups.push_back({});
      s >> obj.groups.back().name;
    } else if (tag == "usemtl" && !obj.groups.empty()) {
      s >> obj.groups.back().material;
    } else if (tag == "f" && !obj.groups.empty()) {
      std::vector<int> polygon;
      std::string corner;
      while (s >> corner) {
        int index = std::stoi(corner.substr(0, corner.find('/')));
        polygon.push_back(index < 0 ? static_cast<int>(obj.positions.size()) + index : index - 1);
      }
      obj.groups.back().polygons.push_back(polygon);
    }
  }
  return obj;
}

// The meshes of a 3DS file: object name, vertices (world space) and face count.
struct ThreeDsMesh {
  std::string name;
  std::vector<Point3> verts;
  int faces = 0;
};

template <typename T>
T read_le(const std::string& bytes, std::size_t at) {
  T v{};
  if (at + sizeof(T) <= bytes.size()) std::memcpy(&v, bytes.data() + at, sizeof(T));
  return v;
}

void read_3ds_chunks(const std::string& bytes, std::size_t begin, std::size_t end,
                     std::vector<ThreeDsMesh>& out) {
  std::size_t at = begin;
  while (at + 6 <= end) {
    auto id = read_le<std::uint16_t>(bytes, at);
    auto length = read_le<std::uint32_t>(bytes, at + 2);
    if (length < 6 || at + length > end) return;
    std::size_t body = at + 6, next = at + length;
    switch (id) {
      case 0x4D4D:  // main
      case 0x3D3D:  // editor
      case 0x4100:  // triangle mesh
        read_3ds_chunks(bytes, body, next, out);
        break;
      case 0x4000: {  // named object
        std::string name(bytes.c_str() + body);
        out.push_back({name, {}, 0});
        std::size_t inner = body + name.size() + 1;
        read_3ds_chunks(bytes, inner, next, out);
        if (out.back().verts.empty()) out.pop_back();  // a light or camera
        break;
      }
      case 0x4110: {  // vertices
        auto count = read_le<std::uint16_t>(bytes, body);
        for (int i = 0; i < count; ++i) {
          std::size_t p = body + 2 + 12 * static_cast<std::size_t>(i);
          out.back().verts.push_back(
              {read_le<float>(bytes, p), read_le<float>(bytes, p + 4), read_le<float>(bytes, p + 8)});
        }
        break;
      }
      case 0x4120:  // faces
        out.back().faces = read_le<std::uint16_t>(bytes, body);
        break;
      default:
        break;
    }
    at = next;
  }
}

std::vector<ThreeDsMesh> read_3ds(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<ThreeDsMesh> meshes;
  read_3ds_chunks(bytes, 0, bytes.size(), meshes);
  return meshes;
}

// ---- The scene -----------------------------------------------------------------

class ModelFiles : public ::testing::Test {
 protected:
  Interface* ip = GetCOREInterface();
  fs::path dir = fs::temp_directory_path() / ("model_test_" + std::to_string(getpid()));

  void SetUp() override { fs::create_directories(dir); }
  void TearDown() override {
    clear_scene();
    fs::remove_all(dir);
  }
  void clear_scene() {
    theHold.Clear();
    while (ip->GetRootNode()->NumberOfChildren() > 0) ip->DeleteNode(ip->GetRootNode()->GetChildNode(0));
  }
  std::string temp(const char* name) const { return (dir / name).string(); }

  static void collect(INode* node, std::vector<INode*>& out) {
    for (int i = 0; i < node->NumberOfChildren(); ++i) {
      out.push_back(node->GetChildNode(i));
      collect(node->GetChildNode(i), out);
    }
  }
  std::vector<INode*> nodes() {
    std::vector<INode*> out;
    collect(ip->GetRootNode(), out);
    return out;
  }
  // The mesh of an imported node, which is always a triangle-mesh object.
  static Mesh& mesh_of(INode* node) {
    Object* object = node->GetObjectRef();
    EXPECT_TRUE(object->IsSubClassOf(triObjectClassID));
    return static_cast<TriObject*>(object)->GetMesh();
  }
  static std::vector<Point3> world_verts(INode* node) {
    Object* object = node->GetObjectRef();
    auto* tri = static_cast<TriObject*>(object->ConvertToType(0, triObjectClassID));
    std::vector<Point3> out;
    for (int i = 0; i < tri->GetMesh().getNumVerts(); ++i)
      out.push_back(tri->GetMesh().getVert(i) * node->GetObjectTM(0));
    if (tri != object) tri->DeleteThis();
    return out;
  }
};

int distinct_positions(const std::vector<Point3>& all, const std::set<int>& used) {
  std::set<std::tuple<float, float, float>> seen;
  for (int i : used) seen.insert({all[i].x, all[i].y, all[i].z});
  return static_cast<int>(seen.size());
}

TEST_F(ModelFiles, AnObjWithMaterialsGivesOneNodeForEachGroup) {
  const std::string path = kModels + "OBJ/spider.obj";
  ObjFile file = read_obj(path);
  ASSERT_GT(file.groups.size(), 10u);

  host::models::Outcome done = import_model_file(path);
  ASSERT_TRUE(done.ok) << done.error;
  std::vector<INode*> made = nodes();
  ASSERT_EQ(made.size(), file.groups.size());
  EXPECT_EQ(done.node_count, static_cast<int>(made.size()));

  std::map<std::string, MtlID> material_ids;
  for (std::size_t g = 0; g < file.groups.size(); ++g) {
    const ObjGroup& group = file.groups[g];
    INode* node = made[g];
    EXPECT_STREQ(node->GetName(), group.name.c_str());
    EXPECT_EQ(node->GetParentNode(), ip->GetRootNode());
    Mesh& mesh = mesh_of(node);

    std::set<int> used;
    int triangles = 0;
    for (const auto& polygon : group.polygons) {
      used.insert(polygon.begin(), polygon.end());
      triangles += static_cast<int>(polygon.size()) - 2;
    }
    EXPECT_EQ(mesh.getNumVerts(), distinct_positions(file.positions, used)) << group.name;
    EXPECT_EQ(mesh.getNumFaces(), triangles) << group.name;

    // The first triangle's corners are corners of the group's first polygon.
    std::vector<Point3> world = world_verts(node);
    for (int c = 0; c < 3; ++c) {
      Point3 p = world[mesh.faces[0].v[c]];
      bool found = false;
      for (int i : group.polygons[0]) found = found || near(p, file.positions[i]);
      EXPECT_TRUE(found) << group.name << " corner " << c;
    }
    // Texture coordinates for every face.
    EXPECT_TRUE(mesh.mapSupport(1)) << group.name;
    EXPECT_EQ(mesh.getNumMapFaces(1), mesh.getNumFaces());

    // Groups with the same material share the material ID; others do not.
    MtlID id = mesh.faces[0].getMatID();
    for (int f = 0; f < mesh.getNumFaces(); ++f) ASSERT_EQ(mesh.faces[f].getMatID(), id);
    auto [it, added] = material_ids.try_emplace(group.material, id);
    EXPECT_EQ(it->second, id) << group.material;
  }
  std::set<MtlID> distinct;
  for (const auto& [material, id] : material_ids) distinct.insert(id);
  EXPECT_EQ(distinct.size(), material_ids.size());
}

TEST_F(ModelFiles, A3dsSceneGivesItsObjectsWithTheirWorldVertices) {
  const std::string path = kModels + "3DS/test1.3ds";
  std::vector<ThreeDsMesh> file = read_3ds(path);
  ASSERT_GT(file.size(), 3u);

  ASSERT_TRUE(import_model_file(path).ok);
  std::vector<INode*> made = nodes();
  ASSERT_EQ(made.size(), file.size());
  for (const ThreeDsMesh& object : file) {
    INode* node = ip->GetINodeByName(object.name.c_str());
    ASSERT_NE(node, nullptr) << object.name;
    std::set<int> all;
    for (int i = 0; i < static_cast<int>(object.verts.size()); ++i) all.insert(i);
    EXPECT_EQ(mesh_of(node).getNumVerts(), distinct_positions(object.verts, all)) << object.name;
    EXPECT_EQ(mesh_of(node).getNumFaces(), object.faces) << object.name;
    // The file keeps vertices in world space; the node's transform puts them back there.
    for (const Point3& p : world_verts(node)) {
      bool found = false;
      for (const Point3& q : object.verts) found = found || near(p, q, 1e-2f);
      EXPECT_TRUE(found) << object.name << " vertex " << p.x << " " << p.y << " " << p.z;
    }
  }
}

TEST_F(ModelFiles, APlyFileBringsItsVertexColours) {
  // float-color.ply: three vertices (0 0 0), (100 0 0), (200 200 0), all
  // coloured 0 0 1, and one face.
  ASSERT_TRUE(import_model_file(kModels + "PLY/float-color.ply").ok);
  std::vector<INode*> made = nodes();
  ASSERT_EQ(made.size(), 1u);
  EXPECT_STREQ(made[0]->GetName(), "float-color");
  Mesh& mesh = mesh_of(made[0]);
  ASSERT_EQ(mesh.getNumVerts(), 3);
  ASSERT_EQ(mesh.getNumFaces(), 1);
  EXPECT_TRUE(near(mesh.getVert(1), {100, 0, 0}));
  EXPECT_TRUE(near(mesh.getVert(2), {200, 200, 0}));
  ASSERT_TRUE(mesh.mapSupport(0));
  ASSERT_EQ(mesh.getNumVertCol(), 1);  // one colour, shared by every corner
  EXPECT_TRUE(near(mesh.vertCol[0], {0, 0, 1}));
  for (int c = 0; c < 3; ++c) EXPECT_EQ(mesh.vcFace[0].t[c], 0u);
}

TEST_F(ModelFiles, ABinaryGltfKeepsItsNodeTransformAndHardEdges) {
  // BoxTextured.glb: a node turning y into -z holds a node with a 24-vertex,
  // 12-triangle box from -0.5 to 0.5 with a normal for each side. Turned from
  // glTF's y-up to the scene's z-up, the node's turn is undone.
  ASSERT_TRUE(import_model_file(kModels + "glTF2/BoxTextured-glTF-Binary/BoxTextured.glb").ok);
  std::vector<INode*> made = nodes();
  ASSERT_EQ(made.size(), 1u);
  Mesh& mesh = mesh_of(made[0]);
  EXPECT_EQ(mesh.getNumVerts(), 8);
  EXPECT_EQ(mesh.getNumFaces(), 12);
  EXPECT_TRUE(mesh.mapSupport(1));
  Matrix3 tm = made[0]->GetNodeTM(0);
  EXPECT_TRUE(near(tm.GetRow(0), {1, 0, 0}));
  EXPECT_TRUE(near(tm.GetRow(1), {0, 1, 0}));
  EXPECT_TRUE(near(tm.GetRow(2), {0, 0, 1}));

  // Faces sharing an edge smooth together exactly when they lie in one side.
  for (int f = 0; f < 12; ++f) EXPECT_NE(mesh.faces[f].getSmGroup(), 0u);
  for (int f = 0; f < 12; ++f)
    for (int g = f + 1; g < 12; ++g) {
      int shared = 0;
      for (DWORD a : mesh.faces[f].v)
        for (DWORD b : mesh.faces[g].v) shared += a == b;
      if (shared < 2) continue;
      bool same_side = near(mesh.getFaceNormal(f), mesh.getFaceNormal(g));
      bool smooth = (mesh.faces[f].getSmGroup() & mesh.faces[g].getSmGroup()) != 0;
      EXPECT_EQ(smooth, same_side) << f << " " << g;
    }
}

TEST_F(ModelFiles, BadFilesLeaveTheSceneAsItWas) {
  INode* box = ip->CreateObjectNode(new BoxObject);
  for (const char* file :
       {"invalid/empty.3ds", "invalid/empty.obj", "invalid/malformed.obj", "OBJ/nothing.obj"}) {
    host::models::Outcome done = import_model_file(kModels + file);
    EXPECT_FALSE(done.ok) << file;
    EXPECT_FALSE(done.error.empty()) << file;
    EXPECT_EQ(nodes().size(), 1u) << file;
  }
  EXPECT_EQ(nodes()[0], box);
}

// Export every format and read it back: the same world-space vertices.
TEST_F(ModelFiles, ExportedScenesImportAgainInWorldSpace) {
  auto* box = new BoxObject;
  box->SetValue(BoxObject::kLength, 10);
  box->SetValue(BoxObject::kWidth, 20);
  box->SetValue(BoxObject::kHeight, 30);
  INode* node = ip->CreateObjectNode(box);
  Matrix3 tm = RotateZMatrix(0.5f);
  tm.SetTrans({5, -7, 2});
  node->SetNodeTM(0, tm);
  ip->CreateObjectNode(new SphereObject);
  std::vector<Point3> box_world = world_verts(node);

  for (const char* name : {"scene.obj", "scene.ply", "scene.stl", "scene.glb", "scene.gltf"}) {
    std::string path = temp(name);
    host::models::Outcome written = export_model_file(path, host::models::export_format_for(path), false);
    ASSERT_TRUE(written.ok) << name << ": " << written.error;
    EXPECT_EQ(written.node_count, 2);
  }
  for (const char* name : {"scene.obj", "scene.glb", "scene.gltf"}) {
    clear_scene();
    ASSERT_TRUE(import_model_file(temp(name)).ok) << name;
    std::vector<INode*> back = nodes();
    ASSERT_EQ(back.size(), 2u) << name;
    EXPECT_STREQ(back[0]->GetName(), "Box001") << name;
    EXPECT_EQ(mesh_of(back[0]).getNumFaces(), 12) << name;
    std::vector<Point3> got = world_verts(back[0]);
    ASSERT_EQ(got.size(), box_world.size()) << name;
    for (const Point3& p : box_world) {
      bool found = false;
      for (const Point3& q : got) found = found || near(p, q);
      EXPECT_TRUE(found) << name;
    }
  }
}

// glTF's up is +y: the scene's +z goes out as +y, its +y as -z, in the
// file itself (read here as raw JSON, node matrix and vertex positions).
TEST_F(ModelFiles, GltfFilesAreWrittenWithTheirUpAxis) {
  TriObject* tri = CreateNewTriObject();
  Mesh& m = tri->GetMesh();
  m.setNumVerts(3);
  m.setVert(0, 0, 0, 10);
  m.setVert(1, 1, 0, 10);
  m.setVert(2, 0, 1, 10);
  m.setNumFaces(1);
  m.faces[0].setVerts(0, 1, 2);
  ip->CreateObjectNode(tri);
  std::string path = temp("up.gltf");
  ASSERT_TRUE(export_model_file(path, "gltf2", false).ok);
  std::ifstream in(path);
  std::stringstream text;
  text << in.rdbuf();
  // The root's matrix, column by column: x stays, y goes to -z, z to y.
  std::string json = text.str();
  std::size_t at = json.find("\"matrix\"");
  ASSERT_NE(at, std::string::npos);
  std::vector<float> matrix;
  std::istringstream numbers(json.substr(json.find('[', at) + 1, 400));
  for (float v = 0; matrix.size() < 16 && numbers >> v;) {
    matrix.push_back(v);
    numbers.ignore(1, ',');
  }
  std::vector<float> want = {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1};
  EXPECT_EQ(matrix, want);
  // Read back, the triangle is where it was.
  clear_scene();
  ASSERT_TRUE(import_model_file(path).ok);
  std::vector<Point3> back = world_verts(nodes()[0]);
  for (const Point3& p : back) EXPECT_TRUE(std::fabs(p.z - 10) < 1e-4f) << p.x << " " << p.y << " " << p.z;
}

TEST_F(ModelFiles, VertexColoursSurviveGltfAndPly) {
  TriObject* tri = CreateNewTriObject();
  Mesh& m = tri->GetMesh();
  m.setNumVerts(3);
  m.setVert(0, 0, 0, 0);
  m.setVert(1, 10, 0, 0);
  m.setVert(2, 0, 10, 0);
  m.setNumFaces(1);
  m.faces[0].setVerts(0, 1, 2);
  m.setNumVertCol(3);
  m.vertCol[0] = {1, 0, 0};
  m.vertCol[1] = {0, 1, 0};
  m.vertCol[2] = {0, 0, 1};
  m.setNumVCFaces(1);
  m.vcFace[0].setTVerts(0, 1, 2);
  ip->CreateObjectNode(tri);

  for (const char* name : {"colours.glb", "colours.ply"}) {
    std::string path = temp(name);
    ASSERT_TRUE(export_model_file(path, host::models::export_format_for(path), false).ok) << name;
  }
  for (const char* name : {"colours.glb", "colours.ply"}) {
    clear_scene();
    ASSERT_TRUE(import_model_file(temp(name)).ok) << name;
    ASSERT_EQ(nodes().size(), 1u);
    Mesh& back = mesh_of(nodes()[0]);
    ASSERT_EQ(back.getNumFaces(), 1) << name;
    ASSERT_TRUE(back.mapSupport(0)) << name;
    for (int c = 0; c < 3; ++c) {
      Point3 where = back.getVert(back.faces[0].v[c]);
      Point3 colour = back.vertCol[back.vcFace[0].t[c]];
      Point3 want = where.x > 5 ? Point3(0, 1, 0) : where.y > 5 ? Point3(0, 0, 1) : Point3(1, 0, 0);
      EXPECT_TRUE(near(colour, want, 1e-2f)) << name << " corner " << c;
    }
  }
}

}  // namespace

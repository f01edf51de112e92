// Importing: the whole file is read and every mesh converted before the
// first node is made, so a file that fails leaves the scene as it was.
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <assimp/Importer.hpp>

#include <cctype>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/core_interface.h"
#include "host/triobject.h"
#include "model_files.h"
#include "model_meshes.h"

namespace host::models {

namespace {

struct DeleteObject {
  void operator()(TriObject* t) const { t->DeleteThis(); }
};

struct PendingNode {
  std::string name;
  Matrix3 world;
  int parent;  // index in the pending list, -1 for the top level
  std::unique_ptr<TriObject, DeleteObject> object;
};

// Assimp's matrices carry column vectors, the application's row vectors.
Matrix3 matrix_from(const aiMatrix4x4& a) {
  return {{a.a1, a.b1, a.c1}, {a.a2, a.b2, a.c2}, {a.a3, a.b3, a.c3}, {a.a4, a.b4, a.c4}};
}

// Assimp turns a 3DS file's z-up world into its own y-up one, and glTF's is
// y-up to begin with; this turns either into the scene's z-up one.
const Matrix3 kUndoYUp{{1, 0, 0}, {0, 0, 1}, {0, -1, 0}, {0, 0, 0}};

bool is_y_up(const std::string& path) {
  std::string ext = std::filesystem::path(path).extension().string();
  for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return ext == ".3ds" || ext == ".gltf" || ext == ".glb";
}

class SceneReader {
 public:
  // Nodes without a name of their own take file_stem.
  SceneReader(const aiScene& scene, std::string file_stem)
      : scene_(scene), file_stem_(std::move(file_stem)) {}

  std::vector<PendingNode> read(const Matrix3& world) {
    walk(*scene_.mRootNode, world, -1);
    return std::move(pending_);
  }

 private:
  void walk(const aiNode& node, const Matrix3& parent_world, int parent) {
    Matrix3 world = matrix_from(node.mTransformation) * parent_world;
    int self = parent;
    for (unsigned k = 0; k < node.mNumMeshes; ++k) {
      if (node.mMeshes[k] >= scene_.mNumMeshes) continue;
      const aiMesh& mesh = *scene_.mMeshes[node.mMeshes[k]];
      std::unique_ptr<TriObject, DeleteObject> object(CreateNewTriObject());
      mesh_from_assimp(mesh, object->GetMesh());
      if (object->GetMesh().getNumFaces() == 0) continue;
      pending_.push_back({name_of(node, mesh, k), world, parent, std::move(object)});
      if (self == parent) self = static_cast<int>(pending_.size()) - 1;
    }
    for (unsigned c = 0; c < node.mNumChildren; ++c) walk(*node.mChildren[c], world, self);
  }

  // The node's name; a node's later meshes go by their own names when they have one.
  std::string name_of(const aiNode& node, const aiMesh& mesh, unsigned k) const {
    std::string node_name = node.mName.C_Str(), mesh_name = mesh.mName.C_Str();
    if (k > 0 && !mesh_name.empty()) return mesh_name;
    if (!node_name.empty()) return node_name;
    return mesh_name.empty() ? file_stem_ : mesh_name;
  }

  const aiScene& scene_;
  std::string file_stem_;
  std::vector<PendingNode> pending_;
};

}  // namespace

Outcome import_model_file(const std::string& path) {
  Assimp::Importer importer;
  const aiScene* scene = importer.ReadFile(
      path, aiProcess_Triangulate | aiProcess_ValidateDataStructure | aiProcess_FindInvalidData);
  if (scene == nullptr || scene->mRootNode == nullptr || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) != 0) {
    std::string why = importer.GetErrorString();
    return {false, why.empty() ? "the file holds no scene" : why, 0};
  }
  std::vector<PendingNode> pending = SceneReader(*scene, std::filesystem::path(path).stem().string())
                                         .read(is_y_up(path) ? kUndoYUp : Matrix3::Identity());

  Interface* ip = GetCOREInterface();
  std::vector<INode*> made;
  for (PendingNode& p : pending) {
    INode* node = ip->CreateObjectNode(p.object.release());
    if (!p.name.empty()) node->SetName(p.name.c_str());
    if (p.parent >= 0) made[static_cast<std::size_t>(p.parent)]->AttachChild(node, 1);
    node->SetNodeTM(0, p.world);
    made.push_back(node);
  }
  return {true, "", static_cast<int>(made.size())};
}

}  // namespace host::models

// Exporting: each mesh node becomes one Assimp mesh in world space under the
// exported scene's root, with one plain material for all.
#include <assimp/material.h>
#include <assimp/scene.h>
#include <assimp/Exporter.hpp>

#include <algorithm>
#include <cctype>
#include <memory>
#include <string>
#include <vector>

#include "host/core_interface.h"
#include "host/triobject.h"
#include "model_files.h"
#include "model_meshes.h"

namespace host::models {

namespace {

void collect_nodes(INode* node, bool selected_only, std::vector<INode*>& out) {
  for (int i = 0; i < node->NumberOfChildren(); ++i) {
    INode* child = node->GetChildNode(i);
    if (!selected_only || child->Selected()) out.push_back(child);
    collect_nodes(child, selected_only, out);
  }
}

// The node's mesh in world space, or null when its object is no mesh.
aiMesh* world_mesh(INode* node) {
  Object* object = node->EvalWorldState(0).obj;
  if (object == nullptr || !object->CanConvertToType(triObjectClassID)) return nullptr;
  auto* tri = static_cast<TriObject*>(object->ConvertToType(0, triObjectClassID));
  if (tri == nullptr) return nullptr;
  aiMesh* mesh = nullptr;
  if (tri->GetMesh().getNumFaces() > 0)
    mesh = assimp_from_mesh(tri->GetMesh(), node->GetObjTMAfterWSM(0), node->GetName());
  if (tri != object) tri->DeleteThis();
  return mesh;
}

aiMaterial* plain_material() {
  auto* material = new aiMaterial;
  aiString name("Default");
  material->AddProperty(&name, AI_MATKEY_NAME);
  aiColor3D grey(0.8f, 0.8f, 0.8f);
  material->AddProperty(&grey, 1, AI_MATKEY_COLOR_DIFFUSE);
  return material;
}

std::unique_ptr<aiScene> scene_of(const std::vector<std::pair<INode*, aiMesh*>>& meshes, bool y_up) {
  auto scene = std::make_unique<aiScene>();
  scene->mRootNode = new aiNode("Scene Root");
  // glTF's up is +y: the root turns the scene's +z up to it (x stays, y goes to -z).
  if (y_up) scene->mRootNode->mTransformation = aiMatrix4x4(1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1);
  scene->mNumMaterials = 1;
  scene->mMaterials = new aiMaterial* [1] { plain_material() };
  const unsigned n = static_cast<unsigned>(meshes.size());
  scene->mNumMeshes = n;
  scene->mMeshes = new aiMesh*[n];
  scene->mRootNode->mNumChildren = n;
  scene->mRootNode->mChildren = new aiNode*[n];
  for (unsigned i = 0; i < n; ++i) {
    scene->mMeshes[i] = meshes[i].second;
    auto* child = new aiNode(meshes[i].first->GetName());
    child->mParent = scene->mRootNode;
    child->mNumMeshes = 1;
    child->mMeshes = new unsigned[1]{i};
    scene->mRootNode->mChildren[i] = child;
  }
  return scene;
}

}  // namespace

std::string export_format_for(const std::string& path) {
  std::size_t dot = path.find_last_of('.');
  if (dot == std::string::npos || path.find('/', dot) != std::string::npos) return "";
  std::string ext = path.substr(dot + 1);
  std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return std::tolower(c); });
  if (ext == "obj" || ext == "ply" || ext == "stl") return ext;
  if (ext == "gltf") return "gltf2";
  if (ext == "glb") return "glb2";
  return "";
}

Outcome export_model_file(const std::string& path, const std::string& format_id, bool selected_only) {
  std::vector<INode*> nodes;
  collect_nodes(GetCOREInterface()->GetRootNode(), selected_only, nodes);
  std::vector<std::pair<INode*, aiMesh*>> meshes;
  for (INode* node : nodes) {
    aiMesh* mesh = world_mesh(node);
    if (mesh != nullptr) meshes.push_back({node, mesh});
  }
  bool gltf = format_id == "gltf2" || format_id == "glb2";
  std::unique_ptr<aiScene> scene = scene_of(meshes, gltf);  // owns the meshes from here on
  if (meshes.empty()) return {false, "the scene has no mesh to export", 0};

  Assimp::Exporter exporter;
  if (exporter.Export(scene.get(), format_id, path) != aiReturn_SUCCESS)
    return {false, exporter.GetErrorString(), 0};
  return {true, "", static_cast<int>(meshes.size())};
}

}  // namespace host::models

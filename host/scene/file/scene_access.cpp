// The scene file's way into nodes and the scene.
#include "scene_access.h"

#include <algorithm>
#include <memory>

#include "../scene_internal.h"

INode* SceneFileAccess::add_node(Object* object, INode* parent, const scenefile::NodeRow& row, Mtl* mtl) {
  Scene& scene = Scene::get();
  auto node = std::unique_ptr<INode>(new INode(object, false));
  INode* n = node.get();
  n->name_ = row.name;
  n->local_tm_ = row.local_tm;
  n->offset_pos_ = row.offset_pos;
  n->offset_rot_ = row.offset_rot;
  n->offset_scale_ = row.offset_scale;
  n->hidden_ = row.hidden;
  n->cast_shadows_ = row.cast_shadows;
  n->receive_shadows_ = row.receive_shadows;
  n->renderable_ = row.renderable;
  n->wire_color_ = row.wire_color;
  n->mtl_ = mtl;
  scene.insert(std::move(node), parent, -1);
  n->selected_ = row.selected;
  return n;
}

std::vector<scenefile::XRefRow> SceneFileAccess::xrefs(int* next_id) {
  INode* root = Scene::get().GetRootNode();
  *next_id = root->next_xref_id_;
  std::vector<scenefile::XRefRow> rows;
  for (const auto& x : root->xrefs_) rows.push_back({x.file, x.id, x.resolved});
  return rows;
}

void SceneFileAccess::set_xrefs(const std::vector<scenefile::XRefRow>& rows, int next_id) {
  INode* root = Scene::get().GetRootNode();
  root->xrefs_.clear();
  for (const scenefile::XRefRow& x : rows) root->xrefs_.push_back({x.file, x.resolved, x.id});
  root->next_xref_id_ = next_id;
}

void SceneFileAccess::remove_all_nodes() {
  Scene& scene = Scene::get();
  std::vector<INode*> nodes = scene.nodes();
  // Children before their parents: the reverse of parents-first order.
  std::reverse(nodes.begin(), nodes.end());
  for (INode* node : nodes) {
    Object* object = node->object_;
    if (auto* stack = dynamic_cast<IDerivedObject*>(object)) {
      for (int i = 0; i < stack->NumModifiers(); ++i) scene.registry().object_deleted(stack->GetModifier(i));
      scene.registry().object_deleted(stack->FindBaseObject());
    }
    std::unique_ptr<INode> owned = scene.remove(node);
    scene.registry().object_deleted(object);
  }
}

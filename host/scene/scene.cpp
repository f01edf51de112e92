// The scene: its nodes, their names, deletion and the selection.
#include <strings.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "host/control.h"
#include "host/hold.h"
#include "host/script_time.h"
#include "host/triobject.h"
#include "light_objects.h"
#include "node_restores.h"
#include "scene_internal.h"

// Depth first, without recursion: hierarchies may be as deep as scripts make them.
void add_subtree(INode* node, std::vector<INode*>& out) {
  std::vector<std::pair<INode*, int>> stack{{node, 0}};
  while (!stack.empty()) {
    auto& [parent, next] = stack.back();
    if (next == parent->NumberOfChildren()) {
      stack.pop_back();
      continue;
    }
    INode* child = parent->GetChildNode(next++);
    out.push_back(child);
    stack.emplace_back(child, 0);
  }
}

namespace {

int index_among_siblings(INode* node) {
  INode* parent = node->GetParentNode();
  for (int i = 0; i < parent->NumberOfChildren(); ++i)
    if (parent->GetChildNode(i) == node) return i;
  return -1;
}

}  // namespace

Scene& Scene::get() {
  static Scene* scene = new Scene;  // outlives the script values that wrap its nodes
  return *scene;
}

Interface* GetCOREInterface() { return &Scene::get(); }

namespace {

// Whatever frees a scene object (a node, its modifiers, a controller), the
// script value that stands for it learns it is gone and stops reaching it.
void forget_wrapper(Animatable* object) { Scene::get().registry().object_deleted(object); }

}  // namespace

Scene::Scene() : root_(new INode(nullptr, true)) {
  root_->name_ = "Scene Root";
  set_animatable_destroy_hook(forget_wrapper);
}

// The scene's own objects go last, at exit, with no script left to tell.
Scene::~Scene() { set_animatable_destroy_hook(nullptr); }

TimeValue Scene::GetTime() { return host_slider_time(); }

std::vector<INode*> Scene::nodes() const {
  std::vector<INode*> out;
  add_subtree(root_.get(), out);
  return out;
}

bool Scene::contains(const INode* node) const {
  return std::any_of(owned_.begin(), owned_.end(), [node](const auto& n) { return n.get() == node; });
}

INode* Scene::GetINodeByName(const char* name) {
  for (INode* node : nodes())
    if (strcasecmp(node->GetName(), name) == 0) return node;
  return nullptr;
}

std::string Scene::unique_name(const std::string& base) const {
  int highest = 0;
  for (const auto& node : owned_) {
    const std::string& name = node->name_;
    if (name.size() != base.size() + 3 || strncasecmp(name.c_str(), base.c_str(), base.size()) != 0) continue;
    const char* digits = name.c_str() + base.size();
    if (!std::all_of(digits, digits + 3, [](char c) { return std::isdigit(static_cast<unsigned char>(c)); }))
      continue;
    highest = std::max(highest, std::atoi(digits));
  }
  char number[16];
  std::snprintf(number, sizeof number, "%03d", highest + 1);
  return base + number;
}

INode* Scene::CreateObjectNode(Object* object) {
  std::string class_name;
  object->GetClassName(class_name);
  // A mesh made from scratch is named as the application names it: Object001.
  if (object->IsSubClassOf(triObjectClassID)) class_name = "Object";
  auto* node = new INode(object, false);
  node->name_ = unique_name(class_name);
  insert(std::unique_ptr<INode>(node), root_.get(), -1);
  if (theHold.Holding()) theHold.Put(new NodeExistenceRestore(node));
  return node;
}

void Scene::DeleteNode(INode* node, BOOL) {
  if (node == nullptr || node->is_root_ || node->deleted_) return;
  INode* parent = node->GetParentNode();
  while (node->NumberOfChildren() > 0) parent->AttachChild(node->GetChildNode(0), 1);
  int index = index_among_siblings(node);
  HeldWrappers held;
  std::unique_ptr<INode> owned = remove(node, &held);
  if (theHold.Holding())
    theHold.Put(new NodeExistenceRestore(std::move(owned), parent, index, held));
  else if (theHold.UndoCount() > 0 || theHold.RedoCount() > 0 || theHold.GetBeginDepth() > 0)
    kept_.push_back(std::move(owned));
  else
    forget_in_exclusion_lists(node);  // freed now
}

void Scene::retire_object(Object* object) {
  if (object == nullptr || !release_object(object)) return;
  if (theHold.Holding() || theHold.UndoCount() > 0 || theHold.RedoCount() > 0 || theHold.GetBeginDepth() > 0)
    kept_objects_.emplace_back(object);
  else
    object->DeleteThis();
}

void Scene::keep_loose_modifier(Modifier* mod) { loose_modifiers_.emplace_back(mod); }

void Scene::ControlDeleter::operator()(Control* c) const { c->DeleteThis(); }

void Scene::keep_controller(Control* control) { kept_controllers_.emplace_back(control); }

void Scene::adopt_modifier(Modifier* mod) {
  for (auto it = loose_modifiers_.begin(); it != loose_modifiers_.end(); ++it)
    if (it->get() == mod) {
      it->release();
      loose_modifiers_.erase(it);
      return;
    }
}

bool Scene::modifier_in_use(Modifier* mod) const {
  for (const auto& m : loose_modifiers_)
    if (m.get() == mod) return false;
  return true;
}

void Scene::retire_modifier(Modifier* mod) {
  if (theHold.Holding() || theHold.UndoCount() > 0 || theHold.RedoCount() > 0 || theHold.GetBeginDepth() > 0)
    kept_modifiers_.emplace_back(mod);
  else
    mod->DeleteThis();
}

void Scene::wrap_in_stack(INode* node, IDerivedObject* stack, Object* base) {
  std::vector<INode*> sharing = nodes_showing(base);
  if (std::find(sharing.begin(), sharing.end(), node) == sharing.end()) sharing.push_back(node);
  // The nodes' holds on the base become the stack's one hold; each node
  // holds the stack instead.
  stack->SetObjRef(base);
  for (std::size_t i = 1; i < sharing.size(); ++i) {
    release_object(base);
    share_object(stack);
  }
  for (INode* n : sharing) {
    n->object_ = stack;
    n->world_state_.reset();
  }
}

void Scene::share_object(Object* object) {
  if (object != nullptr) ++extra_holders_[object];
}

bool Scene::release_object(Object* object) {
  auto found = extra_holders_.find(object);
  if (found == extra_holders_.end()) return true;
  if (--found->second == 0) extra_holders_.erase(found);
  return false;
}

std::vector<INode*> Scene::nodes_showing(Object* object) const {
  std::vector<INode*> out;
  for (INode* n : nodes())
    if (n->object_ == object) out.push_back(n);
  return out;
}

void Scene::revive(INode* node, HeldWrappers& held) {
  registry_.put_back(held.node, node);
  registry_.put_back(held.object, node->object_);
  held = HeldWrappers{};
}

std::unique_ptr<INode> Scene::remove(INode* node, HeldWrappers* held) {
  auto& siblings = node->parent_->children_;
  siblings.erase(std::find(siblings.begin(), siblings.end(), node));
  node->selected_ = false;
  node->deleted_ = true;
  HostObjectWrapper* node_wrapper = registry_.take_out(node);
  // An instance's object stays in the scene with the other instances.
  HostObjectWrapper* object_wrapper =
      nodes_showing(node->object_).empty() ? registry_.take_out(node->object_) : nullptr;
  if (held != nullptr) *held = HeldWrappers{node_wrapper, object_wrapper};
  auto found = std::find_if(owned_.begin(), owned_.end(), [node](const auto& p) { return p.get() == node; });
  std::unique_ptr<INode> owned = std::move(*found);
  owned_.erase(found);
  return owned;
}

void Scene::insert(std::unique_ptr<INode> node, INode* parent, int index) {
  INode* n = node.get();
  owned_.push_back(std::move(node));
  n->deleted_ = false;
  auto& siblings = parent->children_;
  if (index < 0 || index > static_cast<int>(siblings.size())) index = static_cast<int>(siblings.size());
  siblings.insert(siblings.begin() + index, n);
  n->parent_ = parent;
}

int Scene::GetSelNodeCount() {
  int count = 0;
  for (INode* node : nodes()) count += node->selected_ ? 1 : 0;
  return count;
}

INode* Scene::GetSelNode(int i) {
  for (INode* node : nodes())
    if (node->selected_ && i-- == 0) return node;
  return nullptr;
}

void Scene::SelectNode(INode* node, int clearSel) {
  if (clearSel) ClearNodeSelection();
  if (node != nullptr && !node->is_root_ && !node->deleted_) node->selected_ = true;
}

void Scene::DeselectNode(INode* node) {
  if (node != nullptr) node->selected_ = false;
}

void Scene::ClearNodeSelection(BOOL) {
  for (INode* node : nodes()) node->selected_ = false;
}

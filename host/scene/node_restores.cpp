// Undo and redo of node changes.
#include <algorithm>
#include <utility>

#include "node_restores.h"
#include "scene_internal.h"

namespace {

// The parent to link below: the root in place of one deleted outside any hold.
INode* live_parent(INode* parent) { return parent->IsDeleted() ? Scene::get().GetRootNode() : parent; }

}  // namespace

NodeStateRestore::NodeStateRestore(INode* node) : node_(node), state_(node->state()) {}

void NodeStateRestore::swap() {
  if (node_->IsDeleted()) return;  // deleted outside any hold after the change
  INode::State current = node_->state();
  node_->set_state(state_);
  state_ = std::move(current);
}

void NodeStateRestore::Restore(int) { swap(); }
void NodeStateRestore::Redo() { swap(); }

NodeLinkRestore::NodeLinkRestore(INode* node, INode* parent, int index, const Matrix3& local_tm)
    : node_(node), parent_(parent), index_(index), local_tm_(local_tm) {}

void NodeLinkRestore::swap() {
  if (node_->IsDeleted()) return;
  INode* current_parent = node_->GetParentNode();
  const auto& siblings = current_parent->children_;
  int current_index = static_cast<int>(std::find(siblings.begin(), siblings.end(), node_) - siblings.begin());
  Matrix3 current_tm = node_->local_tm_at(0);
  node_->relink(live_parent(parent_), index_, local_tm_);
  parent_ = current_parent;
  index_ = current_index;
  local_tm_ = current_tm;
}

void NodeLinkRestore::Restore(int) { swap(); }
void NodeLinkRestore::Redo() { swap(); }

NodeExistenceRestore::NodeExistenceRestore(INode* created) : node_(created), created_(true) {}

NodeExistenceRestore::NodeExistenceRestore(std::unique_ptr<INode> deleted, INode* parent, int index,
                                           const Scene::HeldWrappers& held)
    : node_(deleted.get()),
      owned_(std::move(deleted)),
      parent_(parent),
      index_(index),
      created_(false),
      held_(held) {}

void NodeExistenceRestore::mark(void* self) {
  auto* r = static_cast<NodeExistenceRestore*>(self);
  if (r->held_.node != nullptr) gc_mark(r->held_.node);
  if (r->held_.object != nullptr) gc_mark(r->held_.object);
}

void NodeExistenceRestore::take_out() {
  if (node_->IsDeleted()) return;
  parent_ = node_->GetParentNode();
  const auto& siblings = parent_->children_;
  index_ = static_cast<int>(std::find(siblings.begin(), siblings.end(), node_) - siblings.begin());
  owned_ = Scene::get().remove(node_, &held_);
}

void NodeExistenceRestore::put_back() {
  if (owned_ == nullptr) return;
  Scene::get().insert(std::move(owned_), live_parent(parent_), index_);
  Scene::get().revive(node_, held_);
}

void NodeExistenceRestore::Restore(int) {
  if (created_)
    take_out();
  else
    put_back();
}

void NodeExistenceRestore::Redo() {
  if (created_)
    put_back();
  else
    take_out();
}

NodeObjectRestore::NodeObjectRestore(INode* node, Object* replaced) : node_(node), other_(replaced) {}

// Its wrapper was told when the object left the node.
NodeObjectRestore::~NodeObjectRestore() {
  if (Scene::get().release_object(other_)) other_->DeleteThis();
}

void NodeObjectRestore::swap() {
  std::swap(node_->object_, other_);
  if (Scene::get().nodes_showing(other_).empty()) Scene::get().registry().object_deleted(other_);
  node_changed_class(node_);
}

void NodeObjectRestore::Restore(int) { swap(); }
void NodeObjectRestore::Redo() { swap(); }

NodeControllerRestore::NodeControllerRestore(INode* node,
                                             std::unique_ptr<Control, INode::ControlDeleter> replaced)
    : node_(node), other_(std::move(replaced)) {}

NodeControllerRestore::~NodeControllerRestore() {
  if (other_ != nullptr) Scene::get().keep_controller(other_.release());
}

void NodeControllerRestore::Restore(int) { node_->tm_control_.swap(other_); }
void NodeControllerRestore::Redo() { node_->tm_control_.swap(other_); }

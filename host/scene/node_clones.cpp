// Copying nodes: copy gives the new node a copy of the object, instance
// the same object, and reference the same object under a stack of its own.
//   b2 = copy b pos:[50,0,0]; b3 = instance b; areNodesInstances b b3
//   InstanceMgr.GetInstances b &found
#include <cctype>

#include "host/checks.h"
#include "host/functions.h"
#include "host/hold.h"
#include "host/locals.h"
#include "host/values.h"
#include "key_controllers.h"
#include "look_at_controller.h"
#include "node_values.h"
#include "scene_internal.h"

INode* Scene::clone_node(INode* source, Object* object) {
  std::string stem = source->name_;
  while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back()))) stem.pop_back();
  INode::State state = source->state();
  state.name = unique_name(stem);
  INode* node = CreateObjectNode(object);
  theHold.Suspend();  // undoing the creation undoes the rest
  node->set_state(state);
  if (source->parent_ != nullptr && source->parent_ != node->parent_)
    node->relink(source->parent_, -1, state.local_tm);
  // An animated node's copy moves as it does; a copy of one aiming at a
  // target aims at the same one.
  if (auto* prs = dynamic_cast<host::scene::PRSController*>(source->tm_control_.get()))
    node->tm_control_.reset(prs->clone().release());
  else if (host::scene::LookAtController* look = source->look_at())
    node->tm_control_.reset(look->clone(node).release());
  theHold.Resume();
  return node;
}

namespace {

enum class CloneKind { kCopy, kInstance, kReference };

// The new node's value, with each keyword argument naming a node property
// or an object parameter applied in the order written.
Value* clone(Value** a, int count, CloneKind kind, const char* fn) {
  check_positional_count(fn, 1, a, count);
  INode* source = node_arg(a[0], fn);
  Object* object = source->GetObjectRef();
  if (kind == CloneKind::kCopy) {
    object = static_cast<Object*>(object->Clone());
    if (object == nullptr) throw RuntimeError(host::msg::kCannotCopyNode, a[0]);
  } else {
    Scene::get().share_object(object);
    if (kind == CloneKind::kReference) object = new IDerivedObject(object);
  }
  OneValueLocal result(wrap_node(Scene::get().clone_node(source, object)));
  for (int i = positional_count(a, count) + 1; i + 1 < count; i += 2) {
    Value* key = a[i];
    if (node_property(result.value->tag, key) != nullptr ||
        param_value(object->FindBaseObject(), key) != nullptr)
      result.value->set_property(key, a[i + 1]);
  }
  return result.value;
}

Value* instance_cf(Value** a, int count) { return clone(a, count, CloneKind::kInstance, "instance"); }
Value* reference_cf(Value** a, int count) { return clone(a, count, CloneKind::kReference, "reference"); }

Value* are_nodes_instances_cf(Value** a, int count) {
  check_arg_count("areNodesInstances", 2, count);
  INode* first = node_arg(a[0], "areNodesInstances");
  INode* second = node_arg(a[1], "areNodesInstances");
  return bool_result(first->GetObjectRef() == second->GetObjectRef());
}

// InstanceMgr.GetInstances <node> &<array>: the node's instances (itself
// among them), the newest first; returns how many.
Value* get_instances_cf(Value** a, int count) {
  check_arg_count("GetInstances", 2, count);
  INode* source = node_arg(a[0], "GetInstances");
  std::vector<INode*> sharing = Scene::get().nodes_showing(source->GetObjectRef());
  OneValueLocal found(new Array());
  for (auto it = sharing.rbegin(); it != sharing.rend(); ++it)
    static_cast<Array*>(found.value)->append(wrap_node(*it));
  assign_by_reference(a[1], found.value);
  return Integer::intern(static_cast<int>(sharing.size()));
}

Primitive instance_pf("instance", instance_cf);
Primitive reference_pf("reference", reference_cf);
Primitive are_nodes_instances_pf("areNodesInstances", are_nodes_instances_cf);
Primitive get_instances_pf("GetInstances", "InstanceMgr", get_instances_cf);

}  // namespace

Value* copy_node(Value** a, int count) { return clone(a, count, CloneKind::kCopy, "copy"); }

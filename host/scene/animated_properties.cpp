// Which controller animates which property of a node or object
// ($b.pos.controller, $omni.multiplier.controller), and the key functions
// scripts call on controllers.
#include "controller_values.h"
#include "host/checks.h"
#include "host/values.h"
#include "light_objects.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

bool is_named(Value* prop, const char* name) { return prop == Name::intern(name); }

}  // namespace

Value* NodeValue::get_property_controller(Value* prop) {
  INode* n = checked_node();
  if (is_named(prop, "pos") || is_named(prop, "position"))
    return wrap_controller(this, n->GetTMController()->GetPositionController());
  if (is_named(prop, "rotation")) return wrap_controller(this, n->GetTMController()->GetRotationController());
  if (is_named(prop, "scale")) return wrap_controller(this, n->GetTMController()->GetScaleController());
  if (is_named(prop, "transform")) return wrap_controller(this, n->GetTMController());
  // The object's animated parameters (a light's colour) show through the node.
  auto* object = dynamic_cast<ObjectValue*>(wrap_object(n->GetObjectRef()->FindBaseObject()));
  return object != nullptr ? object->get_property_controller(prop) : nullptr;
}

Value* ObjectValue::get_property_controller(Value* prop) {
  check_not_deleted();
  if (auto* light = dynamic_cast<StandardLight*>(base_object())) {
    if (is_named(prop, "rgb") || is_named(prop, "color"))
      return wrap_controller(this, light->color_controller());
    if (is_named(prop, "multiplier")) return wrap_controller(this, light->intensity_controller());
  }
  return nullptr;
}

Value* get_node_controller(Value* self) {
  auto* node = static_cast<NodeValue*>(self);
  return wrap_controller(node, node->checked_node()->GetTMController());
}

namespace {

Control* controller_arg(Value* v) { return v->to_controller(); }

// numKeys <controller>: -1 for a controller that takes no keys.
Value* num_keys_cf(Value** a, int count) {
  check_arg_count("numKeys", 1, count);
  return Integer::intern(controller_arg(a[0])->NumKeys());
}

// getKeyTime <controller> <index from 1>
Value* get_key_time_cf(Value** a, int count) {
  check_arg_count("getKeyTime", 2, count);
  Control* c = controller_arg(a[0]);
  int i = a[1]->to_int();
  if (i < 1 || i > c->NumKeys()) throw RuntimeError(host::msg::kKeyIndexOutOfRange, a[1]);
  return new MSTime(c->GetKeyTime(i - 1));
}

// addNewKey <controller> <time>: the key at that time (made when none).
Value* add_new_key_cf(Value** a, int count) {
  check_arg_count_range("addNewKey", 2, 4, count);
  Control* c = controller_arg(a[0]);
  TimeValue t = a[1]->to_timevalue();
  if (c->NumKeys() == NOT_KEYFRAMEABLE) throw RuntimeError(host::msg::kControllerTakesNoKeys, a[0]);
  c->AddNewKey(t);
  for (int i = 0; i < c->NumKeys(); ++i)
    if (c->GetKeyTime(i) == t) {
      Value* keys = a[0]->get_property(Name::intern("keys"));
      Value* index = Integer::intern(i + 1);
      return keys->get_vf(&index, 1);
    }
  return &ok;
}

// deleteKeys <controller> [#allKeys]
Value* delete_keys_cf(Value** a, int count) {
  check_arg_count_range("deleteKeys", 1, 2, count);
  controller_arg(a[0])->DeleteKeys();
  return &ok;
}

// getKey <controller> <index from 1>
Value* get_key_cf(Value** a, int count) {
  check_arg_count("getKey", 2, count);
  controller_arg(a[0]);
  Value* keys = a[0]->get_property(Name::intern("keys"));
  if (keys == &undefined) throw RuntimeError(host::msg::kControllerTakesNoKeys, a[0]);
  return keys->get_vf(&a[1], 1);
}

Primitive num_keys_pf("numKeys", num_keys_cf);
Primitive get_key_time_pf("getKeyTime", get_key_time_cf);
Primitive add_new_key_pf("addNewKey", add_new_key_cf);
Primitive delete_keys_pf("deleteKeys", delete_keys_cf);
Primitive get_key_pf("getKey", get_key_cf);

}  // namespace

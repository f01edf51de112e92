// Script functions on scene nodes: delete, hide, move, rotate, scale,
// getNodeByName, isDeleted, isValidNode and the selection.
#include <strings.h>

#include <algorithm>
#include <functional>

#include "../runtime/geometry_internal.h"
#include "host/checks.h"
#include "host/globals.h"
#include "host/locals.h"
#include "host/max_commands.h"
#include "host/script_time.h"
#include "node_transforms.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

// Calls act on the node v stands for, or on each node of an array.
void for_each_node(Value* v, const char* fn, const std::function<void(INode*)>& act) {
  if (v->tag == &Array_class) {
    auto* array = static_cast<Array*>(v);
    for (int i = 0; i < array->size; ++i) act(node_arg(array->data[i], fn));
    return;
  }
  act(node_arg(v, fn));
}

Value* delete_cf(Value** arg_list, int count) {
  check_arg_count("delete", 1, count);
  std::vector<INode*> doomed;
  // Each once: a node named twice would be gone by its second turn.
  for_each_node(arg_list[0], "delete", [&](INode* n) {
    if (std::find(doomed.begin(), doomed.end(), n) == doomed.end()) doomed.push_back(n);
  });
  for (INode* n : doomed) Scene::get().DeleteNode(n);
  return &ok;
}

Value* is_deleted_cf(Value** arg_list, int count) {
  check_arg_count("isDeleted", 1, count);
  auto* w = dynamic_cast<HostObjectWrapper*>(arg_list[0]);
  return bool_result(w != nullptr && w->is_deleted());
}

Value* is_valid_node_cf(Value** arg_list, int count) {
  check_arg_count("isValidNode", 1, count);
  return bool_result(is_node_value(arg_list[0]) && !static_cast<NodeValue*>(arg_list[0])->is_deleted());
}

Value* hide_cf(Value** arg_list, int count) {
  check_arg_count("hide", 1, count);
  for_each_node(arg_list[0], "hide", [](INode* n) { n->Hide(TRUE); });
  return &ok;
}

Value* unhide_cf(Value** arg_list, int count) {
  check_arg_count("unhide", 1, count);
  for_each_node(arg_list[0], "unhide", [](INode* n) { n->Hide(FALSE); });
  return &ok;
}

// move <nodes> <point3>: by that offset in the world.
Value* move_cf(Value** arg_list, int count) {
  check_arg_count("move", 2, count);
  Point3 offset = arg_list[1]->to_point3();
  for_each_node(arg_list[0], "move", [&](INode* n) {
    Matrix3 tm = n->GetNodeTM(MAXScript_time());
    tm.SetTrans(tm.GetTrans() + offset);
    n->SetNodeTM(MAXScript_time(), tm);
  });
  return &ok;
}

// getNodeByName <string> [exact:<bool>] [all:<bool>]: the first node of that
// name (any case unless exact:true), all of them as an array with all:true.
Value* get_node_by_name_cf(Value** arg_list, int count) {
  check_positional_count("getNodeByName", 1, arg_list, count);
  static Value* exact_key = Name::intern("exact");
  static Value* all_key = Name::intern("all");
  const char* name = arg_list[0]->to_string();
  bool exact = _get_key_arg_or_default(arg_list, count, exact_key, &false_value)->to_bool();
  bool all = _get_key_arg_or_default(arg_list, count, all_key, &false_value)->to_bool();
  OneValueLocal found(all ? new Array() : nullptr);
  for (INode* n : Scene::get().nodes()) {
    bool same = exact ? std::string(n->GetName()) == name : strcasecmp(n->GetName(), name) == 0;
    if (!same) continue;
    if (!all) return wrap_node(n);
    static_cast<Array*>(found.value)->append(wrap_node(n));
  }
  return all ? found.value : &undefined;
}

Value* select_cf(Value** arg_list, int count) {
  check_arg_count("select", 1, count);
  std::vector<INode*> chosen;
  for_each_node(arg_list[0], "select", [&](INode* n) { chosen.push_back(n); });
  Scene::get().ClearNodeSelection();
  for (INode* n : chosen) Scene::get().SelectNode(n, 0);
  return &ok;
}

Value* select_more_cf(Value** arg_list, int count) {
  check_arg_count("selectMore", 1, count);
  for_each_node(arg_list[0], "selectMore", [](INode* n) { Scene::get().SelectNode(n, 0); });
  return &ok;
}

Value* deselect_cf(Value** arg_list, int count) {
  check_arg_count("deselect", 1, count);
  for_each_node(arg_list[0], "deselect", [](INode* n) { Scene::get().DeselectNode(n); });
  return &ok;
}

Value* clear_selection_cf(Value**, int count) {
  check_arg_count("clearSelection", 0, count);
  Scene::get().ClearNodeSelection();
  return &ok;
}

// The collections: a new array of the nodes on every read.
Value* node_array(bool (*keep)(INode*)) {
  OneValueLocal result(new Array());
  for (INode* n : Scene::get().nodes())
    if (keep(n)) static_cast<Array*>(result.value)->append(wrap_node(n));
  return result.value;
}
Value* get_objects() {
  return node_array([](INode*) { return true; });
}
Value* get_geometry() {
  return node_array(
      [](INode* n) { return n->GetObjectRef()->FindBaseObject()->SuperClassID() == GEOMOBJECT_CLASS_ID; });
}
Value* get_selection() {
  return node_array([](INode* n) { return n->Selected() != 0; });
}
Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

void undo_command() { theHold.Undo(); }
void redo_command() { theHold.Redo(); }

struct SceneGlobals {
  SceneGlobals() {
    define_system_global("objects", get_objects, read_only);
    define_system_global("geometry", get_geometry, read_only);
    define_system_global("selection", get_selection, read_only);
    register_max_command("undo", undo_command);
    register_max_command("redo", redo_command);
  }
} scene_globals;

Primitive delete_pf("delete", delete_cf);
Primitive is_deleted_pf("isDeleted", is_deleted_cf);
Primitive is_valid_node_pf("isValidNode", is_valid_node_cf);
Primitive hide_pf("hide", hide_cf);
Primitive unhide_pf("unhide", unhide_cf);
Primitive move_pf("move", move_cf);
Primitive get_node_by_name_pf("getNodeByName", get_node_by_name_cf);
Primitive select_pf("select", select_cf);
Primitive select_more_pf("selectMore", select_more_cf);
Primitive deselect_pf("deselect", deselect_cf);
Primitive clear_selection_pf("clearSelection", clear_selection_cf);

}  // namespace

namespace host::scene {

bool takes_nodes(Value* v) { return v->tag == &Array_class || is_node_value(v); }

// Each node turns about its own pivot; its position stays.
Value* rotate_nodes(Value** arg_list, int count) {
  if (count != 2 && count != 3) throw ArgCountError("rotate", 2, count);
  Quat q = count == 3
               ? host::geometry::quat_from_angle_axis(arg_list[1]->to_float(), arg_list[2]->to_point3())
               : host::geometry::rotation_of(arg_list[1]);
  Matrix3 turn = QuatToMatrix(q);
  for_each_node(arg_list[0], "rotate", [&](INode* n) {
    Matrix3 tm = n->GetNodeTM(MAXScript_time());
    Point3 pos = tm.GetTrans();
    tm.NoTrans();
    tm = tm * turn;
    tm.SetTrans(pos);
    n->SetNodeTM(MAXScript_time(), tm);
  });
  return &ok;
}

// Each node grows about its own pivot along the world axes.
Value* scale_nodes(Value** arg_list, int count) {
  check_arg_count("scale", 2, count);
  Matrix3 grow = ScaleMatrix(arg_list[1]->to_point3());
  for_each_node(arg_list[0], "scale", [&](INode* n) {
    Matrix3 tm = n->GetNodeTM(MAXScript_time());
    Point3 pos = tm.GetTrans();
    tm.NoTrans();
    tm = tm * grow;
    tm.SetTrans(pos);
    n->SetNodeTM(MAXScript_time(), tm);
  });
  return &ok;
}

}  // namespace host::scene

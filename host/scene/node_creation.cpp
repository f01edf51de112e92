// The primitives' script classes; calling one makes a node:
//   box length:20 width:10 pos:[0,0,5] name:"crate" wirecolor:red
#include <functional>
#include <memory>

#include "host/checks.h"
#include "host/hold.h"
#include "host/locals.h"
#include "host/properties.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

// Default wire colours: varied, and the same sequence every run.
DWORD next_wire_color() {
  static unsigned int state = 12345u;
  state = state * 1103515245u + 12345u;
  unsigned int bits = state >> 8;
  return RGB(bits & 0xFF, (bits >> 8) & 0xFF, (bits >> 16) & 0xFF);
}

class ScopedHoldSuspension {
 public:
  ScopedHoldSuspension() { theHold.Suspend(); }
  ~ScopedHoldSuspension() { theHold.Resume(); }
  ScopedHoldSuspension(const ScopedHoldSuspension&) = delete;
  ScopedHoldSuspension& operator=(const ScopedHoldSuspension&) = delete;
};

template <typename T>
Value* create_node(Value** arg_list, int count, const char* fn) {
  return create_param_node(new T, arg_list, count, fn);
}

Value* make_box(Value** a, int count) { return create_node<BoxObject>(a, count, "box"); }
Value* make_sphere(Value** a, int count) { return create_node<SphereObject>(a, count, "sphere"); }
Value* make_cylinder(Value** a, int count) { return create_node<CylinderObject>(a, count, "cylinder"); }
Value* make_plane(Value** a, int count) { return create_node<PlaneObject>(a, count, "plane"); }
Value* make_teapot(Value** a, int count) { return create_node<TeapotObject>(a, count, "teapot"); }

}  // namespace

// Keyword arguments name the object's parameters first; the node then
// takes its name and every node property given (pos:, wirecolor:, ...),
// in the order written. Other keywords are ignored.
Value* create_param_node(Object* made, Value** arg_list, int count, const char* fn) {
  std::unique_ptr<Object> object(made);  // freed if an argument is refused
  check_positional_count(fn, 0, arg_list, count);
  int first_key = positional_count(arg_list, count) + 1;
  ParamList* params = object->GetParamList();
  {
    ScopedHoldSuspension not_recorded;  // the new object is not in the scene yet
    for (int i = first_key; params != nullptr && i + 1 < count; i += 2) {
      int param = params->FindParam(arg_list[i]->to_string());
      if (param < 0) continue;
      params->SetValue(param, to_param_number(params->GetParamDef(param), arg_list[i + 1]));
    }
  }
  return create_node_for(object.release(), arg_list, count, [params](Value* key) {
    return params != nullptr && params->FindParam(key->to_string()) >= 0;
  });
}

Value* create_node_for(Object* object, Value** arg_list, int count,
                       const std::function<bool(Value*)>& taken) {
  int first_key = positional_count(arg_list, count) + 1;
  INode* node = Scene::get().CreateObjectNode(object);
  {
    ScopedHoldSuspension not_recorded;  // undoing the creation undoes its settings
    node->SetWireColor(next_wire_color());
  }
  OneValueLocal result(wrap_node(node));
  for (int i = first_key; i + 1 < count; i += 2) {
    Value* key = arg_list[i];
    if (taken && taken(key)) continue;
    // node_property: classes outside GeometryClass (space warps) have the
    // node properties too.
    if (node_property(result.value->tag, key) != nullptr) result.value->set_property(key, arg_list[i + 1]);
  }
  return result.value;
}

ValueMetaClass Box_class("Box", &GeometryClass_class, make_box);
ValueMetaClass Sphere_class("Sphere", &GeometryClass_class, make_sphere);
ValueMetaClass Cylinder_class("Cylinder", &GeometryClass_class, make_cylinder);
ValueMetaClass Plane_class("Plane", &GeometryClass_class, make_plane);
ValueMetaClass Teapot_class("Teapot", &GeometryClass_class, make_teapot);

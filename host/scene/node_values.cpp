// Scene nodes and their objects as script values, and the node properties.
#include "node_values.h"

#include <algorithm>
#include <cmath>

#include "../runtime/geometry_internal.h"
#include "host/control.h"
#include "host/locals.h"
#include "host/properties.h"
#include "host/script_time.h"
#include "host/triobject.h"
#include "material_values.h"
#include "mesh_values.h"
#include "scene_internal.h"

using host::geometry::matrix_of;
using host::geometry::rotation_of;
using host::geometry::scale_of;

namespace {

INode* self_node(Value* self) { return static_cast<NodeValue*>(self)->checked_node(); }
Matrix3 world_tm(Value* self) { return self_node(self)->GetNodeTM(MAXScript_time()); }
void set_world_tm(Value* self, const Matrix3& tm) { self_node(self)->SetNodeTM(MAXScript_time(), tm); }

// A transform from its parts: scale, then rotation, then position.
Matrix3 compose(const Point3& scale, const Quat& rotation, const Point3& pos) {
  return ScaleMatrix(scale) * QuatToMatrix(rotation) * TransMatrix(pos);
}

Value* get_name(Value* self) { return new String(self_node(self)->GetName()); }
void set_name(Value* self, Value* v) { self_node(self)->SetName(v->to_string()); }

Value* get_pos(Value* self) { return new Point3Value(world_tm(self).GetTrans()); }
void set_pos(Value* self, Value* v) {
  Matrix3 tm = world_tm(self);
  tm.SetTrans(v->to_point3());
  set_world_tm(self, tm);
}


// A top-level node's rotation and scale are its transform controller's
// tracks: the value set is the value read, a mirror's sign stays where it
// was put, and setting one leaves the other alone. (From a transform alone a
// mirror's axis cannot be told: [-1,1,1] and a half turn with [1,-1,-1] look
// the same.) Null for nodes under another node, or without such tracks.
Control* top_level_tm(Value* self) {
  INode* node = self_node(self);
  INode* parent = node->GetParentNode();
  return parent == nullptr || parent->IsRootNode() ? node->GetTMController() : nullptr;
}
Control* scale_track(Value* self) {
  Control* tm = top_level_tm(self);
  return tm != nullptr ? tm->GetScaleController() : nullptr;
}
Control* rotation_track(Value* self) {
  Control* tm = top_level_tm(self);
  return tm != nullptr ? tm->GetRotationController() : nullptr;
}

Value* get_rotation(Value* self) {
  if (Control* track = rotation_track(self)) {
    Quat q;
    Interval valid = FOREVER;
    track->GetValue(MAXScript_time(), &q, valid);
    return new QuatValue(q);
  }
  return new QuatValue(MatrixToQuat(world_tm(self)));
}
void set_rotation(Value* self, Value* v) {
  Quat q = rotation_of(v);
  if (Control* track = rotation_track(self)) {
    track->SetValue(MAXScript_time(), &q);
    return;
  }
  Matrix3 tm = world_tm(self);
  set_world_tm(self, compose(scale_of(tm), q, tm.GetTrans()));
}

Value* get_scale(Value* self) {
  if (Control* track = scale_track(self)) {
    Point3 s;
    Interval valid = FOREVER;
    track->GetValue(MAXScript_time(), &s, valid);
    return new Point3Value(s);
  }
  return new Point3Value(scale_of(world_tm(self)));
}
void set_scale(Value* self, Value* v) {
  Point3 s = v->to_point3();
  if (Control* track = scale_track(self)) {
    track->SetValue(MAXScript_time(), &s);
    return;
  }
  Matrix3 tm = world_tm(self);
  set_world_tm(self, compose(s, MatrixToQuat(tm), tm.GetTrans()));
}

Value* get_transform(Value* self) { return new Matrix3Value(world_tm(self)); }
void set_transform(Value* self, Value* v) { set_world_tm(self, matrix_of(v, "transform")); }

Value* get_object_transform(Value* self) {
  return new Matrix3Value(self_node(self)->GetObjectTM(MAXScript_time()));
}

Value* get_offset_pos(Value* self) { return new Point3Value(self_node(self)->GetObjOffsetPos()); }
void set_offset_pos(Value* self, Value* v) { self_node(self)->SetObjOffsetPos(v->to_point3()); }
Value* get_offset_rot(Value* self) { return new QuatValue(self_node(self)->GetObjOffsetRot()); }
void set_offset_rot(Value* self, Value* v) { self_node(self)->SetObjOffsetRot(rotation_of(v)); }
Value* get_offset_scale(Value* self) { return new Point3Value(self_node(self)->GetObjOffsetScale()); }
void set_offset_scale(Value* self, Value* v) { self_node(self)->SetObjOffsetScale(v->to_point3()); }

Value* get_parent(Value* self) {
  INode* parent = self_node(self)->GetParentNode();
  return parent == nullptr || parent->IsRootNode() ? static_cast<Value*>(&undefined) : wrap_node(parent);
}
void set_parent(Value* self, Value* v) {
  INode* node = self_node(self);
  if (v == &undefined) {
    node->Detach(MAXScript_time());
    return;
  }
  INode* parent = node_arg(v, "parent");
  parent->AttachChild(node);
  if (node->GetParentNode() == parent) return;
  bool descendant = false;
  for (INode* n = parent; n != nullptr; n = n->GetParentNode()) descendant = descendant || n == node;
  throw RuntimeError(descendant ? host::msg::kParentLoop : host::msg::kParentAimsAtChild, v);
}

// The node the transform aims at, or undefined; setting one gives the node
// a LookAt transform controller.
Value* get_target(Value* self) {
  INode* target = self_node(self)->GetTarget();
  return target != nullptr ? wrap_node(target) : static_cast<Value*>(&undefined);
}
void set_target(Value* self, Value* v) {
  INode* node = self_node(self);
  INode* target = v == &undefined ? nullptr : node_arg(v, "target");
  if (!node->SetTarget(target)) throw RuntimeError(host::msg::kTargetLoop, v);
}

Value* get_children(Value* self) {
  INode* node = self_node(self);
  auto* children = new Array(node->NumberOfChildren());
  OneValueLocal keep(children);
  for (int i = 0; i < node->NumberOfChildren(); ++i) children->append(wrap_node(node->GetChildNode(i)));
  return children;
}

int channel(float c) { return static_cast<int>(std::lround(std::clamp(c, 0.0f, 1.0f) * 255.0f)); }
Value* get_wirecolor(Value* self) {
  DWORD c = self_node(self)->GetWireColor();
  return new ColorValue(AColor((c & 0xFF) / 255.0f, ((c >> 8) & 0xFF) / 255.0f, ((c >> 16) & 0xFF) / 255.0f));
}
void set_wirecolor(Value* self, Value* v) {
  AColor c = v->to_acolor();
  self_node(self)->SetWireColor(RGB(channel(c.r), channel(c.g), channel(c.b)));
}

Value* get_hidden(Value* self) { return bool_result(self_node(self)->IsHidden()); }
void set_hidden(Value* self, Value* v) { self_node(self)->Hide(v->to_bool()); }
Value* get_cast_shadows(Value* self) { return bool_result(self_node(self)->CastShadows()); }
void set_cast_shadows(Value* self, Value* v) { self_node(self)->SetCastShadows(v->to_bool()); }
Value* get_receive_shadows(Value* self) { return bool_result(self_node(self)->RcvShadows()); }
void set_receive_shadows(Value* self, Value* v) { self_node(self)->SetRcvShadows(v->to_bool()); }
Value* get_renderable(Value* self) { return bool_result(self_node(self)->Renderable()); }
void set_renderable(Value* self, Value* v) { self_node(self)->SetRenderable(v->to_bool()); }

Value* get_selected(Value* self) { return bool_result(self_node(self)->Selected()); }
void set_selected(Value* self, Value* v) {
  INode* node = self_node(self);
  if (v->to_bool())
    Scene::get().SelectNode(node, 0);
  else
    Scene::get().DeselectNode(node);
}

Value* get_base_object(Value* self) { return wrap_object(self_node(self)->GetObjectRef()->FindBaseObject()); }

// Listed by neither getPropNames nor showProperties of a node: those give
// its object's parameters, as the application's do.
PropertyTable node_properties{
    {"name", "string", get_name, set_name, true},
    {"pos", "point3", get_pos, set_pos, true},
    {"position", "point3", get_pos, set_pos, true},
    {"rotation", "quat", get_rotation, set_rotation, true},
    {"scale", "point3", get_scale, set_scale, true},
    {"transform", "matrix3", get_transform, set_transform, true},
    {"objectTransform", "matrix3", get_object_transform, nullptr, true},
    {"objectOffsetPos", "point3", get_offset_pos, set_offset_pos, true},
    {"objectOffsetRot", "quat", get_offset_rot, set_offset_rot, true},
    {"objectOffsetScale", "point3", get_offset_scale, set_offset_scale, true},
    {"parent", "node", get_parent, set_parent, true},
    {"children", "array", get_children, nullptr, true},
    {"target", "node", get_target, set_target, true},
    {"wirecolor", "color", get_wirecolor, set_wirecolor, true},
    {"isHidden", "boolean", get_hidden, set_hidden, true},
    {"castShadows", "boolean", get_cast_shadows, set_cast_shadows, true},
    {"receiveShadows", "boolean", get_receive_shadows, set_receive_shadows, true},
    {"renderable", "boolean", get_renderable, set_renderable, true},
    {"isSelected", "boolean", get_selected, set_selected, true},
    {"baseObject", "object", get_base_object, nullptr, true},
    {"mesh", "TriMesh", get_node_mesh, nullptr, true},
    {"modifiers", "array", get_node_modifiers, nullptr, true},
    {"controller", "controller", get_node_controller, nullptr, true},
    {"material", "material", get_node_material, set_node_material, true},
};

ValueMetaClass* class_of_object(Object* object) {
  Class_ID id = object->ClassID();
  if (id == Class_ID(BOXOBJ_CLASS_ID, 0)) return &Box_class;
  if (id == Class_ID(SPHERE_CLASS_ID, 0)) return &Sphere_class;
  if (id == Class_ID(CYLINDER_CLASS_ID, 0)) return &Cylinder_class;
  if (id == PLANE_CLASS_ID) return &Plane_class;
  if (id == TEAPOT_CLASS_ID) return &Teapot_class;
  if (object->IsSubClassOf(triObjectClassID)) return &Editable_Mesh_class;
  if (ValueMetaClass* c = class_of_light_or_camera(object)) return c;
  if (ValueMetaClass* c = class_of_scene_extra(object)) return c;
  if (object->SuperClassID() == GEOMOBJECT_CLASS_ID) return &GeometryClass_class;
  return &MAXNode_class;
}

Value* get_param(Object* object, Value* prop) { return param_value(object->FindBaseObject(), prop); }

bool set_param(Object* object, Value* prop, Value* v) {
  return set_param_value(object->FindBaseObject(), prop, v);
}

// A light's or camera's properties live in its class's tables.
bool has_class_properties(Object* object) {
  SClass_ID super = object->SuperClassID();
  return (super == LIGHT_CLASS_ID || super == CAMERA_CLASS_ID) && class_of_light_or_camera(object) != nullptr;
}

void param_names(Object* object, std::vector<Value*>& names) {
  object = object->FindBaseObject();
  add_param_names(object, names);
  if (!has_class_properties(object)) return;
  ValueMetaClass* tag = class_of_object(object);
  for (ValueMetaClass* c = tag; c != nullptr; c = c->superclass) {
    if (c->properties == nullptr || c == &GeometryClass_class) continue;
    for (const PropertyTable::Entry& e : c->properties->entries())
      if (!e.alias && find_property(tag, e.name) == &e) names.push_back(e.name);
  }
}

}  // namespace

ValueMetaClass GeometryClass_class("GeometryClass", &MAXNode_class, nullptr, &node_properties);

NodeValue::NodeValue(WrapperRegistry* registry, void* node) : HostObjectWrapper(registry, node) {
  tag = class_of_object(this->node()->GetObjectRef()->FindBaseObject());
}

INode* NodeValue::checked_node() {
  check_not_deleted();
  return node();
}

void NodeValue::sprin1(CharStream* s) {
  if (is_deleted()) {
    s->puts(host::msg::kDeletedNodePrint);
    return;
  }
  Point3 p = node()->GetNodeTM(MAXScript_time()).GetTrans();
  // The listener spells the editable mesh's class with a capital M here.
  const char* class_name = tag == &Editable_Mesh_class ? "Editable_Mesh" : tag->name;
  s->printf("$%s:%s @ [%f,%f,%f]", class_name, node()->GetName(), p.x, p.y, p.z);
}

const PropertyTable::Entry* node_property(ValueMetaClass* tag, Value* prop) {
  if (const PropertyTable::Entry* e = find_property(tag, prop)) return e;
  return node_properties.find(prop);
}

Value* NodeValue::get_property(Value* prop) {
  INode* n = checked_node();
  if (const PropertyTable::Entry* e = node_property(tag, prop)) return e->get(this);
  if (Value* v = get_param(n->GetObjectRef(), prop)) return v;
  throw AccessorError(this, prop);
}

Value* NodeValue::set_property(Value* prop, Value* new_value) {
  INode* n = checked_node();
  if (const PropertyTable::Entry* e = node_property(tag, prop)) {
    if (e->set == nullptr) throw AccessorError(this, prop);
    e->set(this, new_value);
    return new_value;
  }
  if (set_param(n->GetObjectRef(), prop, new_value)) return new_value;
  throw AccessorError(this, prop);
}

void NodeValue::get_prop_names(std::vector<Value*>& names) {
  param_names(checked_node()->GetObjectRef(), names);
}

ObjectValue::ObjectValue(WrapperRegistry* registry, void* object) : HostObjectWrapper(registry, object) {
  tag = class_of_object(base_object());
}

void ObjectValue::sprin1(CharStream* s) {
  if (is_deleted()) {
    s->puts(host::msg::kDeletedObjectPrint);
    return;
  }
  s->puts(tag->name);
}

Value* ObjectValue::get_property(Value* prop) {
  check_not_deleted();
  if (has_class_properties(base_object()) && find_property(tag, prop) != nullptr)
    return Value::get_property(prop);
  if (Value* v = get_param(base_object(), prop)) return v;
  throw AccessorError(this, prop);
}

Value* ObjectValue::set_property(Value* prop, Value* new_value) {
  check_not_deleted();
  if (has_class_properties(base_object()) && find_property(tag, prop) != nullptr)
    return Value::set_property(prop, new_value);
  if (set_param(base_object(), prop, new_value)) return new_value;
  throw AccessorError(this, prop);
}

void ObjectValue::get_prop_names(std::vector<Value*>& names) {
  check_not_deleted();
  param_names(base_object(), names);
}

Value* wrap_node(INode* node) {
  return Scene::get().registry().wrap(
      node, [](WrapperRegistry* r, void* n) -> HostObjectWrapper* { return new NodeValue(r, n); });
}

Value* wrap_object(Object* object) {
  return Scene::get().registry().wrap(
      object, [](WrapperRegistry* r, void* o) -> HostObjectWrapper* { return new ObjectValue(r, o); });
}

void node_changed_class(INode* node) {
  if (HostObjectWrapper* w = Scene::get().registry().find(node))
    w->tag = class_of_object(node->GetObjectRef()->FindBaseObject());
}

bool is_node_value(Value* v) { return dynamic_cast<NodeValue*>(v) != nullptr; }

INode* node_arg(Value* v, const char* fn) {
  auto* node = dynamic_cast<NodeValue*>(v);
  if (node == nullptr) throw TypeError(fn, v, &MAXNode_class);
  return node->checked_node();
}

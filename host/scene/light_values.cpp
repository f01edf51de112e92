// Lights and cameras as scripts see them: the classes omniLight,
// targetSpot, directionalLight, targetObject and freeCamera, their
// properties (on the node and on its base object), and the lights and
// cameras collections.
//   omniLight rgb:(color 255 200 100) multiplier:2 castShadows:true pos:[0,0,50]
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "host/checks.h"
#include "host/functions.h"
#include "host/globals.h"
#include "host/locals.h"
#include "host/properties.h"
#include "host/script_time.h"
#include "host/values.h"
#include "light_objects.h"
#include "node_values.h"
#include "scene_internal.h"

namespace {

constexpr float kDegreesPerRadian = 57.2957795f;

Object* object_of(Value* self) {
  if (auto* node = dynamic_cast<NodeValue*>(self)) return node->checked_node()->GetObjectRef();
  auto* object = static_cast<ObjectValue*>(self);
  object->check_not_deleted();
  return object->base_object();
}
// The light classes' properties are only given to GenLight objects, the
// cameras' to CameraObjects (class_of_light_or_camera).
GenLight* light_of(Value* self) { return static_cast<GenLight*>(object_of(self)); }
CameraObject* camera_of(Value* self) { return static_cast<CameraObject*>(object_of(self)); }

Value* get_type(Value* self) {
  switch (light_of(self)->Type()) {
    case TSPOT_LIGHT:
      return Name::intern("targetSpot");
    case FSPOT_LIGHT:
      return Name::intern("freeSpot");
    case DIR_LIGHT:
      return Name::intern("freeDirect");
    case TDIR_LIGHT:
      return Name::intern("targetDirect");
    default:
      return Name::intern("omni");
  }
}

Value* get_enabled(Value* self) { return bool_result(light_of(self)->GetUseLight()); }
void set_enabled(Value* self, Value* v) { light_of(self)->SetUseLight(v->to_bool() ? 1 : 0); }

Value* get_rgb(Value* self) {
  Point3 c = light_of(self)->GetRGBColor(MAXScript_time());
  return new ColorValue(AColor(c.x, c.y, c.z));
}
void set_rgb(Value* self, Value* v) {
  AColor c = v->to_acolor();
  Point3 rgb(c.r, c.g, c.b);
  light_of(self)->SetRGBColor(MAXScript_time(), rgb);
}

Value* get_multiplier(Value* self) { return new Float(light_of(self)->GetIntensity(MAXScript_time())); }
void set_multiplier(Value* self, Value* v) { light_of(self)->SetIntensity(MAXScript_time(), v->to_float()); }

Value* get_shadows(Value* self) { return bool_result(light_of(self)->GetShadow()); }
void set_shadows(Value* self, Value* v) { light_of(self)->SetShadow(v->to_bool() ? 1 : 0); }

// The list's live nodes; a node deleted since it was listed is left out.
Value* listed_nodes(const ExclList& list) {
  OneValueLocal result(new Array());
  for (int i = 0; i < list.Count(); ++i)
    if (!list[i]->IsDeleted()) static_cast<Array*>(result.value)->append(wrap_node(list[i]));
  return result.value;
}

Value* get_exclude_list(Value* self) {
  GenLight* light = light_of(self);
  return light->Include() ? static_cast<Value*>(&undefined) : listed_nodes(light->GetExclusionList());
}
Value* get_include_list(Value* self) {
  GenLight* light = light_of(self);
  return light->Include() ? listed_nodes(light->GetExclusionList()) : static_cast<Value*>(&undefined);
}

// An array of nodes becomes the light's list (undefined: an empty exclude
// list); setting one kind of list makes the other undefined.
void set_list(Value* self, Value* v, bool include, const char* what) {
  GenLight* light = light_of(self);
  ExclList list = light->GetExclusionList();
  while (list.Count() > 0) list.RemoveNode(0);
  if (v != &undefined) {
    auto* nodes = check_class<Array>(v, &Array_class, what);
    for (int i = 0; i < nodes->size; ++i) list.AddNode(node_arg(nodes->data[i], what));
  }
  list.SetFlag(NT_INCLUDE, include && v != &undefined);
  light->SetExclusionList(list);
}
void set_exclude_list(Value* self, Value* v) { set_list(self, v, false, "excludeList"); }
void set_include_list(Value* self, Value* v) { set_list(self, v, true, "includeList"); }

// 1 illumination, 2 shadow casting, 3 both.
Value* get_incl_excl_type(Value* self) {
  const ExclList& list = light_of(self)->GetExclusionList();
  bool illum = list.TestFlag(NT_AFFECT_ILLUM), shadow = list.TestFlag(NT_AFFECT_SHADOWCAST);
  return Integer::intern(illum && !shadow ? 1 : !illum && shadow ? 2 : 3);
}
void set_incl_excl_type(Value* self, Value* v) {
  int type = check_int_in_range(v, 1, 3, host::msg::kInclExclTypeRange);
  GenLight* light = light_of(self);
  ExclList list = light->GetExclusionList();
  list.SetFlag(NT_AFFECT_ILLUM, type != 2);
  list.SetFlag(NT_AFFECT_SHADOWCAST, type != 1);
  light->SetExclusionList(list);
}

Value* get_hotspot(Value* self) { return new Float(light_of(self)->GetHotspot(MAXScript_time())); }
void set_hotspot(Value* self, Value* v) { light_of(self)->SetHotspot(MAXScript_time(), v->to_float()); }
Value* get_falloff(Value* self) { return new Float(light_of(self)->GetFallsize(MAXScript_time())); }
void set_falloff(Value* self, Value* v) { light_of(self)->SetFallsize(MAXScript_time(), v->to_float()); }

Value* get_fov(Value* self) {
  return new Float(camera_of(self)->GetFOV(MAXScript_time()) * kDegreesPerRadian);
}
void set_fov(Value* self, Value* v) {
  camera_of(self)->SetFOV(MAXScript_time(), v->to_float() / kDegreesPerRadian);
}

PropertyTable light_properties{
    {"type", "name", get_type},
    {"enabled", "boolean", get_enabled, set_enabled},
    {"on", "boolean", get_enabled, set_enabled, true},
    {"rgb", "color", get_rgb, set_rgb},
    {"color", "color", get_rgb, set_rgb, true},
    {"multiplier", "float", get_multiplier, set_multiplier},
    {"castShadows", "boolean", get_shadows, set_shadows},
    {"excludeList", "array", get_exclude_list, set_exclude_list},
    {"includeList", "array", get_include_list, set_include_list},
    {"inclExclType", "integer", get_incl_excl_type, set_incl_excl_type},
};
PropertyTable cone_properties{
    {"hotspot", "float", get_hotspot, set_hotspot},
    {"falloff", "float", get_falloff, set_falloff},
};
PropertyTable camera_properties{
    {"fov", "float", get_fov, set_fov},
};

// Makes a node showing object, then applies each keyword argument that
// names one of its properties (rgb:, multiplier:, pos:, name:, ...), in the
// order written. Other keywords are ignored.
INode* create_node(Object* made, Value** arg_list, int count, const char* fn) {
  std::unique_ptr<Object> object(made);  // freed if the arguments are refused
  check_positional_count(fn, 0, arg_list, count);
  INode* node = Scene::get().CreateObjectNode(object.release());
  OneValueLocal result(wrap_node(node));
  for (int i = positional_count(arg_list, count) + 1; i + 1 < count; i += 2)
    if (node_property(result.value->tag, arg_list[i]) != nullptr)
      result.value->set_property(arg_list[i], arg_list[i + 1]);
  return node;
}

// A targeted light aims at the node its target: keyword names (set with the
// other keywords), or else at a target of its own at the origin, named
// after it as the application names one made interactively: "Spot001.Target".
void aim_at_target(INode* node, SClass_ID owner, Value** a, int count) {
  if (node->GetTarget() != nullptr) return;
  if (_get_key_arg_or_default(a, count, Name::intern("target"), nullptr) != nullptr) {
    node->SetTarget(nullptr);  // target:undefined: a LookAt transform aiming at nothing
    return;
  }
  INode* target = Scene::get().CreateObjectNode(new TargetObject(owner));
  target->SetName((std::string(node->GetName()) + ".Target").c_str());
  node->SetTarget(target);
}

Value* make_omni(Value** a, int count) {
  return wrap_node(create_node(new StandardLight(OMNI_LIGHT), a, count, "omniLight"));
}
Value* make_target_spot(Value** a, int count) {
  INode* node = create_node(new StandardLight(TSPOT_LIGHT), a, count, "targetSpot");
  aim_at_target(node, LIGHT_CLASS_ID, a, count);
  return wrap_node(node);
}
Value* make_directional(Value** a, int count) {
  return wrap_node(create_node(new StandardLight(DIR_LIGHT), a, count, "directionalLight"));
}
Value* make_target_object(Value** a, int count) {
  return wrap_node(create_node(new TargetObject(0), a, count, "targetObject"));
}
Value* make_free_camera(Value** a, int count) {
  return wrap_node(create_node(new StandardCamera, a, count, "freeCamera"));
}

// A target counts with what aims at it: a spot's target is among the
// lights, whoever made it.
SClass_ID kind_of(INode* n, const std::vector<INode*>& scene) {
  Object* object = n->GetObjectRef();
  auto* target = dynamic_cast<TargetObject*>(object->FindBaseObject());
  if (target == nullptr) return object->SuperClassID();
  for (INode* other : scene)
    if (other->GetTarget() == n) return other->GetObjectRef()->FindBaseObject()->SuperClassID();
  return target->owner_super_class();
}
Value* nodes_of_kind(SClass_ID kind) {
  OneValueLocal result(new Array());
  std::vector<INode*> scene = Scene::get().nodes();
  for (INode* n : scene)
    if (kind_of(n, scene) == kind) static_cast<Array*>(result.value)->append(wrap_node(n));
  return result.value;
}
Value* get_lights() { return nodes_of_kind(LIGHT_CLASS_ID); }
Value* get_cameras() { return nodes_of_kind(CAMERA_CLASS_ID); }
Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

struct LightGlobals {
  LightGlobals() {
    define_system_global("lights", get_lights, read_only);
    define_system_global("cameras", get_cameras, read_only);
  }
} light_globals;

}  // namespace

ValueMetaClass Light_class("light", &MAXNode_class, nullptr, &light_properties);
ValueMetaClass Camera_class("camera", &MAXNode_class);
ValueMetaClass Omnilight_class("Omnilight", &Light_class, make_omni);
ValueMetaClass TargetSpot_class("targetSpot", &Light_class, make_target_spot, &cone_properties);
ValueMetaClass DirectionalLight_class("Directionallight", &Light_class, make_directional, &cone_properties);
ValueMetaClass TargetObject_class("Targetobject", &GeometryClass_class, make_target_object);
ValueMetaClass FreeCamera_class("Freecamera", &Camera_class, make_free_camera, &camera_properties);

ValueMetaClass* class_of_light_or_camera(Object* object) {
  Class_ID id = object->ClassID();
  bool light = dynamic_cast<GenLight*>(object) != nullptr;
  if (id == Class_ID(OMNI_LIGHT_CLASS_ID, 0) && light) return &Omnilight_class;
  if (id == Class_ID(SPOT_LIGHT_CLASS_ID, 0) && light) return &TargetSpot_class;
  if (id == Class_ID(DIR_LIGHT_CLASS_ID, 0) && light) return &DirectionalLight_class;
  if (id == Class_ID(TARGET_CLASS_ID, 0)) return &TargetObject_class;
  if (id == Class_ID(SIMPLE_CAM_CLASS_ID, 0) && dynamic_cast<CameraObject*>(object) != nullptr)
    return &FreeCamera_class;
  if (light) return &Light_class;
  if (object->SuperClassID() == CAMERA_CLASS_ID) return &Camera_class;
  return nullptr;
}

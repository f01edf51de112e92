// The script values of scene nodes and of the objects they show, and the
// script classes of the primitives (Box, Sphere, Cylinder, Plane).
#pragma once

#include <functional>

#include "host/classes.h"
#include "host/host_objects.h"
#include "host/inode.h"
#include "host/modifiers.h"
#include "host/properties.h"
#include "host/simple_objects.h"

// A scene node as scripts see it: $Box:Box001 @ [0.000000,0.000000,0.000000].
// Besides the node's own properties, it reads and sets its object's creation
// parameters ($b.height = 20).
class NodeValue : public HostObjectWrapper {
 public:
  Animatable* GetReference(int i) override {
    return i == 0 && !is_deleted() ? static_cast<INode*>(object()) : nullptr;
  }
  NodeValue(WrapperRegistry* registry, void* node);
  INode* node() const { return static_cast<INode*>(object()); }
  // The node, or "Attempted to access deleted scene object".
  INode* checked_node();
  INode* to_node() override { return checked_node(); }
  Value* get_property_controller(Value* prop) override;
  void sprin1(CharStream* s) override;
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void get_prop_names(std::vector<Value*>& names) override;
};

// A node's base object: its creation parameters.
class ObjectValue : public HostObjectWrapper {
 public:
  Animatable* GetReference(int i) override {
    return i == 0 && !is_deleted() ? static_cast<Object*>(object()) : nullptr;
  }
  ObjectValue(WrapperRegistry* registry, void* object);
  Object* base_object() const { return static_cast<Object*>(object()); }
  Value* get_property_controller(Value* prop) override;
  void sprin1(CharStream* s) override;
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void get_prop_names(std::vector<Value*>& names) override;
};

// $b.controller: the node's transform controller.
Value* get_node_controller(Value* self);

// The one script value of a node / object in the scene.
Value* wrap_node(INode* node);
Value* wrap_object(Object* object);
// The node a value stands for, or a TypeError naming fn; a deleted node
// raises the deleted-object error.
INode* node_arg(Value* v, const char* fn);
bool is_node_value(Value* v);

// Puts object (taken) in the scene on a new node with the next wire colour,
// then sets the node properties that keyword arguments name (pos:, name:,
// wirecolor:, ...) in the order written, skipping the keywords taken says the
// object used already. Returns the node's value.
Value* create_node_for(Object* object, Value** arg_list, int count,
                       const std::function<bool(Value* key)>& taken = {});
// The same for an object that keeps its parameters in a ParamList: the
// keyword arguments naming parameters set them first (unrecorded: the
// object is not in the scene yet). fn names the function in errors.
Value* create_param_node(Object* object, Value** arg_list, int count, const char* fn);
// Puts mod (taken) on the node's stack at index (0 the top), making the
// stack if the node has none; undo takes it off again.
void add_modifier_to(INode* node, Modifier* mod, int index);
// The script class of a particle system, space warp or teapot; null for others.
ValueMetaClass* class_of_scene_extra(Object* object);
// copy <node> [keywords]: a new node with a copy of the node's object.
Value* copy_node(Value** arg_list, int count);
// A property of a node of class tag: its class's (a light's colour) before
// the properties every node has (name, pos, ...); null when it has neither.
const PropertyTable::Entry* node_property(ValueMetaClass* tag, Value* prop);
// The script class of a light, camera or target object; null for others.
ValueMetaClass* class_of_light_or_camera(Object* object);

// An object's or modifier's named parameter (host/param_list.h) as a script
// value, or null when it has no such parameter; setting it gives false then.
Value* param_value(Animatable* object, Value* prop);
bool set_param_value(Animatable* object, Value* prop, Value* v);
// A script value as the number a parameter keeps (a switch: 1 or 0).
float to_param_number(const SimpleParamDef& def, Value* v);
void add_param_names(Animatable* object, std::vector<Value*>& names);

// $b.modifiers: the node's modifiers, the top of the stack first.
Value* get_node_modifiers(Value* self);

extern ValueMetaClass GeometryClass_class;
extern ValueMetaClass Box_class;
extern ValueMetaClass Sphere_class;
extern ValueMetaClass Cylinder_class;
extern ValueMetaClass Plane_class;
extern ValueMetaClass Teapot_class;
extern ValueMetaClass SpacewarpObject_class;

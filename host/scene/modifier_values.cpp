// Modifiers for scripts: the Bend, Uvwmap and Vol__Select classes, modifier
// values (printed class:name, with their parameters, .name and .enabled),
// addModifier, deleteModifier and a node's .modifiers, top first.
#include "host/checks.h"
#include "host/globals.h"
#include "host/hold.h"
#include "host/locals.h"
#include "host/properties.h"
#include "host/streams.h"
#include "host/triobject.h"
#include "host/values.h"
#include "node_values.h"
#include "scene_internal.h"
#include "space_warp_objects.h"
#include "standard_modifiers.h"

namespace {

extern ValueMetaClass Modifier_class;

class ModifierValue : public HostObjectWrapper {
 public:
  ModifierValue(WrapperRegistry* registry, void* mod) : HostObjectWrapper(registry, mod) {
    tag = class_of(modifier());
  }
  Modifier* modifier() const { return static_cast<Modifier*>(object()); }
  Modifier* checked() {
    check_not_deleted();
    return modifier();
  }
  Animatable* GetReference(int i) override { return i == 0 && !is_deleted() ? modifier() : nullptr; }
  Modifier* to_modifier() override { return checked(); }
  void sprin1(CharStream* s) override {
    if (is_deleted()) {
      s->puts(host::msg::kDeletedObjectPrint);
      return;
    }
    s->printf("%s:%s", tag->name, modifier()->GetName().c_str());
  }
  Value* get_property(Value* prop) override {
    Modifier* mod = checked();
    if (find_property(tag, prop) != nullptr) return Value::get_property(prop);
    if (Value* v = param_value(mod, prop)) return v;
    throw AccessorError(this, prop);
  }
  Value* set_property(Value* prop, Value* v) override {
    Modifier* mod = checked();
    if (find_property(tag, prop) != nullptr) return Value::set_property(prop, v);
    if (set_param_value(mod, prop, v)) return v;
    throw AccessorError(this, prop);
  }
  void get_prop_names(std::vector<Value*>& names) override { add_param_names(checked(), names); }
  static ValueMetaClass* class_of(Modifier* mod);
};

Value* wrap_modifier(Modifier* mod) {
  return Scene::get().registry().wrap(
      mod, [](WrapperRegistry* r, void* m) -> HostObjectWrapper* { return new ModifierValue(r, m); });
}

Modifier* modifier_arg(Value* v, const char* fn) {
  auto* value = dynamic_cast<ModifierValue*>(v);
  if (value == nullptr) throw TypeError(fn, v, &Modifier_class);
  return value->checked();
}

// The node's modifier stack, made when it gets its first modifier. It stays
// when the last one goes (the node's evaluation is then its base object's).
IDerivedObject* stack_of(INode* node) {
  if (auto* derived = dynamic_cast<IDerivedObject*>(node->GetObjectRef())) return derived;
  return nullptr;
}

// A modifier put on or taken off a stack; undo does the other.
class ModifierPlaceRestore : public RestoreObj {
 public:
  ModifierPlaceRestore(IDerivedObject* stack, int index, Modifier* removed, ModContext* context)
      : stack_(stack), index_(index), removed_(removed), context_(context) {}
  ~ModifierPlaceRestore() override {
    if (removed_ != nullptr) {
      removed_->DeleteThis();
      delete context_;
    }
  }
  void Restore(int) override { toggle(); }
  void Redo() override { toggle(); }

 private:
  void toggle() {
    if (removed_ != nullptr) {
      stack_->AddModifier(removed_, context_, index_);
      removed_ = nullptr;
      context_ = nullptr;
    } else {
      Scene::get().registry().object_deleted(stack_->GetModifier(index_));
      removed_ = stack_->ReleaseModifier(index_, &context_);
    }
  }
  IDerivedObject* stack_;
  int index_;
  Modifier* removed_;
  ModContext* context_;
};

// addModifier <node> <modifier> [before:<index>]: before counts from the top (1).
Value* add_modifier_cf(Value** a, int count) {
  check_positional_count("addModifier", 2, a, count);
  INode* node = node_arg(a[0], "addModifier");
  auto* value = dynamic_cast<ModifierValue*>(a[1]);
  if (value == nullptr) throw TypeError("addModifier", a[1], &Modifier_class);
  Modifier* mod = value->checked();
  IDerivedObject* stack = stack_of(node);
  for (int i = 0; stack != nullptr && i < stack->NumModifiers(); ++i)
    if (stack->GetModifier(i) == mod) return &ok;
  if (Scene::get().modifier_in_use(mod)) throw RuntimeError(host::msg::kModifierInUse, a[1]);
  Value* before = _get_key_arg_or_default(a, count, Name::intern("before"), nullptr);
  int index = 0;
  if (before != nullptr && before != &unsupplied) index = check_index(before, "before") - 1;
  Scene::get().adopt_modifier(mod);
  add_modifier_to(node, mod, index);
  return &ok;
}

// deleteModifier <node> (<modifier> | <index>)
Value* delete_modifier_cf(Value** a, int count) {
  check_arg_count("deleteModifier", 2, count);
  INode* node = node_arg(a[0], "deleteModifier");
  IDerivedObject* stack = stack_of(node);
  int index = -1;
  if (dynamic_cast<ModifierValue*>(a[1]) != nullptr) {
    Modifier* mod = modifier_arg(a[1], "deleteModifier");
    for (int i = 0; stack != nullptr && i < stack->NumModifiers(); ++i)
      if (stack->GetModifier(i) == mod) index = i;
  } else {
    index = check_index(a[1], "Modifier") - 1;
  }
  if (stack == nullptr || index < 0 || index >= stack->NumModifiers()) return &ok;
  ModContext* context = nullptr;
  Scene::get().registry().object_deleted(stack->GetModifier(index));
  Modifier* removed = stack->ReleaseModifier(index, &context);
  if (theHold.Holding()) {
    theHold.Put(new ModifierPlaceRestore(stack, index, removed, context));
  } else {
    Scene::get().retire_modifier(removed);
    delete context;
  }
  return &ok;
}

Value* get_modifiers(Value* self) {
  INode* node = node_arg(self, "modifiers");
  IDerivedObject* stack = stack_of(node);
  auto* list = new Array(stack != nullptr ? stack->NumModifiers() : 0);
  OneValueLocal keep(list);
  for (int i = 0; stack != nullptr && i < stack->NumModifiers(); ++i)
    list->append(wrap_modifier(stack->GetModifier(i)));
  return list;
}

Value* get_mod_name(Value* self) {
  return new String(static_cast<ModifierValue*>(self)->checked()->GetName().c_str());
}
void set_mod_name(Value* self, Value* v) {
  static_cast<ModifierValue*>(self)->checked()->SetName(v->to_string());
}
Value* get_mod_enabled(Value* self) {
  return bool_result(static_cast<ModifierValue*>(self)->checked()->IsEnabled());
}
void set_mod_enabled(Value* self, Value* v) {
  static_cast<ModifierValue*>(self)->checked()->SetEnabled(v->to_bool());
}

PropertyTable modifier_properties{
    {"name", "string", get_mod_name, set_mod_name},
    {"enabled", "boolean", get_mod_enabled, set_mod_enabled},
};

// A new modifier with its parameters set from the keyword arguments; it
// belongs to no node until addModifier puts it on one.
template <typename T>
Value* make_modifier(Value** a, int count, const char* fn) {
  check_positional_count(fn, 0, a, count);
  auto* mod = new T;
  Scene::get().keep_loose_modifier(mod);
  OneValueLocal value(wrap_modifier(mod));
  for (int i = positional_count(a, count) + 1; i + 1 < count; i += 2) {
    if (a[i] == Name::intern("name")) {
      mod->SetName(a[i + 1]->to_string());
      continue;
    }
    set_param_value(mod, a[i], a[i + 1]);
  }
  return value.value;
}

Value* make_bend(Value** a, int count) { return make_modifier<BendModifier>(a, count, "Bend"); }
Value* make_uvwmap(Value** a, int count) { return make_modifier<UVWMapModifier>(a, count, "Uvwmap"); }
Value* make_vol_select(Value** a, int count) {
  return make_modifier<VolSelectModifier>(a, count, "Vol__Select");
}

ValueMetaClass Modifier_class("modifier", &MAXWrapper_class, nullptr, &modifier_properties);
ValueMetaClass Bend_class("Bend", &Modifier_class, make_bend);
ValueMetaClass Uvwmap_class("Uvwmap", &Modifier_class, make_uvwmap);
ValueMetaClass VolSelect_class("Vol__Select", &Modifier_class, make_vol_select);
// Made only by bindSpaceWarp.
ValueMetaClass GravityBinding_class("GravityBinding", &Modifier_class);
ValueMetaClass RippleBinding_class("RippleBinding", &Modifier_class);

ValueMetaClass* ModifierValue::class_of(Modifier* mod) {
  if (dynamic_cast<BendModifier*>(mod) != nullptr) return &Bend_class;
  if (dynamic_cast<UVWMapModifier*>(mod) != nullptr) return &Uvwmap_class;
  if (dynamic_cast<VolSelectModifier*>(mod) != nullptr) return &VolSelect_class;
  if (dynamic_cast<GravityBinding*>(mod) != nullptr) return &GravityBinding_class;
  if (dynamic_cast<RippleBinding*>(mod) != nullptr) return &RippleBinding_class;
  return &Modifier_class;
}

// The listener also knows Volume Select by the name vol_select.
Value* get_vol_select_class() { return &VolSelect_class; }
Value* set_vol_select_class(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }
struct VolSelectAlias {
  VolSelectAlias() { define_system_global("vol_select", get_vol_select_class, set_vol_select_class); }
} vol_select_alias;

Primitive add_modifier_pf("addModifier", add_modifier_cf);
Primitive delete_modifier_pf("deleteModifier", delete_modifier_cf);

}  // namespace

Value* get_node_modifiers(Value* self) { return get_modifiers(self); }

void add_modifier_to(INode* node, Modifier* mod, int index) {
  IDerivedObject* stack = stack_of(node);
  if (stack == nullptr) {
    // The node's object moves onto a new stack; no undo record: an empty
    // stack evaluates as its object does.
    stack = new IDerivedObject(nullptr);
    Scene::get().wrap_in_stack(node, stack, node->GetObjectRef());
  }
  auto* context = new ModContext;
  ObjectState os = node->EvalWorldState(0);
  if (os.obj != nullptr && os.obj->CanConvertToType(triObjectClassID)) {
    Object* tri = os.obj->ConvertToType(0, triObjectClassID);
    context->box = static_cast<TriObject*>(tri)->GetMesh().getBoundingBox();
    if (tri != os.obj) tri->DeleteThis();
  }
  stack->AddModifier(mod, context, index);
  if (theHold.Holding()) theHold.Put(new ModifierPlaceRestore(stack, index, nullptr, nullptr));
}

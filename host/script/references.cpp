// By-reference arguments: &x makes a ValueRef to a variable, property or
// array element; a by-reference parameter (fn f &x) and *ref read and assign
// through it.
#include "ast.h"

namespace host::script {

ValueMetaClass ValueRef_class("ValueRef");

namespace {

class ValueRef : public Value {
 public:
  enum Kind { Slot, Global, Property, Element };
  ValueRef(Kind k, Frame* f, int s, GlobalCell* c, Value* o, Value* key)
      : kind(k), frame(f), slot(s), cell(c), object(o), key(key) {
    tag = &ValueRef_class;
  }

  Value* get() {
    switch (kind) {
      case Slot:
        return frame->slots[slot];
      case Global:
        return read_global(cell);
      case Property:
        return object->get_property(key);
      case Element:
        return object->get_vf(&key, 1);
    }
    return &undefined;
  }

  Value* set(Value* v) {
    switch (kind) {
      case Slot:
        return frame->slots[slot] = v;
      case Global:
        return assign_global(cell, v);
      case Property:
        object->set_property(key, v);
        return v;
      case Element: {
        Value* args[2] = {key, v};
        object->put_vf(args, 2);
        return v;
      }
    }
    return v;
  }

  void sprin1(CharStream* s) override {
    s->puts("&");
    get()->sprin1(s);
  }

  void gc_trace() override {
    gc_mark(frame);
    gc_mark(object);
    gc_mark(key);
  }

  Kind kind;
  Frame* frame;
  int slot;
  GlobalCell* cell;
  Value* object;
  Value* key;
};

Frame* frame_at(Frame* f, int depth) {
  while (depth-- > 0) f = f->parent;
  return f;
}

ValueRef* as_ref(Value* v) { return v->tag == &ValueRef_class ? static_cast<ValueRef*>(v) : nullptr; }

}  // namespace

Value* RefParamVar::eval(Frame* f) {
  Value* v = LocalVar::eval(f);
  ValueRef* ref = as_ref(v);
  return ref ? ref->get() : v;
}

Value* RefParamVar::assign(Frame* f, Value* v) {
  ValueRef* ref = as_ref(LocalVar::eval(f));
  return ref ? ref->set(v) : LocalVar::assign(f, v);
}

Value* MakeReference::eval(Frame* f) {
  Assignable* t = target.get();
  if (auto* param = dynamic_cast<RefParamVar*>(t)) {
    Value* held = param->LocalVar::eval(f);
    if (as_ref(held)) return held;  // passed on: the caller's own reference
  }
  if (auto* local = dynamic_cast<LocalVar*>(t))
    return new ValueRef(ValueRef::Slot, frame_at(f, local->depth), local->slot, nullptr, nullptr, nullptr);
  if (auto* global = dynamic_cast<GlobalVar*>(t))
    return new ValueRef(ValueRef::Global, nullptr, 0, global->cell, nullptr, nullptr);
  if (auto* deref = dynamic_cast<Dereference*>(t)) return deref->operand->eval(f);
  if (auto* property = dynamic_cast<Property*>(t)) {
    OneValueLocal object(property->object->eval(f));
    return new ValueRef(ValueRef::Property, nullptr, 0, nullptr, object.value, property->prop);
  }
  auto* index = static_cast<Index*>(t);
  ValueLocals<2> parts;
  parts[0] = index->object->eval(f);
  parts[1] = index->index->eval(f);
  return new ValueRef(ValueRef::Element, nullptr, 0, nullptr, parts[0], parts[1]);
}

Value* Dereference::eval(Frame* f) {
  Value* v = operand->eval(f);
  ValueRef* ref = as_ref(v);
  if (ref == nullptr) throw TypeError("*", v, &ValueRef_class);
  return ref->get();
}

Value* Dereference::assign(Frame* f, Value* v) {
  OneValueLocal keep(v);
  Value* target = operand->eval(f);
  ValueRef* ref = as_ref(target);
  if (ref == nullptr) throw TypeError("*", target, &ValueRef_class);
  return ref->set(v);
}

bool assign_reference(Value* ref, Value* v) {
  ValueRef* r = as_ref(ref);
  if (r == nullptr) return false;
  r->set(v);
  return true;
}

}  // namespace host::script

bool assign_by_reference(Value* ref, Value* v) {
  host::script::ValueRef* r = host::script::as_ref(ref);
  if (r == nullptr) return false;
  r->set(v);
  return true;
}

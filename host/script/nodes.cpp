// Evaluation of values, variables, properties and operators.
#include "ast.h"
#include "host/globals.h"
#include "host/host_objects.h"
#include "host/messages.h"

namespace host::script {

// Every node whose evaluation recurses into its operands checks the stack
// first: a generated chain (a[1][1]..., x as integer as integer ...) ends in
// a "Stack overflow" error rather than a crash.

Value* Assignable::update(Frame* f, Value* (*op)(Value*, Value*), Node* rhs) {
  check_stack();
  OneValueLocal old(eval(f));
  Value* r = rhs->eval(f);
  return assign(f, op(old.value, r));
}

void release_chain(NodePtr& link) {
  NodePtr next = std::move(link);
  while (next) {
    // Detached first, so the node's own destructor finds no chain to follow.
    NodePtr* inner = next->chain_link();
    NodePtr after = inner != nullptr ? std::move(*inner) : nullptr;
    next = std::move(after);
  }
}

Value* StringLiteral::eval(Frame*) { return new String(text.c_str(), text.size()); }

Value* ArrayLiteral::eval(Frame* f) {
  check_stack();
  OneValueLocal result(new Array(static_cast<int>(items.size())));
  auto* a = static_cast<Array*>(result.value);
  for (auto& item : items) a->append(item->eval(f));
  return a;
}

// Bit arrays are dense: a literal may not ask for more bits than this.
constexpr int kMaxBitArrayIndex = 1 << 26;

Value* BitArrayLiteral::eval(Frame* f) {
  BitArray bits;
  for (auto& [first, last] : ranges) {
    int from = first->eval(f)->to_int();
    int to = last ? last->eval(f)->to_int() : from;
    if (to - from > kMaxBitArrayIndex || to > kMaxBitArrayIndex)
      throw RuntimeError(msg::kBitArrayIndexTooLarge, Integer::intern(to));
    if (from < 1 || to < 1) check_index(Integer::intern(from < 1 ? from : to), "BitArray");
    for (int i = from; i <= to; ++i) bits.Set(i - 1);
  }
  return new BitArrayValue(bits);
}

Value* PointLiteral::eval(Frame* f) {
  check_stack();
  float c[4] = {};
  for (std::size_t i = 0; i < components.size(); ++i) c[i] = components[i]->eval(f)->to_float();
  if (components.size() == 2) return new Point2Value(Point2(c[0], c[1]));
  if (components.size() == 4) return new Point4Value(Point4(c[0], c[1], c[2], c[3]));
  return new Point3Value(c[0], c[1], c[2]);
}

static Frame* frame_at(Frame* f, int depth) {
  while (depth-- > 0) f = f->parent;
  return f;
}

Value* LocalVar::eval(Frame* f) { return frame_at(f, depth)->slots[slot]; }
Value* LocalVar::assign(Frame* f, Value* v) { return frame_at(f, depth)->slots[slot] = v; }

// owner.prop.controller (or .track, .keys, .isAnimated) asks owner for the
// controller of prop, since owner.prop alone is only the value.
static bool is_controller_query(Value* prop) {
  return prop == Name::intern("controller") || prop == Name::intern("track") ||
         prop == Name::intern("keys") || prop == Name::intern("isAnimated");
}

// The inner property of owner.prop.controller when this place is such a
// query, else null.
static Property* controller_query_of(Property* place) {
  auto* inner = dynamic_cast<Property*>(place->object.get());
  return inner != nullptr && is_controller_query(place->prop) && !is_controller_query(inner->prop) ? inner
                                                                                                   : nullptr;
}

// owner.prop.controller.value = v: the controller changes in place.
Value* Property::modify(Frame* f, PlaceChange& change) {
  if (controller_query_of(this) == nullptr) return PathPlace::modify(f, change);
  OneValueLocal current(eval(f));
  Value* changed = change.apply(current.value);
  if (changed != current.value) throw RuntimeError(host::msg::kControllerNotReplaced, current.value);
  return changed;
}

Value* Property::eval(Frame* f) {
  check_stack();
  if (auto* inner = dynamic_cast<Property*>(object.get());
      inner != nullptr && is_controller_query(prop) && !is_controller_query(inner->prop)) {
    OneValueLocal owner(inner->object->eval(f));
    if (Value* controller = owner.value->get_property_controller(inner->prop)) {
      if (prop == Name::intern("controller") || prop == Name::intern("track")) return controller;
      OneValueLocal c(controller);
      return c.value->get_property(prop);
    }
    return owner.value->get_property(inner->prop)->get_property(prop);
  }
  return object->eval(f)->get_property(prop);
}

Value* Index::eval(Frame* f) {
  check_stack();
  OneValueLocal o(object->eval(f));
  Value* i = index->eval(f);
  return o.value->get_vf(&i, 1);
}

Value* PathPlace::modify(Frame* f, PlaceChange& change) {
  check_stack();
  class Here final : public PlaceChange {
   public:
    Here(PathPlace* place, Frame* frame, PlaceChange& change)
        : PlaceChange(true), place_(place), frame_(frame), change_(change) {}
    Value* apply(Value* owner) override {
      ValueLocals<4> v;
      v[0] = owner;
      v[1] = place_->key(frame_);
      v[2] = change_.needs_current ? place_->read_from(v[0], v[1]) : nullptr;
      v[3] = change_.apply(v[2]);
      stored.value = v[3];
      // A host object (a node's base object, a material) changes in place.
      bool acts_on_owner =
          v[3] == v[2] && (change_.left_unchanged || dynamic_cast<PropertyRef*>(v[3]) != nullptr ||
                           dynamic_cast<HostObjectWrapper*>(v[3]) != nullptr);
      if (!acts_on_owner) place_->store_into(v[0], v[1], v[3]);
      left_unchanged = acts_on_owner;
      return owner;
    }
    OneValueLocal stored;

   private:
    PathPlace* place_;
    Frame* frame_;
    PlaceChange& change_;
  } here(this, f, change);

  if (auto* owner_place = dynamic_cast<PathPlace*>(object.get())) {
    owner_place->modify(f, here);
  } else {
    OneValueLocal owner(object->eval(f));
    here.apply(owner.value);
  }
  return here.stored.value;
}

Value* PathPlace::assign(Frame* f, Value* v) {
  class Set final : public PlaceChange {
   public:
    explicit Set(Value* v) : PlaceChange(false), value(v) {}
    Value* apply(Value*) override { return value.value; }
    OneValueLocal value;
  } set(v);
  modify(f, set);
  return v;
}

Value* PathPlace::update(Frame* f, Value* (*op)(Value*, Value*), Node* rhs) {
  class Combine final : public PlaceChange {
   public:
    Combine(Frame* frame, Value* (*o)(Value*, Value*), Node* r)
        : PlaceChange(true), f(frame), op(o), rhs(r) {}
    Value* apply(Value* current) override {
      OneValueLocal old(current);
      return op(old.value, rhs->eval(f));
    }
    Frame* f;
    Value* (*op)(Value*, Value*);
    Node* rhs;
  } combine(f, op, rhs);
  return modify(f, combine);
}

Value* Assign::eval(Frame* f) {
  check_stack();
  if (op != nullptr) return target->update(f, op, value.get());
  return target->assign(f, value->eval(f));
}

Value* Binary::eval(Frame* f) {
  check_stack();
  OneValueLocal l(left->eval(f));
  Value* r = right->eval(f);
  return op(l.value, r);
}

Value* Negate::eval(Frame* f) {
  check_stack();
  return operand->eval(f)->uminus_vf(nullptr, 0);
}

Value* Logical::eval(Frame* f) {
  check_stack();
  switch (kind) {
    case Not:
      return bool_result(!left->eval(f)->to_bool());
    case And:
      return left->eval(f)->to_bool() ? bool_result(right->eval(f)->to_bool()) : &false_value;
    case Or:
      return left->eval(f)->to_bool() ? &true_value : bool_result(right->eval(f)->to_bool());
  }
  return &undefined;
}

Value* AsConversion::eval(Frame* f) {
  check_stack();
  OneValueLocal v(value->eval(f));
  return convert_as(v.value, target->eval(f));
}

Value* PersistentDeclaration::eval(Frame* f) {
  for (Value* name : names) mark_persistent_global(name);
  return declaration->eval(f);
}

Value* Block::eval(Frame* f) {
  check_stack();
  Value* result = &undefined;
  for (auto& e : body) result = e->eval(f);
  return result;
}

#define OPERATOR(fn, method) \
  Value* fn(Value* a, Value* b) { return a->method(&b, 1); }
OPERATOR(op_plus, plus_vf)
OPERATOR(op_minus, minus_vf)
OPERATOR(op_times, times_vf)
OPERATOR(op_div, div_vf)
OPERATOR(op_pow, pow_vf)
OPERATOR(op_eq, eq_vf)
OPERATOR(op_ne, ne_vf)
OPERATOR(op_lt, lt_vf)
OPERATOR(op_gt, gt_vf)
OPERATOR(op_le, le_vf)
OPERATOR(op_ge, ge_vf)
#undef OPERATOR

}  // namespace host::script

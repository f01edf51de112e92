// Script structs: definitions are class objects, instances hold a frame.
#include "ast.h"
#include "host/messages.h"

namespace host::script {

namespace {

class StructClass;

class StructInstance : public Value {
 public:
  StructInstance(StructClass* definition, Frame* members);
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* v) override;
  void get_prop_names(std::vector<Value*>& names) override;
  void sprin1(CharStream* s) override;
  void gc_trace() override;

 private:
  int slot_of(Value* prop) const;
  StructClass* definition_;
  Frame* members_;
};

class StructClass : public ValueMetaClass {
 public:
  StructClass(std::shared_ptr<StructCode> c, Frame* closure_frame)
      : ValueMetaClass(Unlisted{}, save_string(c->name.c_str())), code(std::move(c)), closure(closure_frame) {
    superclass = &Struct_class;
  }

  // Person "Ann" 3 fills data members in order; name:"Ann" fills one by name.
  // Then on create runs, with every member set.
  Value* apply(Value** arg_list, int count) override {
    int positional = positional_count(arg_list, count);
    OutsideLoops own_initialisers;
    OneValueLocal frame_value(new Frame(code->slot_count, closure));
    auto* frame = static_cast<Frame*>(frame_value.value);
    OneValueLocal instance(new StructInstance(this, frame));
    frame->slots[code->this_slot] = instance.value;
    ClosureScope inside(frame);
    for (auto& init : code->initialisers) init->eval(frame);
    std::size_t member = 0;
    for (int i = 0; i < positional; ++i) {
      while (member < code->members.size() && code->is_method[member]) ++member;
      if (member == code->members.size()) throw ArgCountError(name, i, positional);
      if (code->is_private[member]) throw private_member_error(code->members[member]);
      frame->slots[code->slots[member++]] = arg_list[i];
    }
    for (int i = positional + 1; i + 1 < count; i += 2) {
      int index = index_of(arg_list[i]);
      if (index < 0) throw RuntimeError(msg::kUnknownStructMember, arg_list[i]);
      if (code->is_private[static_cast<std::size_t>(index)]) throw private_member_error(arg_list[i]);
      frame->slots[code->slots[static_cast<std::size_t>(index)]] = arg_list[i + 1];
    }
    if (code->on_create) code->on_create->eval(frame);
    return instance.value;
  }

  RuntimeError private_member_error(Value* member) {
    std::string text = std::string(msg::kPrivateMember) + "\"" + member->to_string() + "\" in: ";
    return RuntimeError(text.c_str(), this);
  }

  void sprin1(CharStream* s) override {
    s->printf("#Struct:%s(", name);
    for (std::size_t i = 0; i < code->members.size(); ++i) {
      if (i > 0) s->puts(", ");
      s->puts(code->spellings[i].c_str());
      if (code->is_method[i]) s->puts("()");
    }
    s->puts(")");
  }

  void gc_trace() override { gc_mark(closure); }

  int index_of(Value* member) const {
    for (std::size_t i = 0; i < code->members.size(); ++i)
      if (code->members[i] == member) return static_cast<int>(i);
    return -1;
  }

  std::shared_ptr<StructCode> code;
  Frame* closure;
};

StructInstance::StructInstance(StructClass* definition, Frame* members)
    : definition_(definition), members_(members) {
  tag = definition;
}

// The frame slot of a public member, -1 for none; a private one raises.
int StructInstance::slot_of(Value* prop) const {
  int index = definition_->index_of(prop);
  if (index < 0) return -1;
  const StructCode& code = *definition_->code;
  int slot = code.slots[static_cast<std::size_t>(index)];
  if (!code.is_private[static_cast<std::size_t>(index)]) return slot;
  for (Frame* f = current_closure(); f != nullptr; f = f->parent)
    if (f == members_) return slot;  // code inside this instance
  throw definition_->private_member_error(prop);
}

Value* StructInstance::get_property(Value* prop) {
  int slot = slot_of(prop);
  if (slot < 0) return Value::get_property(prop);
  return members_->slots[slot];
}

Value* StructInstance::set_property(Value* prop, Value* v) {
  int slot = slot_of(prop);
  if (slot < 0) return Value::set_property(prop, v);
  members_->slots[slot] = v;
  return v;
}

void StructInstance::get_prop_names(std::vector<Value*>& names) {
  for (Value* member : definition_->code->members) names.push_back(member);
}

// Public data members only: (Person name:"Ann" age:0). Instances may reach
// themselves through their members: an inner repeat prints as "(...)".
void StructInstance::sprin1(CharStream* s) {
  PrintNesting nesting(this);
  if (nesting.repeated()) {
    s->puts("(...)");
    return;
  }
  s->printf("(%s", definition_->name);
  const StructCode& code = *definition_->code;
  for (std::size_t i = 0; i < code.members.size(); ++i) {
    if (code.is_method[i] || code.is_private[i]) continue;
    s->printf(" %s:", code.spellings[i].c_str());
    members_->slots[code.slots[i]]->sprin1(s);
  }
  s->puts(")");
}

void StructInstance::gc_trace() {
  gc_mark(definition_);
  gc_mark(members_);
}

}  // namespace

Value* StructDef::eval(Frame* f) { return target->assign(f, new StructClass(code, f)); }

}  // namespace host::script

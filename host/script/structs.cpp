// Script structs: definitions are class objects, instances hold a frame.
#include "ast.h"

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
  Value* apply(Value** arg_list, int count) override {
    int positional = positional_count(arg_list, count);
    OneValueLocal frame_value(new Frame(static_cast<int>(code->members.size()), closure));
    auto* frame = static_cast<Frame*>(frame_value.value);
    OneValueLocal instance(new StructInstance(this, frame));
    for (auto& init : code->initialisers) init->eval(frame);
    std::size_t member = 0;
    for (int i = 0; i < positional; ++i) {
      while (member < code->members.size() && code->is_method[member]) ++member;
      if (member == code->members.size()) throw ArgCountError(name, i, positional);
      frame->slots[member++] = arg_list[i];
    }
    for (int i = positional + 1; i + 1 < count; i += 2) {
      int slot = index_of(arg_list[i]);
      if (slot < 0) throw RuntimeError("Unknown struct member: ", arg_list[i]);
      frame->slots[slot] = arg_list[i + 1];
    }
    return instance.value;
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

int StructInstance::slot_of(Value* prop) const { return definition_->index_of(prop); }

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

void StructInstance::sprin1(CharStream* s) {
  s->printf("(%s", definition_->name);
  const StructCode& code = *definition_->code;
  for (std::size_t i = 0; i < code.members.size(); ++i) {
    if (code.is_method[i]) continue;
    s->printf(" %s:", code.spellings[i].c_str());
    members_->slots[i]->sprin1(s);
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

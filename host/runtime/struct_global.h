// A struct global: a named group of member functions and properties, such as
// IAdvancedLighting.IsActive or scanlineRenderEx.shadows.
#pragma once

#include <vector>

#include "runtime_internal.h"

namespace host {

class StructGlobal : public Value {
 public:
  explicit StructGlobal(const char* struct_name);
  void add_function(Value* member, Value* fn);
  void add_property(Value* member, getter_cf getter, setter_cf setter);
  void remove_member(Value* member, Value* fn);
  // Drops the members whose functions satisfy in_module; returns how many.
  template <typename Pred>
  int remove_if(Pred in_module) {
    auto before = members_.size();
    std::erase_if(members_, [&](const Member& m) { return in_module(m); });
    return static_cast<int>(before - members_.size());
  }
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void get_prop_names(std::vector<Value*>& names) override;
  void sprin1(CharStream* s) override;
  void gc_trace() override;

 public:
  struct Member {
    Value* name;
    Value* fn;
    getter_cf getter;
    setter_cf setter;
  };
 private:
  Member* find(Value* member);
  const char* name_;
  std::vector<Member> members_;
};

}  // namespace host

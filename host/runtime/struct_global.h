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
  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void sprin1(CharStream* s) override;
  void gc_trace() override;

 private:
  struct Member {
    Value* name;
    Value* fn;
    getter_cf getter;
    setter_cf setter;
  };
  Member* find(Value* member);
  const char* name_;
  std::vector<Member> members_;
};

}  // namespace host

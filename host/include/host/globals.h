// The table of script globals.
#pragma once

#include <vector>

#include "host/value.h"

// A global variable's entry. Reading the global evaluates the thunk;
// assigning calls assign_vf with an argument array of the new value.
class GlobalThunk : public Value {
 public:
  GlobalThunk(Value* global_name, Value* init);
  Value* name;
  Value* cell;
  Value* eval() override { return cell; }
  virtual Value* assign_vf(Value** arg_list, int count);
  void gc_trace() override;
};

using getter_cf = Value* (*)();
using setter_cf = Value* (*)(Value* val);

// A global whose reads and assignments call the host's or a module's functions.
class SystemGlobalThunk : public GlobalThunk {
 public:
  SystemGlobalThunk(Value* global_name, getter_cf get, setter_cf set);
  Value* eval() override { return getter(); }
  Value* assign_vf(Value** arg_list, int count) override;
  getter_cf getter;
  setter_cf setter;
};

class GlobalTable {
 public:
  // The thunk of a defined global, or nullptr.
  Value* get(Value* name);
};
extern GlobalTable* globals;

void define_system_global(const char* name, getter_cf getter, setter_cf setter);
// A property of the struct global struct_name (scanlineRenderEx.shadows).
void define_struct_global(const char* name, const char* struct_name, getter_cf getter, setter_cf setter);

// Persistent globals: globals declared with "persistent global", which the
// scene file keeps. Names in the order they were first declared.
void mark_persistent_global(Value* name);
std::vector<Value*> persistent_global_names();
bool is_persistent_global(Value* name);
// The global's value (undefined when it has none).
Value* get_global_value(Value* name);
// Defines the global as a plain global holding v.
void set_global_value(Value* name, Value* v);
// Every persistent global stops being one and is undefined.
void forget_persistent_globals();

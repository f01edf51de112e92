// Script functions and the registrations plug-ins make with static objects.
#pragma once

#include "host/classes.h"
#include "host/value.h"

using value_vf = Value* (Value::*)(Value** arg_list, int count);

class Function : public Value {
 public:
  const char* name;
  const char* struct_name;
  Function(const char* fn_name, const char* structure);
  void sprin1(CharStream* s) override;
};

// A script function backed by a C++ function. The global form becomes a
// script global of its name; the struct form a member of the named struct
// global (IAdvancedLighting.IsActive). Both are undone at unload.
class Primitive : public Function {
 public:
  Primitive(const char* fn_name, value_cf fn, short flags = 0);
  Primitive(const char* fn_name, const char* structure, value_cf fn, short flags = 0);
  ~Primitive() override;
  Value* apply(Value** arg_list, int count) override;
  value_cf fn_ptr;
  short flags;
};

// A function that calls a virtual method of its first argument. Applying it
// with no argument raises ArgCountError("Generic apply", 1, 0).
class Generic : public Function {
 public:
  Generic(const char* fn_name, value_vf fn);
  ~Generic() override;
  Value* apply(Value** arg_list, int count) override;
  value_vf fn_ptr;
};

// Keeps a copy of a text for the rest of the run.
const char* save_string(const char* text);

// Keyword arguments: the value of key: after the keyarg_marker, else def.
Value* _get_key_arg_or_default(Value** arg_list, int count, Value* key_name, Value* def);
// Assigns v through a by-reference argument (&x, &a[1], &p.x); false when
// ref is not one.
bool assign_by_reference(Value* ref, Value* v);
// The number of arguments before the first keyarg_marker.
int positional_count(Value** arg_list, int count);

// Primitive and generic functions, and keyword arguments.
#include <cstring>
#include <memory>
#include <mutex>
#include <vector>

#include "runtime_internal.h"
#include "struct_global.h"

Function::Function(const char* fn_name, const char* structure) : name(fn_name), struct_name(structure) {
  tag = &Function_class;
}

void Function::sprin1(CharStream* s) { s->printf("%s()", name); }

Primitive::Primitive(const char* fn_name, value_cf fn, short flag_word)
    : Function(fn_name, nullptr), fn_ptr(fn), flags(flag_word) {
  tag = &Primitive_class;
  host::define_global_value(fn_name, this);
}

Primitive::Primitive(const char* fn_name, const char* structure, value_cf fn, short flag_word)
    : Function(fn_name, structure), fn_ptr(fn), flags(flag_word) {
  tag = &Primitive_class;
  host::struct_global(structure)->add_function(Name::intern(fn_name), this);
}

Primitive::~Primitive() {
  if (host::runtime_shutting_down()) return;
  if (struct_name != nullptr)
    host::struct_global(struct_name)->remove_member(Name::intern(name), this);
  else
    host::undefine_global_value(name, this);
}

Value* Primitive::apply(Value** arg_list, int count) { return fn_ptr(arg_list, count); }

Generic::Generic(const char* fn_name, value_vf fn) : Function(fn_name, nullptr), fn_ptr(fn) {
  tag = &Generic_class;
  host::define_global_value(fn_name, this);
}

Generic::~Generic() {
  if (!host::runtime_shutting_down()) host::undefine_global_value(name, this);
}

Value* Generic::apply(Value** arg_list, int count) {
  if (count < 1) throw ArgCountError(host::msg::kGenericApply, 1, count);
  if (fn_ptr == nullptr) throw NoMethodError(name, arg_list[0]);
  return (arg_list[0]->*fn_ptr)(arg_list + 1, count - 1);
}

const char* save_string(const char* text) {
  static auto* kept = new std::vector<std::unique_ptr<char[]>>;
  std::size_t n = std::strlen(text);
  auto copy = std::make_unique<char[]>(n + 1);
  std::memcpy(copy.get(), text, n + 1);
  kept->push_back(std::move(copy));
  return kept->back().get();
}

int positional_count(Value** arg_list, int count) {
  for (int i = 0; i < count; ++i)
    if (arg_list[i] == &keyarg_marker) return i;
  return count;
}

Value* _get_key_arg_or_default(Value** arg_list, int count, Value* key_name, Value* def) {
  for (int i = positional_count(arg_list, count) + 1; i + 1 < count; i += 2)
    if (arg_list[i] == key_name) return arg_list[i + 1];
  return def;
}

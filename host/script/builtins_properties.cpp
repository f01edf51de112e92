// Script functions that list, test, read and write the properties of a value:
// getPropNames, hasProperty, isProperty, getProperty, setProperty and
// showProperties (also called show).
#include <cctype>
#include <string>
#include <vector>

#include "../runtime/runtime_internal.h"
#include "host/messages.h"

namespace {

// A property named by a name or a string.
Value* property_name(const char* fn, Value* v) {
  if (v->tag == &Name_class) return v;
  if (v->tag == &String_class) return Name::intern(v->to_string());
  throw TypeError(fn, v, &Name_class);
}

std::vector<Value*> listed_properties(Value* v) {
  std::vector<Value*> names;
  v->get_prop_names(names);
  return names;
}

bool lists(Value* v, Value* name) {
  for (Value* n : listed_properties(v))
    if (n == name) return true;
  return false;
}

// Wild-card match ignoring case: * any run of characters, ? any one.
bool matches(const char* pattern, const char* text) {
  auto same = [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
  };
  const char* star = nullptr;
  const char* resume = nullptr;
  while (*text) {
    if (*pattern == '*') {
      star = pattern++;
      resume = text;
    } else if (*pattern == '?' || (*pattern && same(*pattern, *text))) {
      ++pattern;
      ++text;
    } else if (star != nullptr) {
      pattern = star + 1;
      text = ++resume;
    } else {
      return false;
    }
  }
  while (*pattern == '*') ++pattern;
  return *pattern == '\0';
}

// getPropNames <value> [#staticOnly | #dynamicOnly]: every property of the
// host's values is static, so #dynamicOnly lists none.
Value* get_prop_names_cf(Value** arg_list, int count) {
  if (count != 1 && count != 2) throw ArgCountError("getPropNames", 1, count);
  static Value* dynamic_only = Name::intern("dynamicOnly");
  static Value* static_only = Name::intern("staticOnly");
  if (count == 2 && arg_list[1] != dynamic_only && arg_list[1] != static_only)
    throw RuntimeError(host::msg::kBadPropNamesFilter, arg_list[1]);
  OneValueLocal result(new Array(0));
  if (count == 2 && arg_list[1] == dynamic_only) return result.value;
  for (Value* name : listed_properties(arg_list[0])) static_cast<Array*>(result.value)->append(name);
  return result.value;
}

// hasProperty <value> <name or pattern string>
Value* has_property_cf(Value** arg_list, int count) {
  check_arg_count("hasProperty", 2, count);
  if (arg_list[1]->tag == &String_class) {
    const char* pattern = arg_list[1]->to_string();
    for (Value* name : listed_properties(arg_list[0]))
      if (matches(pattern, name->to_string())) return &true_value;
    return &false_value;
  }
  return bool_result(lists(arg_list[0], property_name("hasProperty", arg_list[1])));
}

// isProperty <value> <name or string>: also true for another name of a listed property.
Value* is_property_cf(Value** arg_list, int count) {
  check_arg_count("isProperty", 2, count);
  Value* name = property_name("isProperty", arg_list[1]);
  return bool_result(find_property(arg_list[0]->tag, name) != nullptr || lists(arg_list[0], name));
}

Value* get_property_cf(Value** arg_list, int count) {
  check_arg_count("getProperty", 2, count);
  return arg_list[0]->get_property(property_name("getProperty", arg_list[1]));
}

Value* set_property_cf(Value** arg_list, int count) {
  check_arg_count("setProperty", 3, count);
  arg_list[0]->set_property(property_name("setProperty", arg_list[1]), arg_list[2]);
  return arg_list[2];
}

// What showProperties prints after a property's name: the type its table
// gives, else the class of the value it holds now.
std::string type_of(Value* v, Value* name) {
  if (const PropertyTable::Entry* e = find_property(v->tag, name)) return e->type_name;
  Value* current = v->get_property(name);
  return current->tag->name;
}

// showProperties <value> [<pattern string>] [to:<stream>]: one line
// "  .name : type" for each property; true when any was shown.
Value* show_properties_cf(Value** arg_list, int count) {
  int positional = positional_count(arg_list, count);
  if (positional != 1 && positional != 2) throw ArgCountError("showProperties", 1, positional);
  const char* pattern = positional == 2 ? arg_list[1]->to_string() : "*";
  static Value* to_key = Name::intern("to");
  Value* to = _get_key_arg_or_default(arg_list, count, to_key, nullptr);
  CharStream* out = thread_local_output();
  if (to != nullptr) {
    out = dynamic_cast<CharStream*>(to);
    if (out == nullptr) throw TypeError("showProperties to:", to, &CharStream_class);
  }
  bool shown = false;
  for (Value* name : listed_properties(arg_list[0])) {
    if (!matches(pattern, name->to_string())) continue;
    std::string line = "  ." + std::string(name->to_string()) + " : " + type_of(arg_list[0], name) + "\n";
    out->puts(line.c_str());
    shown = true;
  }
  return bool_result(shown);
}

Primitive get_prop_names_pf("getPropNames", get_prop_names_cf);
Primitive has_property_pf("hasProperty", has_property_cf);
Primitive is_property_pf("isProperty", is_property_cf);
Primitive get_property_pf("getProperty", get_property_cf);
Primitive set_property_pf("setProperty", set_property_cf);
Primitive show_properties_pf("showProperties", show_properties_cf);
Primitive show_pf("show", show_properties_cf);

}  // namespace

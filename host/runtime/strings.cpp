// String values.
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/messages.h"
#include "runtime_internal.h"

String::String(const char* text) : String(text, text ? std::strlen(text) : 0) {}

String::String(const char* bytes, std::size_t length) {
  tag = &String_class;
  string = static_cast<char*>(std::malloc(length + 1));
  if (string == nullptr) throw RuntimeError(host::msg::kStringOutOfMemory);
  if (length > 0) std::memcpy(string, bytes, length);
  string[length] = '\0';
}

String::~String() { std::free(string); }

std::size_t String::length() const { return std::strlen(string); }

// The print form shows the text in quotes as it stands, without re-escaping.
void String::sprin1(CharStream* s) {
  s->puts("\"");
  s->puts(string);
  s->puts("\"");
}
void String::sprint(CharStream* s) { s->puts(string); }

Value* String::plus_vf(Value** a, int) {
  std::string joined(string);
  joined += a[0]->to_string();
  return new String(joined.c_str());
}

static bool is_string(Value* v) { return v->tag == &String_class; }

Value* String::eq_vf(Value** a, int) {
  return bool_result(is_string(a[0]) && std::strcmp(string, static_cast<String*>(a[0])->string) == 0);
}
Value* String::ne_vf(Value** a, int n) { return bool_result(eq_vf(a, n) == &false_value); }

#define STRING_COMPARE(method, op) \
  Value* String::method(Value** a, int) { return bool_result(std::strcmp(string, a[0]->to_string()) op 0); }
STRING_COMPARE(lt_vf, <)
STRING_COMPARE(gt_vf, >)
STRING_COMPARE(le_vf, <=)
STRING_COMPARE(ge_vf, >=)
#undef STRING_COMPARE

Value* String::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  int index = check_index(a[0], "String");
  if (static_cast<std::size_t>(index) > length()) return &undefined;
  return new String(string + index - 1, 1);
}

// s[i] = "x" changes the string in place; i must name one of its characters.
Value* String::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  int index = a[0]->to_int();
  if (index < 1) throw RuntimeError((std::string("String") + host::msg::kIndexMustBePositive).c_str(), a[0]);
  if (static_cast<std::size_t>(index) > length()) throw RuntimeError(host::msg::kStringIndexOutOfRange, a[0]);
  const char* character = a[1]->to_string();
  if (character[0] == '\0' || character[1] != '\0')
    throw RuntimeError(host::msg::kSingleCharacterNeeded, a[1]);
  string[index - 1] = character[0];
  return a[1];
}

// Argument checkers that every script function calls, in the spirit of Lua's
// luaL_check* family: each raises the host's own error when the check fails,
// so no function counts, tests classes or formats an error line by hand.
#pragma once

#include <string>

#include "host/exceptions.h"
#include "host/functions.h"
#include "host/messages.h"
#include "host/value.h"

// ---- Argument counts --------------------------------------------------------

// Raises ArgCountError(fn_name, expected, count) unless count == expected.
inline void check_arg_count(const char* fn_name, int expected, int count) {
  if (count != expected) throw ArgCountError(fn_name, expected, count);
}
// For functions that take from `least` to `most` arguments; the error names
// the bound that was missed.
inline void check_arg_count_range(const char* fn_name, int least, int most, int count) {
  if (count < least) throw ArgCountError(fn_name, least, count);
  if (count > most) throw ArgCountError(fn_name, most, count);
}
inline void check_arg_count_at_most(const char* fn_name, int most, int count) {
  check_arg_count_range(fn_name, 0, most, count);
}
inline void check_arg_count_at_least(const char* fn_name, int least, int count) {
  if (count < least) throw ArgCountError(fn_name, least, count);
}
// The same for functions that take keyword arguments: counts only the
// arguments before the keyword marker.
inline void check_positional_count(const char* fn_name, int expected, Value** arg_list, int count) {
  int positional = positional_count(arg_list, count);
  if (positional != expected) throw ArgCountError(fn_name, expected, positional);
}
// A generic's method receives the arguments after the value it runs on; the
// error counts that value too, as the caller wrote it (classOf 1 2: wanted 1, got 2).
inline void check_method_arg_count(const char* fn_name, int expected_after_value, int count) {
  if (count != expected_after_value) throw ArgCountError(fn_name, expected_after_value + 1, count + 1);
}

// ---- Classes ----------------------------------------------------------------

// Raises TypeError(reason, v, c) unless v is exactly of class c.
inline void check_exact_class(Value* v, ValueMetaClass* c, const char* reason) {
  if (v->tag != c) throw TypeError(reason, v, c);
}
// The value as the C++ class T that stands for the script class c, or
// TypeError(reason, v, c): `Array* a = check_class<Array>(v, &Array_class, "join");`
template <typename T>
T* check_class(Value* v, ValueMetaClass* c, const char* reason) {
  auto* typed = dynamic_cast<T*>(v);
  if (typed == nullptr) throw TypeError(reason, v, c);
  return typed;
}

// ---- Numbers and indexes ----------------------------------------------------

// A 1-based index: converted to an integer, and at least 1, or
// "<kind> index must be positive number, got: <v>".
inline int check_index(Value* v, const char* kind) {
  int index = v->to_int();
  if (index < 1) throw RuntimeError((std::string(kind) + host::msg::kIndexMustBePositive).c_str(), v);
  return index;
}
// An integer from first to last, or the runtime error "<text><v>".
inline int check_int_in_range(Value* v, int first, int last, const char* text) {
  int i = v->to_int();
  if (i < first || i > last) throw RuntimeError(text, v);
  return i;
}
// A float from first to last, or the runtime error "<text><v>".
inline float check_float_in_range(Value* v, float first, float last, const char* text) {
  float f = v->to_float();
  if (!(f >= first && f <= last)) throw RuntimeError(text, v);
  return f;
}

// Thin argument checkers that every script function calls, so no module
// repeats the boilerplate of counting and converting.
#pragma once

#include "host/exceptions.h"
#include "host/functions.h"
#include "host/value.h"

// Raises ArgCountError(fn_name, expected, count) unless count == expected.
inline void check_arg_count(const char* fn_name, int expected, int count) {
  if (count != expected) throw ArgCountError(fn_name, expected, count);
}
// The same for functions that take keyword arguments: counts only the
// arguments before the keyword marker.
inline void check_positional_count(const char* fn_name, int expected, Value** arg_list, int count) {
  int positional = positional_count(arg_list, count);
  if (positional != expected) throw ArgCountError(fn_name, expected, positional);
}
// Raises TypeError(reason, v, c) unless v is exactly of class c.
inline void check_exact_class(Value* v, ValueMetaClass* c, const char* reason) {
  if (v->tag != c) throw TypeError(reason, v, c);
}

// execute: runs a string as a script.
#include "../runtime/runtime_internal.h"
#include "interpreter.h"

namespace {

// execute "1 + 2" -> 3: the value of the last expression; the text runs at
// global scope, so it sees globals but not the caller's locals.
Value* execute_cf(Value** arg_list, int count) {
  check_arg_count("execute", 1, count);
  return host::script::evaluate_source(arg_list[0]->to_string());
}

Primitive execute_pf("execute", execute_cf);

}  // namespace

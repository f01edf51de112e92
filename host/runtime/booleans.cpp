// true, false, undefined, ok and the keyword marker.
#include "runtime_internal.h"

Boolean::Boolean(bool v) : value(v) { tag = &Boolean_class; }
void Boolean::sprin1(CharStream* s) { s->puts(value ? "true" : "false"); }
Value* Boolean::eq_vf(Value** arg_list, int) { return bool_result(arg_list[0] == this); }
Value* Boolean::ne_vf(Value** arg_list, int) { return bool_result(arg_list[0] != this); }

Undefined::Undefined() { tag = &UndefinedClass_class; }
void Undefined::sprin1(CharStream* s) { s->puts("undefined"); }

Ok::Ok() { tag = &Ok_class; }
void Ok::sprin1(CharStream* s) { s->puts("OK"); }

Unsupplied::Unsupplied() { tag = &UnsuppliedClass_class; }
void Unsupplied::sprin1(CharStream* s) { s->puts("unsupplied"); }

Boolean true_value(true);
Boolean false_value(false);
Undefined undefined;
Ok ok;
Unsupplied unsupplied;
Value keyarg_marker;

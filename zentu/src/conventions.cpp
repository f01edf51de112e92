#include "conventions.h"

#include "messages.h"

INode* zentu_node_arg(Value* v, const char* fn_name) {
  if (!v->is_kind_of(&MAXNode_class)) throw RuntimeError(fn_name, zentu::msg::kRequiresNode);
  auto* wrapper = dynamic_cast<HostObjectWrapper*>(v);
  if (wrapper == nullptr || wrapper->is_deleted()) throw RuntimeError(zentu::msg::kDeletedNode);
  return v->to_node();
}

TimeValue zentu_script_time() { return MAXScript_time(); }

void zentu_require_args(const char* fn_name, int expected, int count) {
  if (count < expected) throw ArgCountError(fn_name, expected, count);
}

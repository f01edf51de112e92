// Reading and renaming the scene's XRef files by their place in the list,
// counted from 1. A place outside the list answers false.
#include "host/maxscript.h"

#include "messages.h"

namespace {

// Exactly n arguments, or more when keyword arguments follow them (those
// are ignored); the error counts the arguments in front of the keywords.
void check_count(const char* fn_name, int n, Value** arg_list, int count) {
  if (count == n) return;
  if (count > n && arg_list[n] == &keyarg_marker) return;
  throw ArgCountError(fn_name, n, positional_count(arg_list, count));
}

// The list's place the script's index names, or -1 outside the list.
int xref_place(INode* root, Value* index) {
  int i = index->to_int() - 1;
  return i >= 0 && i < root->GetXRefFileCount() ? i : -1;
}

Value* set_xref_file_name_cf(Value** arg_list, int count) {
  check_count(xrefname::msg::kSetName, 2, arg_list, count);
  INode* root = GetCOREInterface()->GetRootNode();
  int i = xref_place(root, arg_list[0]);
  if (i < 0) return &false_value;
  root->SetXRefFile(i, arg_list[1]->to_string(), FALSE);
  return &ok;
}

Value* get_xref_file_name_cf(Value** arg_list, int count) {
  check_count(xrefname::msg::kGetName, 1, arg_list, count);
  INode* root = GetCOREInterface()->GetRootNode();
  int i = xref_place(root, arg_list[0]);
  if (i < 0) return &false_value;
  CStr file = root->GetXRefFile(i);
  return Name::intern(file.data());
}

// Registered when the module loads, in this order.
Primitive set_xref_file_name_pf(xrefname::msg::kSetName, set_xref_file_name_cf, 0);
Primitive get_xref_file_name_pf(xrefname::msg::kGetName, get_xref_file_name_cf, 0);

}  // namespace

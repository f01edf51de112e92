// actionMan: scripts fire the entries of plug-ins' shortcut tables as a
// pressed key would, and read the entries' current names.
#include <climits>
#include <cstdlib>
#include <string>

#include "../runtime/runtime_internal.h"

namespace {

ActionTableId table_id(Value* v) { return static_cast<ActionTableId>(v->to_int()); }

// actionMan.executeAction <table id> "<command id>": true when the table is
// active, holds the command and its plug-in says it acted on it.
Value* execute_action_cf(Value** arg_list, int count) {
  check_arg_count("executeAction", 2, count);
  ActionTableId id = table_id(arg_list[0]);
  std::string command = arg_list[1]->to_string();
  char* end = nullptr;
  long command_id = std::strtol(command.c_str(), &end, 10);
  if (command.empty() || *end != '\0' || command_id < INT_MIN || command_id > INT_MAX) return &false_value;
  return bool_result(host::fire_shortcut(id, static_cast<int>(command_id)));
}

// actionMan.getActionNames <table id>: the entries' names in table order, or
// undefined for a table no plug-in offered.
Value* get_action_names_cf(Value** arg_list, int count) {
  check_arg_count("getActionNames", 1, count);
  ShortcutTable* table = host::find_shortcut_table(table_id(arg_list[0]));
  if (table == nullptr) return &undefined;
  OneValueLocal names(new Array(table->Count()));
  for (int i = 0; i < table->Count(); ++i)
    static_cast<Array*>(names.value)->append(new String((*table)[i]->GetName()));
  return names.value;
}

}  // namespace

Primitive execute_action_pf("executeAction", "actionMan", execute_action_cf);
Primitive get_action_names_pf("getActionNames", "actionMan", get_action_names_cf);

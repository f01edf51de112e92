// Extended app data: chunks under any key with any bytes, on any scene
// object a script holds (nodes, objects, modifiers, materials, controllers).
#pragma once

#include "host/maxscript.h"

Value* get_app_data_ex_fn(Value** arg_list, int count);
Value* set_app_data_ex_fn(Value** arg_list, int count);
Value* has_app_data_ex_fn(Value** arg_list, int count);
Value* delete_app_data_ex_fn(Value** arg_list, int count);
Value* list_app_data_ex_fn(Value** arg_list, int count);

// What every Zentu function does the same way: node arguments and the
// script time.
#pragma once

#include "host/maxscript.h"

// The scene node v stands for. Anything but a node raises "<fn> requires a
// node"; a node that was deleted raises "Attempted to access to deleted object".
INode* zentu_node_arg(Value* v, const char* fn_name);

// The time of the script's time context (at time t), else the time slider's.
TimeValue zentu_script_time();

// For functions that read their first `expected` arguments without testing
// the count: fewer than that is still an argument-count error.
void zentu_require_args(const char* fn_name, int expected, int count);

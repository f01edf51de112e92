// The interactive listener and the reading of piped standard input.
#pragma once

#include "../script/interpreter.h"

namespace host::listener {

// Reads expressions at a prompt with line editing and history until end of
// input; each complete expression runs at once and its value is printed.
void run_interactive();
// Runs all of standard input as one script.
bool run_stdin(const script::RunOptions& options);

}  // namespace host::listener

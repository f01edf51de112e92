// The interactive listener and the reading of piped standard input.
#pragma once

#include <chrono>

#include "../script/interpreter.h"

namespace host::listener {

// Reads expressions at a prompt with line editing and history until end of
// input; each complete expression runs at once and its value is printed.
// While one runs, the terminal's keys reach the Windows layer's key states
// (an Esc poll, a progress bar's cancel), each counting as held for key_hold.
void run_interactive(std::chrono::milliseconds key_hold);
// Runs all of standard input as one script.
bool run_stdin(const script::RunOptions& options);

}  // namespace host::listener

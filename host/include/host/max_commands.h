// The commands a script runs with `max <words>` (max undo, max select all,
// max file open): the scene and plug-ins register them by their words.
#pragma once

#include <string>
#include <vector>

using MaxCommandFn = void (*)();

// Registers (or replaces) the command of those words. Case and the spacing
// between words do not matter: "Select  All" is "select all".
void register_max_command(const char* words, MaxCommandFn command);
void unregister_max_command(const char* words);
// Runs the command of those words; false when none is registered.
bool run_max_command(const char* words);
// The registered words, sorted, for `max ?`.
std::vector<std::string> max_command_names();

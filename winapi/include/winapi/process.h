// Starting a program that runs on by itself.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Starts `program` (searched in PATH when it holds no '/') with `arguments`
// (arguments[0] is the name the program sees as its own) in a new session,
// with standard input and output on /dev/null, without waiting for it; the
// copy outlives its starter. Arguments arrive exactly as given. Returns FALSE
// with a Win32 error when the program cannot be started.
BOOL StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments);

// Operating-system failures reported to scripts with the system's own text.
#pragma once

#include <windows.h>

// Raises the runtime error "Windows Error: " followed by the system's message
// text for the Win32 error code.
[[noreturn]] void RaiseWindowsError(DWORD code);

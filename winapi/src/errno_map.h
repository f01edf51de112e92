// Maps a POSIX errno value to the Win32 error code with the same meaning.
#pragma once

#include <windows.h>

namespace winapi {

DWORD win32_error_from_errno(int error);

}  // namespace winapi

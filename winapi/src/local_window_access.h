// What the window calls of other families need to know about in-process
// windows.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace winapi {

// The title of an in-process window, or nothing when `handle` is not one.
std::optional<std::string> local_window_title(HWND handle);

}  // namespace winapi

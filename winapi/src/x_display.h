// The X side of window handles: a connection to $DISPLAY that traps protocol
// errors instead of ending the process, and the tagging of X windows as HWNDs.
#pragma once

#include <windows.h>

#include <X11/Xlib.h>

#include <optional>
#include <string>
#include <vector>

namespace winapi::x {

// X window handles carry this tag in their low four bits; pointers to
// in-process windows are aligned and never do.
constexpr std::uintptr_t kHandleTag = 0xB;

bool is_x_handle(HWND handle);
::Window window_of(HWND handle);
HWND handle_of(::Window window);

// A use of the display by this thread. Nested uses (a window call made from
// an EnumWindows callback) share the outer use's connection. `display()` is
// null when no X server can be reached.
class DisplayUse {
 public:
  DisplayUse();
  ~DisplayUse();
  DisplayUse(const DisplayUse&) = delete;
  DisplayUse& operator=(const DisplayUse&) = delete;
  ::Display* display() const { return display_; }

 private:
  ::Display* display_ = nullptr;
  bool owner_ = false;
};

// Protocol errors of requests made while a trap is alive are recorded instead
// of ending the process. `failed()` flushes the requests and tells whether
// any of them failed.
class ErrorTrap {
 public:
  explicit ErrorTrap(::Display* display);
  ~ErrorTrap();
  ErrorTrap(const ErrorTrap&) = delete;
  ErrorTrap& operator=(const ErrorTrap&) = delete;
  bool failed();

 private:
  ::Display* display_;
  int saved_error_;
};

// The client windows of the root, topmost first.
std::vector<::Window> top_level_windows(::Display* display);
// The window's title, or nothing when it has none or is gone.
std::optional<std::string> window_title(::Display* display, ::Window window);
// The class part of WM_CLASS.
std::optional<std::string> window_class(::Display* display, ::Window window);
bool window_exists(::Display* display, ::Window window);

}  // namespace winapi::x

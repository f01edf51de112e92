#include <windows.h>

#include "local_window_access.h"
#include "x_display.h"

#include <X11/Xlib.h>

#include <strings.h>
#include <algorithm>
#include <cstring>

namespace x = winapi::x;

namespace {

bool equal_ignoring_case(const std::string& a, const char* b) {
  return a.size() == std::strlen(b) && strncasecmp(a.c_str(), b, a.size()) == 0;
}

// The title of an X or in-process window; nothing (with the last error set)
// when the handle names no window.
std::optional<std::string> title_of(HWND window) {
  std::optional<std::string> title;
  if (x::is_x_handle(window)) {
    x::DisplayUse use;
    if (use.display() != nullptr && x::window_exists(use.display(), x::window_of(window))) {
      title = x::window_title(use.display(), x::window_of(window)).value_or("");
    }
  } else {
    title = winapi::local_window_title(window);
  }
  if (!title) SetLastError(ERROR_INVALID_WINDOW_HANDLE);
  return title;
}

}  // namespace

BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam) {
  if (callback == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  x::DisplayUse use;  // shared by the window calls the callback makes
  if (use.display() == nullptr) return TRUE;
  for (::Window window : x::top_level_windows(use.display())) {
    if (!callback(x::handle_of(window), lParam)) break;
  }
  return TRUE;
}

HWND FindWindowA(LPCSTR className, LPCSTR windowName) {
  x::DisplayUse use;
  if (use.display() == nullptr) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  for (::Window window : x::top_level_windows(use.display())) {
    if (windowName != nullptr) {
      auto title = x::window_title(use.display(), window);
      if (!title || !equal_ignoring_case(*title, windowName)) continue;
    }
    if (className != nullptr) {
      auto klass = x::window_class(use.display(), window);
      if (!klass || !equal_ignoring_case(*klass, className)) continue;
    }
    return x::handle_of(window);
  }
  SetLastError(ERROR_FILE_NOT_FOUND);
  return nullptr;
}

int GetWindowTextA(HWND window, LPSTR text, int maxCount) {
  if (text == nullptr || maxCount <= 0) return 0;
  text[0] = '\0';
  auto title = title_of(window);
  if (!title) return 0;
  std::size_t length = std::min(title->size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(text, title->data(), length);
  text[length] = '\0';
  return static_cast<int>(length);
}

int GetWindowTextLengthA(HWND window) {
  auto title = title_of(window);
  return title ? static_cast<int>(title->size()) : 0;
}

BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!x::is_x_handle(window)) {
    if (!IsWindow(window)) {
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    SendMessageA(window, message, wParam, lParam);
    return TRUE;
  }
  x::DisplayUse use;
  if (use.display() == nullptr) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = x::window_of(window);
  event.xclient.format = 32;
  // Format-32 data travels as 32-bit words: a 32-bit WPARAM arrives whole.
  if (message == WM_COMMAND) {
    event.xclient.message_type = XInternAtom(use.display(), "WM_COMMAND", False);
    event.xclient.data.l[0] = static_cast<long>(wParam);
    event.xclient.data.l[1] = static_cast<long>(lParam);
  } else {
    event.xclient.message_type = XInternAtom(use.display(), "WIN32_MESSAGE", False);
    event.xclient.data.l[0] = static_cast<long>(message);
    event.xclient.data.l[1] = static_cast<long>(wParam);
    event.xclient.data.l[2] = static_cast<long>(lParam);
  }
  x::ErrorTrap trap(use.display());
  Status sent = XSendEvent(use.display(), x::window_of(window), False, NoEventMask, &event);
  if (trap.failed() || !sent) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  return TRUE;
}

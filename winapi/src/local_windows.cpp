#include <windows.h>

#include "local_window_access.h"
#include "x_display.h"

#include <strings.h>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <string>

namespace {

struct CaseInsensitiveLess {
  bool operator()(const std::string& a, const std::string& b) const {
    return strcasecmp(a.c_str(), b.c_str()) < 0;
  }
};

struct LocalWindow {
  WNDPROC proc;
  std::string title;
};

struct Registry {
  std::mutex lock;
  std::map<std::string, WNDPROC, CaseInsensitiveLess> classes;
  std::set<LocalWindow*> windows;
};

Registry& registry() {
  static Registry r;
  return r;
}

constexpr DWORD kErrorClassAlreadyExists = 1410;
constexpr DWORD kErrorCannotFindClass = 1407;
constexpr DWORD kErrorInvalidWindowHandle = 1400;

}  // namespace

WORD RegisterClassA(const WNDCLASSA* wc) {
  if (wc == nullptr || wc->lpszClassName == nullptr || wc->lpfnWndProc == nullptr) {
    SetLastError(87);  // ERROR_INVALID_PARAMETER
    return 0;
  }
  auto& r = registry();
  std::lock_guard guard(r.lock);
  if (!r.classes.emplace(wc->lpszClassName, wc->lpfnWndProc).second) {
    SetLastError(kErrorClassAlreadyExists);
    return 0;
  }
  return static_cast<WORD>(r.classes.size());
}

HWND CreateWindowExA(DWORD, LPCSTR className, LPCSTR windowName, DWORD, int, int, int, int, HWND, void*,
                     HINSTANCE, LPVOID) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  auto found = className ? r.classes.find(className) : r.classes.end();
  if (found == r.classes.end()) {
    SetLastError(kErrorCannotFindClass);
    return nullptr;
  }
  auto* window = new LocalWindow{found->second, windowName ? windowName : ""};
  r.windows.insert(window);
  return reinterpret_cast<HWND>(window);
}

static LocalWindow* find_window(HWND handle) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  auto* window = reinterpret_cast<LocalWindow*>(handle);
  return r.windows.count(window) ? window : nullptr;
}

BOOL IsWindow(HWND handle) {
  if (winapi::x::is_x_handle(handle)) {
    winapi::x::DisplayUse use;
    return use.display() != nullptr && winapi::x::window_exists(use.display(), winapi::x::window_of(handle));
  }
  return find_window(handle) != nullptr;
}

std::optional<std::string> winapi::local_window_title(HWND handle) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  auto* window = reinterpret_cast<LocalWindow*>(handle);
  if (r.windows.count(window) == 0) return std::nullopt;
  return window->title;
}

BOOL DestroyWindow(HWND handle) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  auto* window = reinterpret_cast<LocalWindow*>(handle);
  if (r.windows.erase(window) == 0) {
    SetLastError(kErrorInvalidWindowHandle);
    return FALSE;
  }
  delete window;
  return TRUE;
}

LRESULT SendMessageA(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
  LocalWindow* window = find_window(handle);
  if (window == nullptr) {
    SetLastError(kErrorInvalidWindowHandle);
    return 0;
  }
  return window->proc(handle, message, wParam, lParam);
}

LRESULT DefWindowProcA(HWND, UINT, WPARAM, LPARAM) { return 0; }

#include "x_display.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>

#include <climits>
#include <deque>
#include <memory>
#include <mutex>

namespace winapi::x {
namespace {

thread_local ::Display* current_display = nullptr;
thread_local int trapped_error = 0;  // error code of the last trapped X error

int record_error(::Display*, XErrorEvent* event) {
  trapped_error = event->error_code;
  return 0;
}

// Once per process: each thread uses connections of its own, but Xlib keeps
// some state for all of them.
void prepare_xlib() {
  static std::once_flag once;
  std::call_once(once, [] {
    XInitThreads();
    XSetErrorHandler(record_error);
  });
}

struct XFreeDeleter {
  void operator()(void* data) const {
    if (data) XFree(data);
  }
};
template <typename T>
using XPointer = std::unique_ptr<T, XFreeDeleter>;

// Reads a whole property of the given type (AnyPropertyType for any).
bool read_property(::Display* display, ::Window window, Atom property, Atom type, Atom& actual_type,
                   int& format, std::string& bytes) {
  unsigned char* raw = nullptr;
  unsigned long count = 0, remaining = 0;
  ErrorTrap trap(display);
  int rc = XGetWindowProperty(display, window, property, 0, LONG_MAX / 4, False, type, &actual_type, &format,
                              &count, &remaining, &raw);
  XPointer<unsigned char> data(raw);
  if (trap.failed() || rc != Success || actual_type == None || data == nullptr) return false;
  std::size_t unit = format == 8 ? 1 : format == 16 ? sizeof(short) : sizeof(long);
  bytes.assign(reinterpret_cast<const char*>(data.get()), count * unit);
  return true;
}

bool has_property(::Display* display, ::Window window, Atom property) {
  Atom type = None;
  int format = 0;
  std::string bytes;
  return read_property(display, window, property, AnyPropertyType, type, format, bytes);
}

std::string latin1_to_utf8(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

std::vector<::Window> children_of(::Display* display, ::Window window) {
  ::Window root = 0, parent = 0, *raw = nullptr;
  unsigned int count = 0;
  ErrorTrap trap(display);
  Status ok = XQueryTree(display, window, &root, &parent, &raw, &count);
  XPointer<::Window> children(raw);
  if (trap.failed() || !ok || children == nullptr) return {};
  return std::vector<::Window>(children.get(), children.get() + count);
}

// The window below `frame` (itself included) that carries WM_STATE, searched
// level by level as the X tools do; `frame` itself when none does (no window
// manager runs).
::Window client_window(::Display* display, ::Window frame, Atom wm_state) {
  std::deque<::Window> pending{frame};
  while (!pending.empty()) {
    ::Window window = pending.front();
    pending.pop_front();
    if (has_property(display, window, wm_state)) return window;
    for (::Window child : children_of(display, window)) pending.push_back(child);
  }
  return frame;
}

}  // namespace

bool is_x_handle(HWND handle) { return (reinterpret_cast<std::uintptr_t>(handle) & 0xF) == kHandleTag; }

::Window window_of(HWND handle) {
  return static_cast<::Window>(reinterpret_cast<std::uintptr_t>(handle) >> 4);
}

HWND handle_of(::Window window) {
  return reinterpret_cast<HWND>((static_cast<std::uintptr_t>(window) << 4) | kHandleTag);
}

DisplayUse::DisplayUse() {
  if (current_display != nullptr) {
    display_ = current_display;
    return;
  }
  prepare_xlib();
  display_ = XOpenDisplay(nullptr);
  if (display_ != nullptr) {
    owner_ = true;
    current_display = display_;
  }
}

DisplayUse::~DisplayUse() {
  if (owner_) {
    current_display = nullptr;
    XCloseDisplay(display_);
  }
}

ErrorTrap::ErrorTrap(::Display* display) : display_(display), saved_error_(trapped_error) {
  trapped_error = 0;
}

ErrorTrap::~ErrorTrap() { trapped_error = saved_error_; }

bool ErrorTrap::failed() {
  XSync(display_, False);
  return trapped_error != 0;
}

std::vector<::Window> top_level_windows(::Display* display) {
  Atom wm_state = XInternAtom(display, "WM_STATE", False);
  std::vector<::Window> frames = children_of(display, DefaultRootWindow(display));
  std::vector<::Window> clients;
  clients.reserve(frames.size());
  // XQueryTree lists the children bottom first.
  for (auto frame = frames.rbegin(); frame != frames.rend(); ++frame) {
    clients.push_back(client_window(display, *frame, wm_state));
  }
  return clients;
}

std::optional<std::string> window_title(::Display* display, ::Window window) {
  Atom net_wm_name = XInternAtom(display, "_NET_WM_NAME", False);
  Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
  Atom type = None;
  int format = 0;
  std::string bytes;
  if (read_property(display, window, net_wm_name, utf8, type, format, bytes) && type == utf8 && format == 8) {
    return bytes;
  }
  if (!read_property(display, window, XA_WM_NAME, AnyPropertyType, type, format, bytes) || format != 8) {
    return std::nullopt;
  }
  if (type == XA_STRING) return latin1_to_utf8(bytes);
  if (type == utf8) return bytes;
  // Compound text and other encodings: let Xlib convert.
  XTextProperty property{reinterpret_cast<unsigned char*>(bytes.data()), type, format, bytes.size()};
  char** list = nullptr;
  int count = 0;
  if (Xutf8TextPropertyToTextList(display, &property, &list, &count) < Success || list == nullptr) {
    return bytes;
  }
  std::string text = count > 0 && list[0] ? list[0] : "";
  XFreeStringList(list);
  return text;
}

std::optional<std::string> window_class(::Display* display, ::Window window) {
  XClassHint hint{};
  ErrorTrap trap(display);
  Status ok = XGetClassHint(display, window, &hint);
  XPointer<char> name(hint.res_name);
  XPointer<char> klass(hint.res_class);
  if (trap.failed() || !ok || klass == nullptr) return std::nullopt;
  return std::string(klass.get());
}

bool window_exists(::Display* display, ::Window window) {
  XWindowAttributes attributes{};
  ErrorTrap trap(display);
  Status ok = XGetWindowAttributes(display, window, &attributes);
  return !trap.failed() && ok;
}

}  // namespace winapi::x

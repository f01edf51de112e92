#include "listener_stream.h"

#include <richedit.h>

#include <cstdio>

namespace host::listener {

namespace {

ListenerStream* g_stream = nullptr;

LRESULT CALLBACK edit_box_proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == EM_SETCHARFORMAT && g_stream != nullptr && lParam != 0) {
    const auto* cf = reinterpret_cast<const CHARFORMATA*>(lParam);
    if (cf->cbSize >= sizeof(CHARFORMATA) && (cf->dwMask & CFM_COLOR)) {
      g_stream->set_text_colour(cf->crTextColor);
      return 1;
    }
    return 0;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

constexpr const char* kClassName = "ListenerEditBox";

}  // namespace

ListenerStream::ListenerStream(bool use_colour) : use_colour_(use_colour) {
  g_stream = this;
  static bool registered = false;
  if (!registered) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = edit_box_proc;
    wc.lpszClassName = kClassName;
    registered = RegisterClassA(&wc) != 0;
  }
  window_ = CreateWindowExA(0, kClassName, "MAXScript Listener", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
}

ListenerStream::~ListenerStream() {
  reset_colour();
  std::fflush(stdout);
  if (window_ != nullptr) DestroyWindow(window_);
  if (g_stream == this) g_stream = nullptr;
}

void ListenerStream::set_text_colour(COLORREF colour) {
  colour_ = colour;
  colour_pending_ = use_colour_;
}

void ListenerStream::puts(const char* text) {
  if (colour_pending_ && *text) {
    std::fprintf(stdout, "\x1b[38;2;%u;%u;%um", colour_ & 0xFF, (colour_ >> 8) & 0xFF, (colour_ >> 16) & 0xFF);
    colour_pending_ = false;
    colour_active_ = true;
  }
  std::fputs(text, stdout);
}

void ListenerStream::reset_colour() {
  colour_pending_ = false;
  if (colour_active_) {
    std::fputs("\x1b[0m", stdout);
    colour_active_ = false;
  }
}

// The host's own lines end any colour a module asked for.
void ListenerStream::host_puts(const char* text) {
  reset_colour();
  std::fputs(text, stdout);
}

void ListenerStream::flush() { std::fflush(stdout); }

}  // namespace host::listener

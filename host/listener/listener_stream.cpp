#include "listener_stream.h"

#include <richedit.h>

#include <cerrno>
#include <cstdio>

#include "../runtime/runtime_internal.h"

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
  note_failure(std::fflush(stdout));
  if (window_ != nullptr) DestroyWindow(window_);
  if (g_stream == this) g_stream = nullptr;
}

void ListenerStream::set_text_colour(COLORREF colour) {
  colour_ = colour;
  colour_pending_ = use_colour_;
}

void ListenerStream::note_failure(int result) {
  if (result == EOF && write_error_ == 0) write_error_ = errno != 0 ? errno : EIO;
}

void ListenerStream::write(const char* text) {
  if (*text != '\0') host::clear_progress_line();  // text goes on a line of its own, not after the bar
  note_failure(std::fputs(text, stdout));
}

void ListenerStream::puts(const char* text) {
  if (colour_pending_ && *text) {
    char code[48];
    std::snprintf(code, sizeof code, "\x1b[38;2;%u;%u;%um", colour_ & 0xFF, (colour_ >> 8) & 0xFF,
                  (colour_ >> 16) & 0xFF);
    write(code);
    colour_pending_ = false;
    colour_active_ = true;
  }
  write(text);
}

void ListenerStream::reset_colour() {
  colour_pending_ = false;
  if (colour_active_) {
    write("\x1b[0m");
    colour_active_ = false;
  }
}

// The host's own lines end any colour a module asked for.
void ListenerStream::host_puts(const char* text) {
  reset_colour();
  write(text);
}

void ListenerStream::flush() { note_failure(std::fflush(stdout)); }

}  // namespace host::listener

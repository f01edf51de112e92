// The progress bar behind the core interface. On a terminal (stderr) it is one
// line redrawn in place whenever the percentage or the title changes; without
// a terminal there is no bar, so logs and piped output stay clean. While the
// bar is on a terminal, Esc typed there cancels: the listener feeds the keys
// to the Windows layer, and GetCancel looks for an Esc press since the bar
// started.
#include <sys/ioctl.h>
#include <unistd.h>
#include <winapi/keyboard_feed.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "../runtime/runtime_internal.h"
#include "host/core_interface.h"
#include "progress_line.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kDefaultColumns = 80;

struct ProgressState {
  bool shown = false;     // between ProgressStart with dispBar and ProgressEnd
  bool terminal = false;  // shown, and drawn on a terminal
  bool cancelled = false;
  std::string title;
  int drawn_pct = -1;  // the percentage on screen, -1 when the line is wiped
  Clock::time_point started;
  unsigned long escapes_before = 0;  // Esc presses counted at the start or the last SetCancel
};

ProgressState& state() {
  static ProgressState s;
  return s;
}

int terminal_columns() {
  winsize size{};
  if (ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0) return size.ws_col;
  return kDefaultColumns;
}

void draw(int pct) {
  ProgressState& s = state();
  s.drawn_pct = pct;
  std::fflush(stdout);  // the listener's own text first, in order
  std::string line = host::progress_line(s.title, pct, Clock::now() - s.started, terminal_columns());
  std::fprintf(stderr, "\r%s\x1b[K", line.c_str());
  std::fflush(stderr);
}

// A press of Esc since the bar started sets the cancel flag.
void take_escape_presses() {
  ProgressState& s = state();
  if (!s.terminal || s.cancelled) return;
  if (KeyPressCount(VK_ESCAPE) != s.escapes_before) s.cancelled = true;
}

}  // namespace

void host::clear_progress_line() {
  ProgressState& s = state();
  if (!s.terminal || s.drawn_pct < 0) return;
  std::fputs("\r\x1b[K", stderr);
  std::fflush(stderr);
  s.drawn_pct = -1;
}

BOOL Interface::ProgressStart(const char* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg) {
  ProgressState& s = state();
  if (s.shown) ProgressEnd();
  s.title = title != nullptr ? title : "";
  s.cancelled = false;
  s.shown = dispBar != FALSE;
  s.terminal = s.shown && isatty(STDERR_FILENO) == 1;
  s.started = Clock::now();
  s.escapes_before = KeyPressCount(VK_ESCAPE);
  if (s.terminal) draw(0);
  if (fn != nullptr) fn(arg);
  return TRUE;
}

void Interface::ProgressUpdate(int pct, BOOL, const char* title) {
  ProgressState& s = state();
  if (!s.terminal) return;
  pct = std::clamp(pct, 0, 100);
  bool retitled = title != nullptr && s.title != title;
  if (retitled) s.title = title;
  if (retitled || pct != s.drawn_pct) draw(pct);
}

void Interface::ProgressEnd() {
  ProgressState& s = state();
  take_escape_presses();  // a press while the bar was up counts even if asked for later
  host::clear_progress_line();
  s.shown = false;
  s.terminal = false;
}

BOOL Interface::GetCancel() {
  take_escape_presses();
  return state().cancelled ? TRUE : FALSE;
}

void Interface::SetCancel(BOOL sw) {
  ProgressState& s = state();
  s.cancelled = sw != FALSE;
  // Presses before this call are settled: a cleared flag stays clear until the next one.
  s.escapes_before = KeyPressCount(VK_ESCAPE);
}

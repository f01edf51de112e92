// The progress bar behind the core interface, drawn by the listener on
// stderr: on a terminal one line redrawn in place, otherwise a plain line
// whenever the percentage reaches another multiple of 10, so logs stay short.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <string>

#include "host/core_interface.h"

namespace {

constexpr int kBarWidth = 20;

struct ProgressState {
  bool shown = false;
  bool cancelled = false;
  std::string title;
  int last_step = -1;  // the last multiple of 10 written as a plain line
};

ProgressState& state() {
  static ProgressState s;
  return s;
}

bool on_terminal() { return isatty(STDERR_FILENO) == 1; }

void draw(int pct) {
  ProgressState& s = state();
  std::fflush(stdout);  // the listener's own lines first, in order
  if (on_terminal()) {
    int filled = pct * kBarWidth / 100;
    std::string bar(static_cast<std::size_t>(filled), '#');
    bar.append(static_cast<std::size_t>(kBarWidth - filled), ' ');
    std::fprintf(stderr, "\r%s [%s] %3d%%\x1b[K", s.title.c_str(), bar.c_str(), pct);
  } else {
    int step = pct / 10 * 10;
    if (step == s.last_step) return;
    s.last_step = step;
    std::fprintf(stderr, "%s: %d%%\n", s.title.c_str(), step);
  }
  std::fflush(stderr);
}

}  // namespace

BOOL Interface::ProgressStart(const char* title, BOOL dispBar, LPTHREAD_START_ROUTINE fn, LPVOID arg) {
  ProgressState& s = state();
  if (s.shown) ProgressEnd();
  s.title = title != nullptr ? title : "";
  s.cancelled = false;
  s.last_step = -1;
  s.shown = dispBar != FALSE;
  if (s.shown) draw(0);
  if (fn != nullptr) fn(arg);
  return TRUE;
}

void Interface::ProgressUpdate(int pct, BOOL, const char* title) {
  ProgressState& s = state();
  if (!s.shown) return;
  if (title != nullptr) s.title = title;
  draw(std::clamp(pct, 0, 100));
}

void Interface::ProgressEnd() {
  ProgressState& s = state();
  if (s.shown && on_terminal()) {
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
  }
  s.shown = false;
}

BOOL Interface::GetCancel() { return state().cancelled ? TRUE : FALSE; }

void Interface::SetCancel(BOOL sw) { state().cancelled = sw != FALSE; }

// The viewports as plug-ins reach them through the core interface: the
// active viewport (ViewExp), redraw requests, and the progress bar's types.
#pragma once

#include <windows.h>

// Redraw requests (Interface::RedrawViews): one bit each.
constexpr DWORD REDRAW_BEGIN = 1 << 0;
constexpr DWORD REDRAW_INTERACTIVE = 1 << 1;
constexpr DWORD REDRAW_END = 1 << 2;
constexpr DWORD REDRAW_NORMAL = 1 << 3;

// A viewport. It is enabled while scene redraws are allowed: a viewport that
// is not enabled draws nothing until redraws are enabled again.
class ViewExp {
 public:
  virtual ~ViewExp() = default;
  virtual BOOL IsEnabled() = 0;
  // Whether the viewport still exists; the active one always does here.
  virtual bool IsAlive() { return true; }
};

// The work a progress bar runs (Interface::ProgressStart): called with the
// argument given, its result is ignored.
using LPTHREAD_START_ROUTINE = DWORD (*)(LPVOID arg);

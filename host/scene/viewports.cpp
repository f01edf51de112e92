// The viewports behind the core interface: one active viewport, enabled
// while no scene-redraw suspension is in force, and a count of redraws.
#include "host/core_interface.h"

namespace {

int redraw_disables = 0;
int redraw_count = 0;

class ActiveViewport : public ViewExp {
 public:
  BOOL IsEnabled() override { return redraw_disables == 0 ? TRUE : FALSE; }
};

}  // namespace

ViewExp& Interface::GetActiveViewExp() {
  static ActiveViewport active;
  return active;
}

ViewExp* Interface::GetActiveViewport() { return &GetActiveViewExp(); }

// The active viewport lives as long as the host: nothing to free.
void Interface::ReleaseViewport(ViewExp*) {}

void Interface::RedrawViews(TimeValue, DWORD) {
  if (redraw_disables == 0) ++redraw_count;
}

void Interface::ForceCompleteRedraw(BOOL doDisabled) {
  if (redraw_disables == 0 || doDisabled) ++redraw_count;
}

void Interface::DisableSceneRedraw() { ++redraw_disables; }

void Interface::EnableSceneRedraw() {
  if (redraw_disables > 0) --redraw_disables;
}

int Interface::IsSceneRedrawDisabled() { return redraw_disables > 0 ? 1 : 0; }

int Interface::GetRedrawCount() { return redraw_count; }

#include <commctrl.h>

#include <atomic>

namespace {
std::atomic<bool> initialized{false};
}

void InitCommonControls() { initialized = true; }

BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls) {
  if (controls == nullptr || controls->dwSize != sizeof(INITCOMMONCONTROLSEX)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  initialized = true;
  return TRUE;
}

bool CommonControlsInitialized() { return initialized; }

// The module's exports: the loader's attach and detach notifications, then
// LibInit, LibDescription and LibVersion.
#include <commctrl.h>

#include "host/maxscript.h"

#include "messages.h"

namespace {
HINSTANCE module_instance = nullptr;
bool common_controls_ready = false;
constexpr ULONG kVersion = 0x0BB80700;  // host release 3000, API 7, SDK revision 0
}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    module_instance = instance;
    if (!common_controls_ready) {
      common_controls_ready = true;
      InitCommonControls();
    }
  }
  return TRUE;
}

MODULE_EXPORT void LibInit() { thread_local_output()->puts(msg::kBanner); }

MODULE_EXPORT const char* LibDescription() { return msg::kDescription; }

MODULE_EXPORT ULONG LibVersion() { return kVersion; }

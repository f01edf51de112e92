// The module's exports: the loader's attach notification, then LibInit,
// LibDescription and LibVersion.
#include "host/maxscript.h"

#include "messages.h"

namespace {
HINSTANCE module_instance = nullptr;
constexpr ULONG kVersion = 0x0FA00800;  // host release 4000, API 8, SDK revision 0
}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module_instance = instance;
  return TRUE;
}

MODULE_EXPORT void LibInit() {}

MODULE_EXPORT const char* LibDescription() { return xrefname::msg::kDescription; }

MODULE_EXPORT ULONG LibVersion() { return kVersion; }

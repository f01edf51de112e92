// The module's exports: the loader's attach notification, then LibInit,
// LibDescription and LibVersion.
#include "host/maxscript.h"

#include "messages.h"
#include "module_version.h"
#include "names.h"
#include "zentu_functions.h"

namespace {
HINSTANCE module_instance = nullptr;
}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) module_instance = instance;
  return TRUE;
}

MODULE_EXPORT void LibInit() {
  define_zentu_version();
  define_scanline_render_ex();
  intern_zentu_names();
}

MODULE_EXPORT const char* LibDescription() { return zentu::msg::kDescription; }

MODULE_EXPORT ULONG LibVersion() { return zentu::kLibVersion; }

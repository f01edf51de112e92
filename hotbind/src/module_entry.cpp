// The module's exports: the loader's attach and detach notifications, the
// description, version and the one class.
#include "host/maxscript.h"

#include "hotbind_class_desc.h"
#include "hotbind_ids.h"
#include "messages.h"
#include "module_state.h"
#include "report_error.h"

namespace hotbind {

HINSTANCE module_instance = nullptr;

HotbindClassDesc& class_desc() {
  static HotbindClassDesc desc;
  return desc;
}

}  // namespace hotbind

namespace {
// Made when the module loads, as a static descriptor is.
HotbindClassDesc& made_with_module = hotbind::class_desc();
}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    hotbind::module_instance = instance;
    hotbind::event_source = RegisterEventSourceA(nullptr, msg::kEventSource);
  } else if (reason == DLL_PROCESS_DETACH) {
    hotbind::module_instance = nullptr;
    if (hotbind::event_source != nullptr) {
      DeregisterEventSource(hotbind::event_source);
      hotbind::event_source = nullptr;
    }
  }
  return TRUE;
}

MODULE_EXPORT const char* LibDescription() { return msg::kLibDescription; }
MODULE_EXPORT int LibNumberClasses() { return 1; }
MODULE_EXPORT ClassDesc* LibClassDesc(int i) { return i == 0 ? &hotbind::class_desc() : nullptr; }
MODULE_EXPORT ULONG LibVersion() { return hotbind::kLibVersion; }

// The core interface plug-ins reach through GetCOREInterface(), and what the
// base of global utility plug-ins does for them.
#include "host/core_interface.h"
#include "host/gup.h"

#include "../runtime/runtime_internal.h"
#include "interpreter.h"

const char* Interface::GetDir(int which) { return IPathConfigMgr::GetPathConfigMgr()->GetDir(which); }

BOOL Interface::ActivateShortcutTable(ShortcutCallback* callback, ActionTableId id) {
  return host::activate_shortcut_table(callback, id) ? TRUE : FALSE;
}

BOOL Interface::DeactivateShortcutTable(ShortcutCallback* callback, ActionTableId id) {
  return host::deactivate_shortcut_table(callback, id) ? TRUE : FALSE;
}

Interface* GetCOREInterface() {
  static Interface core;
  return &core;
}

BOOL GUP::ExecuteFileScript(const char* file) {
  if (file == nullptr) return FALSE;
  return host::script::run_file(NativePathFromWindows(file), {}) ? TRUE : FALSE;
}

BOOL GUP::ExecuteStringScript(const char* text) {
  if (text == nullptr) return FALSE;
  return host::script::run_source(text, "ExecuteStringScript", {}) ? TRUE : FALSE;
}

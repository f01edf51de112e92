// The core interface's folders and shortcut tables (the scene's part is in
// host/scene), and what the base of global utility plug-ins does for them.
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

BOOL GUP::ExecuteFileScript(const char* file) {
  if (file == nullptr) return FALSE;
  return host::script::run_file(NativePathFromWindows(file), {}) ? TRUE : FALSE;
}

BOOL GUP::ExecuteStringScript(const char* text) {
  if (text == nullptr) return FALSE;
  return host::script::run_source(text, "ExecuteStringScript", {}) ? TRUE : FALSE;
}

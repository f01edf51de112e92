// The application's core interface as plug-ins reach it: directories and
// keyboard shortcut tables.
#pragma once

#include <windows.h>

#include "host/paths.h"
#include "host/shortcuts.h"

class Interface {
 public:
  virtual ~Interface() = default;
  // A folder of the host by its AppDir number (APP_SCRIPTS_DIR, ...), as
  // IPathConfigMgr gives it; "" for a number that names no folder.
  virtual const char* GetDir(int which);
  // While active, the table's fired entries reach the callback. A table is
  // known once a loaded plug-in's class descriptor offered it.
  virtual BOOL ActivateShortcutTable(ShortcutCallback* callback, ActionTableId id);
  virtual BOOL DeactivateShortcutTable(ShortcutCallback* callback, ActionTableId id);
};

Interface* GetCOREInterface();

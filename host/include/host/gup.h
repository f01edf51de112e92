// Global utility plug-ins (.gup): the host makes one object through the
// module's class descriptor after loading it, starts it, and stops and
// deletes it before unloading the module.
#pragma once

#include <windows.h>

#include "host/core_interface.h"

// What Start returns.
#define GUPRESULT_KEEP 0x00
#define GUPRESULT_NOKEEP 0x01
#define GUPRESULT_ABORT 0x03

class GUP {
 public:
  virtual ~GUP() = default;
  virtual DWORD Start() = 0;
  virtual void Stop() = 0;
  virtual DWORD_PTR Control(DWORD parameter) { return 0; }

  Interface* Max() { return GetCOREInterface(); }
  HINSTANCE MaxInst() { return nullptr; }
  HWND MaxWnd() { return nullptr; }
  // Runs a script file as fileIn does; true when it ran without an uncaught error.
  BOOL ExecuteFileScript(const char* file);
  // Runs script text; true when it ran without an uncaught error.
  BOOL ExecuteStringScript(const char* text);
};

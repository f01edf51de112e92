// Common controls.
#pragma once

#include <windows.h>

#define ICC_WIN95_CLASSES 0x000000FF

struct INITCOMMONCONTROLSEX {
  DWORD dwSize;
  DWORD dwICC;
};

// The layer's controls need no registration; these record that the program
// asked for them and succeed.
void InitCommonControls();
BOOL InitCommonControlsEx(const INITCOMMONCONTROLSEX* controls);
// Whether InitCommonControls or InitCommonControlsEx has been called.
bool CommonControlsInitialized();

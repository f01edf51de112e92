// What a script extension module exports, and the version words.
#pragma once

#include <windows.h>

// A script extension (.dlx) exports, with C linkage:
//   void LibInit();                  called once after static construction
//   const char* LibDescription();
//   ULONG LibVersion();              release * 65536 + API number * 256
// and may export DllMain(HINSTANCE, DWORD reason, LPVOID), which the loader
// calls with DLL_PROCESS_ATTACH after construction and DLL_PROCESS_DETACH
// before unloading.
#define MODULE_EXPORT extern "C" DLLEXPORT

using LibInitFn = void (*)();
using LibDescriptionFn = const char* (*)();
using LibVersionFn = ULONG (*)();
using DllMainFn = BOOL (*)(HINSTANCE, DWORD, LPVOID);

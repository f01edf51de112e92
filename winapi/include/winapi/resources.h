// String and accelerator resources of a module. On Linux they are compiled
// into the module as a static ModuleResources object (resource_table.h), which
// registers itself when the module loads; the calls below find the resources
// of the module whose handle they are given (the dlopen handle that the host
// passes to DllMain, or GetModuleHandleA(NULL) for the program itself).
#pragma once

struct HACCEL__;
using HACCEL = HACCEL__*;

#define MAKEINTRESOURCEA(i) ((LPSTR)((std::uintptr_t)((WORD)(i))))
#define MAKEINTRESOURCE MAKEINTRESOURCEA
#define IS_INTRESOURCE(r) ((((std::uintptr_t)(r)) >> 16) == 0)

#define FVIRTKEY 0x01
#define FNOINVERT 0x02
#define FSHIFT 0x04
#define FCONTROL 0x08
#define FALT 0x10

struct ACCEL {
  BYTE fVirt;
  WORD key;
  WORD cmd;
};
using LPACCEL = ACCEL*;

// Copies the string with identifier `id` into `buffer`, at most maxCount - 1
// characters and a zero; returns the characters copied, 0 when there is none.
int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int maxCount);

// The accelerator table named by an integer resource (MAKEINTRESOURCE) or by a
// name; NULL when the module has no such table.
HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR tableName);

// With `entries` NULL, returns the number of entries; else copies at most
// `count` entries and returns how many it copied.
int CopyAcceleratorTableA(HACCEL table, LPACCEL entries, int count);

#define LoadString LoadStringA
#define LoadAccelerators LoadAcceleratorsA

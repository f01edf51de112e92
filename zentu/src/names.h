// The symbolic names Zentu compares arguments with or returns. LibInit
// interns them once, in this order; they are compared by identity.
#pragma once

#include "host/maxscript.h"

struct ZentuNames {
  // Registry root keys.
  Value* hkey_classes_root = nullptr;
  Value* hkey_current_config = nullptr;
  Value* hkey_current_user = nullptr;
  Value* hkey_local_machine = nullptr;
  Value* hkey_users = nullptr;
  // PlaySound's keyword and its values.
  Value* playtype = nullptr;
  Value* nowait = nullptr;
  Value* wait = nullptr;
  // Modifier channels, in the order they are reported.
  Value* channels[13] = {};
};
extern ZentuNames zentu_names;

// The modifier channel bits, in the order of zentu_names.channels.
extern const DWORD kChannelBits[13];

void intern_zentu_names();

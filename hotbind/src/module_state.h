// What the module keeps for its lifetime.
#pragma once

#include <windows.h>

class HotbindClassDesc;

namespace hotbind {

// Set on process attach, cleared on detach.
extern HINSTANCE module_instance;
// The one class descriptor, made when the module loads.
HotbindClassDesc& class_desc();

}  // namespace hotbind

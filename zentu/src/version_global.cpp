// ZentuVersion: the module's version for scripts, read-only.
#include "messages.h"
#include "module_version.h"
#include "zentu_functions.h"

namespace {

Value* get_version() { return Integer::intern(zentu::kVersion); }
Value* set_version(Value*) { throw RuntimeError(zentu::msg::kVersionReadOnly); }

}  // namespace

void define_zentu_version() { define_system_global("ZentuVersion", get_version, set_version); }

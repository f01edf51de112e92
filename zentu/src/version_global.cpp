// ZentuVersion: the module's version for scripts, read-only.
#include "messages.h"
#include "zentu_functions.h"

namespace {

constexpr int kZentuVersion = 13;

Value* get_version() { return Integer::intern(kZentuVersion); }
Value* set_version(Value*) { throw RuntimeError(zentu::msg::kVersionReadOnly); }

}  // namespace

void define_zentu_version() { define_system_global("ZentuVersion", get_version, set_version); }

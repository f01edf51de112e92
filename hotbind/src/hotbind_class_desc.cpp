#include "hotbind_class_desc.h"

#include <new>

#include "hotbind_gup.h"
#include "hotbind_ids.h"
#include "messages.h"
#include "module_state.h"

namespace {

using namespace hotbind;

// Position 0 reloads the configuration; position k is shortcut k.
const ShortcutDescription* shortcut_descriptions() {
  static ShortcutDescription table[kTableEntries] = {};
  if (table[0].mCmdID == 0) {
    table[0] = {kReloadCommand, static_cast<int>(kReloadString)};
    for (int k = 1; k <= kShortcutCount; ++k)
      table[k] = {kFirstShortcutCommand + k - 1, static_cast<int>(kFirstShortcutString) + k - 1};
  }
  return table;
}

// String resources are loaded into this one buffer.
char string_buffer[256];

}  // namespace

void* HotbindClassDesc::Create(BOOL) { return new HotbindGUP; }
const char* HotbindClassDesc::ClassName() { return msg::kClassName; }
Class_ID HotbindClassDesc::ClassID() { return Class_ID(kClassIdA, kClassIdB); }
const char* HotbindClassDesc::Category() { return msg::kCategory; }

ShortcutTable* HotbindClassDesc::GetShortcutTable(int) {
  if (table_ != nullptr) return table_;
  string_buffer[0] = '\0';
  if (module_instance == nullptr ||
      LoadStringA(module_instance, kTableNameString, string_buffer, sizeof string_buffer) <= 0)
    string_buffer[0] = '\0';
  CStr name(string_buffer);
  HACCEL accelerators = LoadAcceleratorsA(module_instance, MAKEINTRESOURCEA(kAcceleratorTable));
  table_ = new (std::nothrow)
      ShortcutTable(kTableId, name, accelerators, kTableEntries, shortcut_descriptions(), module_instance);
  return table_;
}

// The module's string table and its accelerator table.
#include <winapi/resource_table.h>

#include <string>
#include <vector>

#include "hotbind_ids.h"

namespace {

using namespace hotbind;

std::vector<StringResource> strings() {
  std::vector<StringResource> table{{kTableNameString, "MAXScript Shortcuts"}};
  for (int k = 1; k <= kShortcutCount; ++k) {
    std::string name = "Shortcut ";
    if (k < 10) name += '0';
    table.push_back({kFirstShortcutString + static_cast<UINT>(k - 1), name + std::to_string(k)});
  }
  table.push_back({kReloadString, " * Reload MAXScriptShortcuts.txt"});
  return table;
}

// Stored in the order 1001, 1000, 1002 ... 1049, 999: no shortcut has a key;
// Ctrl+Alt+M reloads the configuration.
std::vector<ACCEL> accelerators() {
  std::vector<ACCEL> table;
  auto no_key = [](int command) { return ACCEL{FNOINVERT, 0, static_cast<WORD>(command)}; };
  table.push_back(no_key(kFirstShortcutCommand + 1));
  table.push_back(no_key(kFirstShortcutCommand));
  for (int command = kFirstShortcutCommand + 2; command < kFirstShortcutCommand + kShortcutCount; ++command)
    table.push_back(no_key(command));
  table.push_back(ACCEL{FVIRTKEY | FNOINVERT | FCONTROL | FALT, 'M', kReloadCommand});
  return table;
}

const ModuleResources resources{strings(), {{kAcceleratorTable, accelerators()}}};

}  // namespace

// Shortcut tables: their entries, and which are known and active.
#include <algorithm>
#include <map>

#include "host/shortcuts.h"
#include "runtime_internal.h"

ShortcutTable::ShortcutTable(ActionTableId id, const CStr& name, HACCEL accelerators, int count,
                             const ShortcutDescription* descriptions, HINSTANCE instance)
    : id_(id), name_(name), accelerators_(accelerators) {
  constexpr int kNameBuffer = 256;
  for (int i = 0; i < count && descriptions != nullptr; ++i) {
    char text[kNameBuffer] = "";
    if (LoadStringA(instance, static_cast<UINT>(descriptions[i].mResourceID), text, kNameBuffer) <= 0)
      text[0] = '\0';
    operations_.emplace_back(descriptions[i].mCmdID, text);
  }
}

ShortcutOperation* ShortcutTable::operator[](int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return &operations_[static_cast<std::size_t>(index)];
}

int ShortcutTable::GetIndex(int command_id) const {
  for (std::size_t i = 0; i < operations_.size(); ++i)
    if (operations_[i].GetId() == command_id) return static_cast<int>(i);
  return -1;
}

namespace host {

namespace {
struct Known {
  ShortcutTable* table;
  ShortcutCallback* callback = nullptr;  // set while active
};
std::map<ActionTableId, Known>& tables() {
  static auto* known = new std::map<ActionTableId, Known>;
  return *known;
}
}  // namespace

bool register_shortcut_table(ShortcutTable* table) {
  return table != nullptr && tables().emplace(table->GetId(), Known{table}).second;
}

// The host owns the tables class descriptors give it.
void unregister_shortcut_table(ActionTableId id) {
  auto found = tables().find(id);
  if (found == tables().end()) return;
  delete found->second.table;
  tables().erase(found);
}

ShortcutTable* find_shortcut_table(ActionTableId id) {
  auto found = tables().find(id);
  return found == tables().end() ? nullptr : found->second.table;
}

ShortcutCallback* active_shortcut_callback(ActionTableId id) {
  auto found = tables().find(id);
  return found == tables().end() ? nullptr : found->second.callback;
}

bool activate_shortcut_table(ShortcutCallback* callback, ActionTableId id) {
  auto found = tables().find(id);
  if (found == tables().end() || callback == nullptr) return false;
  found->second.callback = callback;
  return true;
}

bool fire_shortcut(ActionTableId id, int command_id) {
  auto found = tables().find(id);
  if (found == tables().end() || found->second.callback == nullptr) return false;
  if (found->second.table->GetIndex(command_id) < 0) return false;
  return found->second.callback->KeyboardShortcut(command_id) != FALSE;
}

std::vector<ShortcutTable*> active_shortcut_tables() {
  std::vector<ShortcutTable*> active;
  for (const auto& [id, known] : tables())
    if (known.callback != nullptr) active.push_back(known.table);
  return active;
}

bool deactivate_shortcut_table(ShortcutCallback* callback, ActionTableId id) {
  auto found = tables().find(id);
  if (found == tables().end() || found->second.callback != callback) return false;
  found->second.callback = nullptr;
  return true;
}

}  // namespace host

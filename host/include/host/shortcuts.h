// Keyboard shortcut tables that plug-ins give the host: each entry is a
// command identifier with a display name; while a table is active, a fired
// entry reaches the table's callback with its command identifier.
#pragma once

#include <windows.h>

#include "host/strclass.h"

#include <string>
#include <vector>

using ActionTableId = DWORD;

// A plug-in's record of one entry: its command and the string resource of its name.
struct ShortcutDescription {
  int mCmdID;
  int mResourceID;
};

// One entry of a table.
class ShortcutOperation {
 public:
  ShortcutOperation(int command_id, std::string name) : id_(command_id), name_(std::move(name)) {}
  int GetId() const { return id_; }
  const char* GetName() const { return name_.c_str(); }
  void SetName(const char* name) { name_ = name ? name : ""; }

 private:
  int id_;
  std::string name_;
};

// What the host calls when an entry of an active table fires.
class ShortcutCallback {
 public:
  virtual ~ShortcutCallback() = default;
  virtual BOOL KeyboardShortcut(int id) = 0;
};

// A table a class descriptor gives the host is the host's: it deletes the
// table when the descriptor's module unloads.
class ShortcutTable {
 public:
  // Entry names come from the string resources of `instance`; the keys from
  // the accelerator table (entries without a key have key code 0).
  ShortcutTable(ActionTableId id, const CStr& name, HACCEL accelerators, int count,
                const ShortcutDescription* descriptions, HINSTANCE instance);
  ShortcutTable(const ShortcutTable&) = delete;
  ShortcutTable& operator=(const ShortcutTable&) = delete;

  ActionTableId GetId() const { return id_; }
  const char* GetName() const { return name_.data(); }
  HACCEL GetHAccel() const { return accelerators_; }
  int Count() const { return static_cast<int>(operations_.size()); }
  // The entry at a position (0-based), or null.
  ShortcutOperation* operator[](int index);
  // The position of the entry with a command identifier, or -1.
  int GetIndex(int command_id) const;

 private:
  ActionTableId id_;
  CStr name_;
  HACCEL accelerators_;
  std::vector<ShortcutOperation> operations_;
};

// The plug-in object: 50 shortcuts bound to script files by the
// configuration file, and the callback that runs them when they fire.
#pragma once

#include "host/gup.h"

#include "hotbind_ids.h"

class HotbindGUP;

class HotbindShortcutCallback : public ShortcutCallback {
 public:
  explicit HotbindShortcutCallback(HotbindGUP* plugin) : plugin_(plugin) {}
  BOOL KeyboardShortcut(int id) override;

 private:
  HotbindGUP* plugin_;
};

class HotbindGUP : public GUP {
 public:
  HotbindGUP();
  DWORD Start() override;
  void Stop() override;
  DWORD_PTR Control(DWORD parameter) override { return 0; }

  // Reads MAXScriptShortcuts.txt from the scripts folder: binds the
  // shortcuts and names the table's entries. True when read to its end.
  bool LoadShortcutConfig();
  // What a fired command does (the callback's answer).
  BOOL Dispatch(int id);

  const char* script(int k) const { return scripts_[k]; }
  const char* name(int k) const { return names_[k]; }

 private:
  HotbindShortcutCallback* callback_ = nullptr;
  char scripts_[hotbind::kShortcutCount][hotbind::kScriptSlotSize];
  char names_[hotbind::kShortcutCount][hotbind::kNameSlotSize];
};

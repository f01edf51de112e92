// The class descriptor: it makes the plug-in object and builds the shortcut
// table on the first request, then always answers with that same table.
#pragma once

#include "host/gup.h"
#include "host/plugin_classes.h"
#include "host/shortcuts.h"

class HotbindClassDesc : public ClassDesc {
 public:
  int IsPublic() override { return 1; }
  void* Create(BOOL loading) override;
  const char* ClassName() override;
  SClass_ID SuperClassID() override { return GUP_CLASS_ID; }
  Class_ID ClassID() override;
  const char* Category() override;
  int NumShortcutTables() override { return 1; }
  // The same table for every i; null when it could not be made (the next
  // request tries again).
  ShortcutTable* GetShortcutTable(int i) override;

 private:
  ShortcutTable* table_ = nullptr;  // the host's once given: never deleted here
};

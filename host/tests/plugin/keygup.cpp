// A global utility plug-in built only for the tests of the interactive
// listener's accelerator keys: its table's Alt+P prints a line and
// Ctrl+Alt+R throws.
#include <winapi/resource_table.h>

#include <stdexcept>

#include "host/gup.h"
#include "host/maxscript.h"
#include "host/plugin_classes.h"
#include "host/shortcuts.h"

namespace {

constexpr ActionTableId kTableId = 0x7E570001;
constexpr UINT kAccelerators = 300;
enum Command : WORD { kPrint = 1, kThrow = 2 };

const ModuleResources resources{
    {{401, "Print"}, {402, "Throw"}},
    {{kAccelerators, {{FVIRTKEY | FALT, 'P', kPrint}, {FVIRTKEY | FCONTROL | FALT, 'R', kThrow}}}}};
HINSTANCE module_instance = nullptr;

class KeyCallback : public ShortcutCallback {
 public:
  explicit KeyCallback(GUP* plugin) : plugin_(plugin) {}
  BOOL KeyboardShortcut(int id) override {
    if (id == kPrint) return plugin_->ExecuteStringScript("print \"key fired\"");
    if (id == kThrow) throw std::runtime_error("the key's command failed");
    return FALSE;
  }

 private:
  GUP* plugin_;
};

class KeyGup : public GUP {
 public:
  DWORD Start() override {
    Max()->ActivateShortcutTable(&callback_, kTableId);
    return GUPRESULT_KEEP;
  }
  void Stop() override { Max()->DeactivateShortcutTable(&callback_, kTableId); }

 private:
  KeyCallback callback_{this};
};

const ShortcutDescription kDescriptions[] = {{kPrint, 401}, {kThrow, 402}};

class KeyGupDesc : public ClassDesc {
 public:
  int IsPublic() override { return 1; }
  void* Create(BOOL) override { return new KeyGup; }
  const char* ClassName() override { return "KeyGup"; }
  SClass_ID SuperClassID() override { return GUP_CLASS_ID; }
  Class_ID ClassID() override { return Class_ID(0x4B45, 0x5947); }
  const char* Category() override { return "Global Utility PlugIn"; }
  int NumShortcutTables() override { return 1; }
  // Made once; the host deletes it when the module unloads.
  ShortcutTable* GetShortcutTable(int) override {
    if (table_ == nullptr)
      table_ = new ShortcutTable(kTableId, CStr("Key test"),
                                 LoadAcceleratorsA(module_instance, MAKEINTRESOURCEA(kAccelerators)), 2,
                                 kDescriptions, module_instance);
    return table_;
  }

 private:
  ShortcutTable* table_ = nullptr;
};
KeyGupDesc desc;

}  // namespace

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID) {
  module_instance = reason == DLL_PROCESS_ATTACH ? instance : nullptr;
  return TRUE;
}
MODULE_EXPORT const char* LibDescription() { return "Key test utility"; }
MODULE_EXPORT int LibNumberClasses() { return 1; }
MODULE_EXPORT ClassDesc* LibClassDesc(int i) { return i == 0 ? &desc : nullptr; }
MODULE_EXPORT ULONG LibVersion() { return 0x0BB80700; }

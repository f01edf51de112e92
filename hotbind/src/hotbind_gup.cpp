#include "hotbind_gup.h"

#include "messages.h"
#include "report_error.h"

using namespace hotbind;

HotbindGUP::HotbindGUP() : scripts_{}, names_{} {}

DWORD HotbindGUP::Start() {
  if (!LoadShortcutConfig()) return GUPRESULT_NOKEEP;
  callback_ = new HotbindShortcutCallback(this);
  Max()->ActivateShortcutTable(callback_, kTableId);
  return GUPRESULT_KEEP;
}

void HotbindGUP::Stop() {
  Max()->DeactivateShortcutTable(callback_, kTableId);
  delete callback_;
  callback_ = nullptr;
}

BOOL HotbindShortcutCallback::KeyboardShortcut(int id) { return plugin_->Dispatch(id); }

BOOL HotbindGUP::Dispatch(int id) {
  if (id >= kFirstShortcutCommand && id < kFirstShortcutCommand + kShortcutCount) {
    int k = id - kFirstShortcutCommand;
    if (scripts_[k][0] == '\0') {
      ReportError(msg::kNoScriptBound, names_[k]);
      return FALSE;
    }
    if (ExecuteFileScript(scripts_[k])) return TRUE;
    ReportError(msg::kScriptFailed, scripts_[k], names_[k]);
    return FALSE;
  }
  if (id == kReloadCommand) LoadShortcutConfig();  // reloads in place; the answer stays FALSE
  return FALSE;
}

#include "keyable_prop_restore.h"

#include "messages.h"

namespace {

bool not_keyable_now(IKeyableProperty* keyable) {
  return (*keyable->GetFlagWord() & KEYABLE_PROP_NOT_KEYABLE) != 0;
}

}  // namespace

void ApplyKeyableFlag(Control* controller, bool notKeyable) {
  auto* keyable = static_cast<IKeyableProperty*>(controller->GetInterface(I_KEYABLE_PROPERTY));
  if (keyable == nullptr) return;
  DWORD* flags = keyable->GetFlagWord();
  if (notKeyable)
    *flags |= KEYABLE_PROP_NOT_KEYABLE;
  else
    *flags &= ~KEYABLE_PROP_NOT_KEYABLE;
  controller->NotifyDependents(FOREVER, PART_ALL, REFMSG_CHANGE, NOTIFY_ALL, TRUE, nullptr);
}

KeyablePropRestore::KeyablePropRestore(Control* controller, IKeyableProperty* keyable)
    : controller_(controller), keyable_(keyable), undoNotKeyable_(not_keyable_now(keyable)) {}

void KeyablePropRestore::Restore(int) {
  redoNotKeyable_ = not_keyable_now(keyable_);
  ApplyKeyableFlag(controller_, undoNotKeyable_);
}

void KeyablePropRestore::Redo() { ApplyKeyableFlag(controller_, redoNotKeyable_); }

void KeyablePropRestore::EndHold() { controller_->ClearAFlag(A_HELD); }

std::string KeyablePropRestore::Description() { return zentu::msg::kKeyablePropUndo; }

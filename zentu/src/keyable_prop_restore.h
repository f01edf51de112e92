// The keyable property of controllers: the flag that says whether a
// controller takes keys, written with its dependents told, and the undo
// record of a change to it.
#pragma once

#include "host/control.h"
#include "host/hold.h"

// Sets (notKeyable) or clears the controller's not-keyable bit, then tells
// the controller's dependents that it changed.
void ApplyKeyableFlag(Control* controller, bool notKeyable);

class KeyablePropRestore : public RestoreObj {
 public:
  // Takes the bit as it is now; the caller has set the controller's held mark.
  KeyablePropRestore(Control* controller, IKeyableProperty* keyable);
  void Restore(int isUndo) override;
  void Redo() override;
  int Size() override { return 1; }
  void EndHold() override;
  std::string Description() override;

 private:
  Control* controller_;
  IKeyableProperty* keyable_;
  bool undoNotKeyable_;
  bool redoNotKeyable_ = false;
};

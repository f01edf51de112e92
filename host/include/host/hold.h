// The host's undo hold: while it is holding, a plug-in records a restore
// object with Put before it changes scene data.
#pragma once

#include <memory>
#include <vector>

class RestoreObj {
 public:
  virtual ~RestoreObj() = default;
  virtual void Restore(int isUndo) = 0;
  virtual void Redo() = 0;
};

class Hold {
 public:
  void Begin();
  void Accept(const char* name);
  void Cancel();  // restores everything put since Begin
  bool Holding() const { return depth_ > 0 && suspended_ == 0; }
  // While suspended (undo off inside undo on) the hold records nothing.
  void Suspend() { ++suspended_; }
  void Resume() {
    if (suspended_ > 0) --suspended_;
  }
  bool IsSuspended() const { return suspended_ > 0; }
  void Put(RestoreObj* rob);  // takes ownership
  // Undoes the last accepted record; false when there is none.
  bool Undo();
  int UndoCount() const { return static_cast<int>(undo_.size()); }

 private:
  struct Record {
    std::vector<std::unique_ptr<RestoreObj>> restores;
  };
  int depth_ = 0;
  int suspended_ = 0;
  Record open_;
  std::vector<Record> undo_;
};
extern Hold theHold;

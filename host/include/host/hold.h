// The host's undo hold: while it is holding, a plug-in records a restore
// object with Put before it changes scene data.
//
// Holds nest. Each Begin is closed by one Accept or Cancel: Cancel restores
// only what was put since its own Begin; the outermost Accept turns all that
// was put into one undo entry labelled with its name. Undo and Redo then act
// on whole entries, newest first; recording anything new after an undo drops
// the entries that could have been redone.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class RestoreObj {
 public:
  // Interfaces the record offers by id; none here. First, as in the SDK's
  // slot order, so plug-in records keep their virtual layout.
  virtual void* GetInterface(ULONG id) {
    (void)id;
    return nullptr;
  }
  virtual ~RestoreObj() = default;
  // isUndo is nonzero when the user undoes the change, zero when a Cancel
  // takes it back.
  virtual void Restore(int isUndo) = 0;
  virtual void Redo() = 0;
  // Bytes the record holds, roughly.
  virtual int Size() { return 1; }
  // The hold that recorded it ended (its outermost Accept, or the Cancel that
  // took it back): records that mark their object as held clear the mark here.
  virtual void EndHold() {}
  virtual std::string Description() { return "---"; }
  virtual INT_PTR Execute(int cmd, ULONG_PTR arg1 = 0, ULONG_PTR arg2 = 0, ULONG_PTR arg3 = 0) {
    (void)cmd;
    (void)arg1;
    (void)arg2;
    (void)arg3;
    return -1;
  }
};

class Hold {
 public:
  void Begin();
  void Accept(const char* name);
  void Cancel();  // restores everything put since the matching Begin
  // True inside Begin ... Accept/Cancel while not suspended.
  bool Holding() const { return !begins_.empty() && suspended_ == 0; }
  // How many Begins are open.
  int GetBeginDepth() const { return static_cast<int>(begins_.size()); }
  void Put(RestoreObj* rob);  // takes ownership; dropped when not holding

  // While suspended (Suspend nests; each Resume ends one), Holding is false
  // and Put drops what it gets.
  void Suspend() { ++suspended_; }
  void Resume() {
    if (suspended_ > 0) --suspended_;
  }
  bool IsSuspended() const { return suspended_ > 0; }

  // Undoes the newest entry / redoes the newest undone one; false when there
  // is none or a hold is open.
  bool Undo();
  bool Redo();
  int UndoCount() const { return static_cast<int>(undo_.size()); }
  int RedoCount() const { return static_cast<int>(redo_.size()); }
  // Labels of the entries, 0 the newest; empty when there is no such entry.
  std::string UndoLabel(int i) const;
  std::string RedoLabel(int i) const;
  // Ends every open hold and forgets every entry, restoring nothing.
  void Clear();

 private:
  struct Entry {
    std::string label;
    std::vector<std::unique_ptr<RestoreObj>> restores;
  };
  int suspended_ = 0;
  std::vector<std::size_t> begins_;                    // restores_ size at each open Begin
  std::vector<std::unique_ptr<RestoreObj>> restores_;  // put since the outermost Begin
  std::vector<Entry> undo_;
  std::vector<Entry> redo_;
};
extern Hold theHold;

// The undo hold.
#include "runtime_internal.h"

Hold theHold;

void Hold::Begin() { ++depth_; }

void Hold::Accept(const char*) {
  if (depth_ == 0) return;
  if (--depth_ == 0 && !open_.restores.empty()) {
    undo_.push_back(std::move(open_));
    open_ = Record{};
  }
}

void Hold::Cancel() {
  if (depth_ == 0) return;
  depth_ = 0;
  for (auto it = open_.restores.rbegin(); it != open_.restores.rend(); ++it) (*it)->Restore(TRUE);
  open_ = Record{};
}

void Hold::Put(RestoreObj* rob) {
  std::unique_ptr<RestoreObj> owned(rob);
  if (Holding()) open_.restores.push_back(std::move(owned));
}

bool Hold::Undo() {
  if (undo_.empty()) return false;
  Record last = std::move(undo_.back());
  undo_.pop_back();
  for (auto it = last.restores.rbegin(); it != last.restores.rend(); ++it) (*it)->Restore(TRUE);
  return true;
}

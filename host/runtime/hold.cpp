// The undo hold.
#include "runtime_internal.h"

Hold theHold;

namespace {
// Nothing a restore object does while it restores is recorded.
class Suspended {
 public:
  explicit Suspended(Hold& h) : hold_(h) { hold_.Suspend(); }
  ~Suspended() { hold_.Resume(); }
  Suspended(const Suspended&) = delete;
  Suspended& operator=(const Suspended&) = delete;

 private:
  Hold& hold_;
};
}  // namespace

void Hold::Begin() { begins_.push_back(restores_.size()); }

void Hold::Accept(const char* name) {
  if (begins_.empty()) return;
  begins_.pop_back();
  if (!begins_.empty() || restores_.empty()) return;
  for (auto& r : restores_) r->EndHold();
  undo_.push_back({name != nullptr ? name : "", std::move(restores_)});
  restores_.clear();
}

void Hold::Cancel() {
  if (begins_.empty()) return;
  std::size_t mark = begins_.back();
  begins_.pop_back();
  std::vector<std::unique_ptr<RestoreObj>> taken(std::make_move_iterator(restores_.begin() + mark),
                                                 std::make_move_iterator(restores_.end()));
  restores_.resize(mark);
  Suspended quiet(*this);
  for (auto it = taken.rbegin(); it != taken.rend(); ++it) (*it)->Restore(FALSE);
  for (auto& r : taken) r->EndHold();
}

void Hold::Put(RestoreObj* rob) {
  std::unique_ptr<RestoreObj> owned(rob);
  if (!Holding() || rob == nullptr) return;
  restores_.push_back(std::move(owned));
  redo_.clear();
}

bool Hold::Undo() {
  if (undo_.empty() || !begins_.empty()) return false;
  Entry last = std::move(undo_.back());
  undo_.pop_back();
  {
    Suspended quiet(*this);
    for (auto it = last.restores.rbegin(); it != last.restores.rend(); ++it) (*it)->Restore(TRUE);
  }
  redo_.push_back(std::move(last));
  return true;
}

bool Hold::Redo() {
  if (redo_.empty() || !begins_.empty()) return false;
  Entry next = std::move(redo_.back());
  redo_.pop_back();
  {
    Suspended quiet(*this);
    for (auto& r : next.restores) r->Redo();
  }
  undo_.push_back(std::move(next));
  return true;
}

void Hold::Clear() {
  begins_.clear();
  restores_.clear();
  undo_.clear();
  redo_.clear();
}

static std::string label_at(const auto& entries, int i) {
  if (i < 0 || i >= static_cast<int>(entries.size())) return {};
  return entries[entries.size() - 1 - static_cast<std::size_t>(i)].label;
}

std::string Hold::UndoLabel(int i) const { return label_at(undo_, i); }
std::string Hold::RedoLabel(int i) const { return label_at(redo_, i); }

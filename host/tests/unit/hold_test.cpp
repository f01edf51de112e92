// The undo hold: nesting, cancel, suspend, and undo and redo of whole entries.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/runtime_internal.h"

namespace {

// A change of one int that writes down each call the hold makes on it.
class Change : public RestoreObj {
 public:
  Change(std::vector<std::string>* log, const char* tag, int* target, int old_value, int new_value)
      : log_(log), tag_(tag), target_(target), old_(old_value), new_(new_value) {}
  ~Change() override { log_->push_back(std::string("drop ") + tag_); }
  void Restore(int isUndo) override {
    log_->push_back(std::string(isUndo ? "undo " : "cancel ") + tag_);
    *target_ = old_;
  }
  void Redo() override {
    log_->push_back(std::string("redo ") + tag_);
    *target_ = new_;
  }

 private:
  std::vector<std::string>* log_;
  const char* tag_;
  int* target_;
  int old_, new_;
};

class HoldTest : public ::testing::Test {
 protected:
  // Sets x to v, recording the change in the hold.
  void set(const char* tag, int v) {
    hold.Put(new Change(&log, tag, &x, x, v));
    x = v;
  }
  std::vector<std::string> take_log() { return std::exchange(log, {}); }

  std::vector<std::string> log;
  int x = 0;
  Hold hold;
};

using Log = std::vector<std::string>;

TEST_F(HoldTest, NestedCancelTakesBackOnlyItsOwnPartAndLeavesTheOuterHoldOpen) {
  hold.Begin();
  set("a", 1);
  hold.Begin();
  set("b", 2);
  set("c", 3);
  hold.Cancel();
  EXPECT_EQ(take_log(), (Log{"cancel c", "cancel b", "drop b", "drop c"}));
  EXPECT_EQ(x, 1);
  EXPECT_TRUE(hold.Holding());
  EXPECT_EQ(hold.GetBeginDepth(), 1);
  set("d", 4);
  hold.Accept("outer");
  EXPECT_FALSE(hold.Holding());
  ASSERT_EQ(hold.UndoCount(), 1);
  EXPECT_EQ(hold.UndoLabel(0), "outer");
  EXPECT_TRUE(hold.Undo());
  EXPECT_EQ(take_log(), (Log{"undo d", "undo a"}));
  EXPECT_EQ(x, 0);
}

TEST_F(HoldTest, OnlyTheOutermostAcceptMakesAnEntryAndItsLabelIsKept) {
  hold.Begin();
  hold.Begin();
  set("a", 1);
  hold.Accept("inner");
  EXPECT_EQ(hold.UndoCount(), 0);
  EXPECT_TRUE(hold.Holding());
  hold.Accept("outer");
  EXPECT_EQ(hold.UndoCount(), 1);
  EXPECT_EQ(hold.UndoLabel(0), "outer");
  // A hold that recorded nothing makes no entry; unmatched ends do nothing.
  hold.Begin();
  hold.Accept("empty");
  hold.Accept("stray");
  hold.Cancel();
  EXPECT_EQ(hold.UndoCount(), 1);
  EXPECT_EQ(hold.GetBeginDepth(), 0);
  EXPECT_EQ(hold.UndoLabel(1), "");
}

TEST_F(HoldTest, UndoAndRedoActOnWholeEntriesNewestFirst) {
  hold.Begin();
  set("a1", 1);
  set("a2", 2);
  hold.Accept("first");
  hold.Begin();
  set("b1", 3);
  hold.Accept("second");
  EXPECT_EQ(hold.UndoLabel(0), "second");
  EXPECT_EQ(hold.UndoLabel(1), "first");

  EXPECT_TRUE(hold.Undo());
  EXPECT_TRUE(hold.Undo());
  EXPECT_FALSE(hold.Undo());
  EXPECT_EQ(take_log(), (Log{"undo b1", "undo a2", "undo a1"}));
  EXPECT_EQ(x, 0);
  EXPECT_EQ(hold.RedoCount(), 2);
  EXPECT_EQ(hold.RedoLabel(0), "first");

  EXPECT_TRUE(hold.Redo());
  EXPECT_EQ(take_log(), (Log{"redo a1", "redo a2"}));
  EXPECT_EQ(x, 2);
  EXPECT_EQ(hold.UndoLabel(0), "first");
  EXPECT_EQ(hold.RedoLabel(0), "second");

  // Something new after an undo: "second" can no longer be redone.
  hold.Begin();
  set("c1", 5);
  EXPECT_EQ(hold.RedoCount(), 0);
  EXPECT_EQ(take_log(), (Log{"drop b1"}));
  // No undo or redo while a hold is open.
  EXPECT_FALSE(hold.Undo());
  hold.Accept("third");
  EXPECT_FALSE(hold.Redo());
  EXPECT_EQ(hold.UndoCount(), 2);
}

TEST_F(HoldTest, SuspendNestsAndDropsWhatIsPutMeanwhile) {
  hold.Begin();
  hold.Suspend();
  hold.Suspend();
  EXPECT_FALSE(hold.Holding());
  set("a", 1);
  EXPECT_EQ(take_log(), (Log{"drop a"}));
  hold.Resume();
  EXPECT_TRUE(hold.IsSuspended());
  hold.Resume();
  EXPECT_TRUE(hold.Holding());
  set("b", 2);
  hold.Accept("after");
  EXPECT_TRUE(hold.Undo());
  EXPECT_EQ(take_log(), (Log{"undo b"}));
  EXPECT_EQ(x, 1);  // a was never recorded
}

TEST_F(HoldTest, ClearForgetsEveryEntryWithoutRestoring) {
  hold.Begin();
  set("a", 1);
  hold.Accept("one");
  hold.Begin();
  set("b", 2);
  hold.Accept("two");
  hold.Undo();
  hold.Begin();
  take_log();
  hold.Clear();
  EXPECT_EQ(take_log(), (Log{"drop a", "drop b"}));
  EXPECT_EQ(x, 1);
  EXPECT_EQ(hold.GetBeginDepth(), 0);
  EXPECT_EQ(hold.UndoCount() + hold.RedoCount(), 0);
}

// A restore object that changes held data while it restores records nothing.
TEST_F(HoldTest, WhatARestoreDoesIsNotRecorded) {
  struct Noisy : RestoreObj {
    explicit Noisy(Hold* h, int* n) : hold(h), puts(n) {}
    void Restore(int) override {
      hold->Put(new Noisy(hold, puts));
      ++*puts;
    }
    void Redo() override {}
    Hold* hold;
    int* puts;
  };
  int restores = 0;
  hold.Begin();
  hold.Begin();
  hold.Put(new Noisy(&hold, &restores));
  hold.Cancel();
  EXPECT_EQ(restores, 1);
  hold.Accept("outer");
  EXPECT_EQ(hold.UndoCount(), 0);
}

}  // namespace

namespace {

// Counts the EndHold calls a record gets.
class HeldMark : public RestoreObj {
 public:
  explicit HeldMark(int* ended) : ended_(ended) {}
  void Restore(int) override {}
  void Redo() override {}
  void EndHold() override { ++*ended_; }

 private:
  int* ended_;
};

TEST(HoldEndHold, RecordsHearOnceWhenTheirOutermostHoldEndsOrIsCancelled) {
  Hold hold;
  int kept = 0, cancelled = 0;
  hold.Begin();
  hold.Put(new HeldMark(&kept));
  hold.Begin();
  hold.Put(new HeldMark(&kept));
  hold.Accept("inner");
  EXPECT_EQ(kept, 0);  // still held: the outer hold is open
  hold.Begin();
  hold.Put(new HeldMark(&cancelled));
  hold.Cancel();
  EXPECT_EQ(cancelled, 1);
  hold.Accept("outer");
  EXPECT_EQ(kept, 2);
  // Undo and redo of the entry end nothing again.
  hold.Undo();
  hold.Redo();
  EXPECT_EQ(kept, 2);
  RestoreObj* plain = new HeldMark(&kept);
  EXPECT_EQ(plain->Description(), "---");
  EXPECT_EQ(plain->Execute(1), -1);
  delete plain;
}

}  // namespace

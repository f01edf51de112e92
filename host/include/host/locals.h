// Value-local frames: C++ slots that hold script values and must keep them
// from the collector while host code that may collect runs.
#pragma once

#include "host/value.h"

class ValueLocalFrame;
// The innermost frame of this thread (the collector walks the chain from it).
extern thread_local constinit ValueLocalFrame* t_value_local_frames;

// Frames link to each other through the C++ stack: making one is two stores.
class ValueLocalFrame {
 public:
  ValueLocalFrame(Value** slots, int count) : slots_(slots), count_(count), previous_(t_value_local_frames) {
    t_value_local_frames = this;
  }
  ~ValueLocalFrame() { t_value_local_frames = previous_; }
  ValueLocalFrame(const ValueLocalFrame&) = delete;
  ValueLocalFrame& operator=(const ValueLocalFrame&) = delete;

  Value** slots() const { return slots_; }
  int count() const { return count_; }
  const ValueLocalFrame* previous() const { return previous_; }

 private:
  Value** slots_;
  int count_;
  ValueLocalFrame* previous_;
};

// N protected slots, all undefined-free (null) to start with.
template <int N>
class ValueLocals {
 public:
  Value*& operator[](int i) { return slots_[i]; }
  Value** data() { return slots_; }

 private:
  Value* slots_[N] = {};
  ValueLocalFrame frame_{slots_, N};
};

// One protected slot.
class OneValueLocal {
 public:
  explicit OneValueLocal(Value* v = nullptr) : value(v) {}
  Value* value;

 private:
  ValueLocalFrame frame_{&value, 1};
};

// Activation frames of script code: one per script function call and one per
// top-level expression. Frames are collected values, so closures can keep
// the frame they were made in.
#pragma once

#include "../runtime/runtime_internal.h"

namespace host::script {

class Frame : public Value {
 public:
  Frame(int slot_count, Frame* parent_frame);
  ~Frame() override;
  Value** slots;
  int count;
  Frame* parent;
  void gc_trace() override;
};

// Control flow that unwinds through C++: exit, continue, return.
struct LoopExit {
  Value* value;
};
struct LoopContinue {};
struct FunctionReturn {
  Value* value;
};

// Raises "Stack overflow" before script recursion exhausts the thread's stack.
void check_stack();
// Sets the lowest stack address scripts may reach on this thread.
void set_stack_limit(const char* limit);

}  // namespace host::script

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

// The frame the innermost running script function (or struct being made)
// was defined in: private struct members are open to code inside their
// instance, which finds the instance's frame up this chain.
Frame* current_closure();
class ClosureScope {
 public:
  explicit ClosureScope(Frame* closure);
  ~ClosureScope();
  ClosureScope(const ClosureScope&) = delete;
  ClosureScope& operator=(const ClosureScope&) = delete;

 private:
  Frame* previous_;
};

// Raises "Stack overflow" before script recursion exhausts the thread's stack.
void check_stack();
// Sets the lowest stack address scripts may reach on this thread.
void set_stack_limit(const char* limit);

}  // namespace host::script

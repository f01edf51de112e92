// Activation frames of script code: one per script function call and one per
// top-level expression. Frames are collected values, so closures can keep
// the frame they were made in.
#pragma once

#include <cstdint>

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

// exit and continue act on the innermost loop of the same function call or
// top-level expression; with none running they raise a runtime error the
// script can catch, and never reach a loop of the caller.
class InLoop {
 public:
  InLoop();
  ~InLoop();
  InLoop(const InLoop&) = delete;
  InLoop& operator=(const InLoop&) = delete;
};
// Set for a function body, a struct's initialisers and a top-level
// expression: the loops around the call are out of reach inside.
class OutsideLoops {
 public:
  OutsideLoops();
  ~OutsideLoops();
  OutsideLoops(const OutsideLoops&) = delete;
  OutsideLoops& operator=(const OutsideLoops&) = delete;

 private:
  int saved_;
};
bool in_loop();

// Inside a catch block: throws the exception being handled on as a script
// error. Script errors and control flow (exit, continue, return) go on as
// they are; a C++ exception that host or module code let out becomes a
// runtime error, naming `where` (the function called) when given.
[[noreturn]] void rethrow_as_script_error(const char* where = nullptr);

// An embedder's bound on one run (the fuzzer's): while a budget is set, each
// loop iteration and script function call takes a step, and once the steps
// are spent the run stops with Interrupted, which no try catches.
struct Interrupted {};
extern thread_local long t_steps_left;
inline void take_step() {
  if (--t_steps_left < 0) throw Interrupted{};
}
class StepBudget {
 public:
  explicit StepBudget(long steps);
  ~StepBudget();
  StepBudget(const StepBudget&) = delete;
  StepBudget& operator=(const StepBudget&) = delete;

 private:
  long saved_;
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
// Every evaluation of a nested expression checks, so this stays inline.
extern thread_local constinit const char* t_stack_limit;
[[noreturn]] void stack_overflow();
inline void check_stack() {
  // Without a limit (null) no address is below it.
  auto here = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
  if (here < reinterpret_cast<std::uintptr_t>(t_stack_limit)) [[unlikely]]
    stack_overflow();
}
// Sets the lowest stack address scripts may reach on this thread.
void set_stack_limit(const char* limit);

}  // namespace host::script

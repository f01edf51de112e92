#include "frame.h"

#include <cstdlib>
#include <exception>
#include <limits>
#include <new>
#include <string>

namespace host::script {

namespace {
thread_local int t_loop_depth = 0;
thread_local Frame* t_closure = nullptr;
}  // namespace

Frame* current_closure() { return t_closure; }
ClosureScope::ClosureScope(Frame* closure) : previous_(t_closure) { t_closure = closure; }
ClosureScope::~ClosureScope() { t_closure = previous_; }

// Without a budget the count starts too high to run out.
thread_local long t_steps_left = std::numeric_limits<long>::max();
StepBudget::StepBudget(long steps) : saved_(t_steps_left) { t_steps_left = steps; }
StepBudget::~StepBudget() { t_steps_left = saved_; }

Frame::Frame(int slot_count, Frame* parent_frame) : slots(nullptr), count(slot_count), parent(parent_frame) {
  if (count > 0) {
    slots = static_cast<Value**>(std::calloc(static_cast<std::size_t>(count), sizeof(Value*)));
    if (slots == nullptr) throw RuntimeError(msg::kOutOfMemoryForFrame);
    for (int i = 0; i < count; ++i) slots[i] = &undefined;
  }
}

Frame::~Frame() { std::free(slots); }

void Frame::gc_trace() {
  gc_mark(parent);
  for (int i = 0; i < count; ++i) gc_mark(slots[i]);
}

InLoop::InLoop() { ++t_loop_depth; }
InLoop::~InLoop() { --t_loop_depth; }
OutsideLoops::OutsideLoops() : saved_(t_loop_depth) { t_loop_depth = 0; }
OutsideLoops::~OutsideLoops() { t_loop_depth = saved_; }
bool in_loop() { return t_loop_depth > 0; }

void rethrow_as_script_error(const char* where) {
  try {
    throw;
  } catch (const MAXScriptException&) {
    throw;
  } catch (const LoopExit&) {
    throw;
  } catch (const LoopContinue&) {
    throw;
  } catch (const FunctionReturn&) {
    throw;
  } catch (const Interrupted&) {
    throw;
  } catch (const std::bad_alloc&) {
    if (where == nullptr) throw RuntimeError(msg::kOutOfMemory);
    throw RuntimeError(msg::kOutOfMemoryIn, where);
  } catch (const std::exception& e) {
    if (where == nullptr) throw RuntimeError(msg::kCppException, e.what());
    throw RuntimeError((msg::kCppExceptionIn + std::string(where) + ": ").c_str(), e.what());
  } catch (...) {
    if (where == nullptr) throw RuntimeError(msg::kUnknownCppException);
    throw RuntimeError(msg::kUnknownCppExceptionIn, where);
  }
}

void set_stack_limit(const char* limit) { t_stack_limit = limit; }

thread_local constinit const char* t_stack_limit = nullptr;

void stack_overflow() { throw RuntimeError(msg::kStackOverflow); }

}  // namespace host::script

#include "frame.h"

#include <cstdlib>

namespace host::script {

namespace {
thread_local const char* t_stack_limit = nullptr;
thread_local Frame* t_closure = nullptr;
}  // namespace

Frame* current_closure() { return t_closure; }
ClosureScope::ClosureScope(Frame* closure) : previous_(t_closure) { t_closure = closure; }
ClosureScope::~ClosureScope() { t_closure = previous_; }

Frame::Frame(int slot_count, Frame* parent_frame) : slots(nullptr), count(slot_count), parent(parent_frame) {
  if (count > 0) {
    slots = static_cast<Value**>(std::calloc(static_cast<std::size_t>(count), sizeof(Value*)));
    if (slots == nullptr) throw RuntimeError("Out of memory for a script frame");
    for (int i = 0; i < count; ++i) slots[i] = &undefined;
  }
}

Frame::~Frame() { std::free(slots); }

void Frame::gc_trace() {
  gc_mark(parent);
  for (int i = 0; i < count; ++i) gc_mark(slots[i]);
}

void set_stack_limit(const char* limit) { t_stack_limit = limit; }

void check_stack() {
  const char* here = static_cast<const char*>(__builtin_frame_address(0));
  if (t_stack_limit != nullptr && here < t_stack_limit) throw RuntimeError("Stack overflow");
}

}  // namespace host::script

// Arrays: 1-based in scripts, growing on assignment past the end.
#include <cstdlib>
#include <cstring>
#include <algorithm>
#include <vector>

#include "runtime_internal.h"

namespace {
constexpr int kPrintLimit = 20;  // elements shown before "..."
}

Array::Array(int init_size) : data(nullptr), size(0), data_size(init_size > 0 ? init_size : 0) {
  tag = &Array_class;
  if (data_size > 0) {
    data = static_cast<Value**>(std::malloc(sizeof(Value*) * static_cast<std::size_t>(data_size)));
    if (data == nullptr) throw RuntimeError("Out of memory for an array");
  }
}

Array::~Array() { std::free(data); }

Value* Array::append(Value* v) {
  if (size == data_size) {
    int grown = data_size < 4 ? 4 : data_size * 2;
    auto* bigger = static_cast<Value**>(std::realloc(data, sizeof(Value*) * static_cast<std::size_t>(grown)));
    if (bigger == nullptr) throw RuntimeError("Out of memory for an array");
    data = bigger;
    data_size = grown;
  }
  data[size++] = v;
  return v;
}

Value* Array::get(int index) const { return index >= 0 && index < size ? data[index] : &undefined; }

void Array::gc_trace() {
  for (int i = 0; i < size; ++i) gc_mark(data[i]);
}

// Arrays may hold themselves; printing shows an inner repeat as "#(...)".
void Array::sprin1(CharStream* s) {
  static thread_local std::vector<Array*> printing;
  if (std::find(printing.begin(), printing.end(), this) != printing.end() || printing.size() > 64) {
    s->puts("#(...)");
    return;
  }
  printing.push_back(this);
  struct Done {
    ~Done() { printing.pop_back(); }
  } done;
  s->puts("#(");
  for (int i = 0; i < size && i < kPrintLimit; ++i) {
    if (i > 0) s->puts(", ");
    data[i]->sprin1(s);
  }
  if (size > kPrintLimit) s->puts(", ...");
  s->puts(")");
}

static int checked_index(Value* index_value) {
  int index = index_value->to_int();
  if (index < 1) throw RuntimeError("Array index must be positive number, got: ", index_value);
  return index;
}

Value* Array::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return get(checked_index(a[0]) - 1);
}

Value* Array::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  int index = checked_index(a[0]);
  while (size < index) append(&undefined);
  data[index - 1] = a[1];
  return a[1];
}

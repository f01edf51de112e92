// Arrays: 1-based in scripts, growing on assignment past the end.
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "collections.h"

namespace {

constexpr int kPrintLimit = 20;  // elements shown before "..."

}  // namespace

namespace host {

int checked_index(Value* v, const char* kind, int limit) {
  int n = v->to_int();
  if (n < 1) throw RuntimeError((std::string(kind) + msg::kIndexMustBePositive).c_str(), v);
  if (n > limit) throw RuntimeError((std::string(kind) + " index" + msg::kTooLargeForMemory).c_str(), v);
  return n;
}

int checked_count(Value* v, const char* kind, int limit) {
  int n = v->to_int();
  if (n < 0) throw RuntimeError((std::string(kind) + msg::kCountMustNotBeNegative).c_str(), v);
  if (n > limit) throw RuntimeError((std::string(kind) + " count" + msg::kTooLargeForMemory).c_str(), v);
  return n;
}

namespace {

// The pairs of arrays being compared, outermost first: a pair met again is
// taken as equal, so arrays that hold themselves compare without end.
thread_local std::vector<std::pair<Array*, Array*>> comparing;

bool arrays_equal(Array* a, Array* b) {
  if (a->size != b->size) return false;
  for (auto& pair : comparing)
    if (pair.first == a && pair.second == b) return true;
  if (comparing.size() >= static_cast<std::size_t>(kMaxNesting))
    throw RuntimeError(msg::kNestedTooDeep, "==");
  comparing.emplace_back(a, b);
  struct Done {
    ~Done() { comparing.pop_back(); }
  } done;
  for (int i = 0; i < a->size && i < b->size; ++i)
    if (!values_equal(a->data[i], b->data[i])) return false;
  return a->size == b->size;
}

}  // namespace

bool values_equal(Value* a, Value* b) {
  if (a == b) return true;
  bool a_array = a->tag == &Array_class, b_array = b->tag == &Array_class;
  if (a_array || b_array)
    return a_array && b_array && arrays_equal(static_cast<Array*>(a), static_cast<Array*>(b));
  return a->eq_vf(&b, 1) == &true_value;
}

}  // namespace host

Array::Array(int init_size) : data(nullptr), size(0), data_size(0) {
  tag = &Array_class;
  if (init_size > 0) reserve(std::min(init_size, host::kMaxArraySize));
}

Array::~Array() { std::free(data); }

// Leaves the array as it was when memory runs out.
void Array::reserve(int capacity) {
  if (capacity <= data_size) return;
  if (capacity > host::kMaxArraySize)
    throw RuntimeError((std::string("Array count") + host::msg::kTooLargeForMemory).c_str(),
                       Integer::intern(capacity));
  auto* bigger =
      static_cast<Value**>(std::realloc(data, sizeof(Value*) * static_cast<std::size_t>(capacity)));
  if (bigger == nullptr) throw RuntimeError(host::msg::kArrayOutOfMemory);
  data = bigger;
  data_size = capacity;
}

void Array::resize(int new_size) {
  if (new_size > data_size) reserve(new_size);
  for (int i = size; i < new_size; ++i) data[i] = &undefined;
  size = new_size;
}

Value* Array::append(Value* v) {
  if (size == data_size) {
    if (size >= host::kMaxArraySize) reserve(size + 1);  // raises the size error
    int grown = data_size < 4 ? 4 : std::min(data_size / 2 * 3 + 4, host::kMaxArraySize);
    reserve(grown);
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
  host::PrintNesting nesting(this);
  if (nesting.repeated()) {
    s->puts("#(...)");
    return;
  }
  s->puts("#(");
  for (int i = 0; i < size && i < kPrintLimit; ++i) {
    if (i > 0) s->puts(", ");
    data[i]->sprin1(s);
  }
  if (size > kPrintLimit) s->puts(", ...");
  s->puts(")");
}

Value* Array::get_vf(Value** a, int count) {
  check_arg_count("get", 1, count);
  return get(check_index(a[0], "Array") - 1);
}

Value* Array::put_vf(Value** a, int count) {
  check_arg_count("put", 2, count);
  int index = host::checked_index(a[0], "Array", host::kMaxArraySize);
  if (index > size) resize(index);
  data[index - 1] = a[1];
  return a[1];
}

// a + b: a new array of both operands' items; b may be any collection.
Value* Array::plus_vf(Value** a, int) {
  OneValueLocal items(a[0]);
  if (auto* bits = dynamic_cast<BitArrayValue*>(a[0])) items.value = host::set_bits_as_array(bits->bits);
  if (items.value->tag != &Array_class) throw ConversionError(a[0], "Array");
  auto* b = static_cast<Array*>(items.value);
  if (static_cast<long long>(size) + b->size > host::kMaxArraySize)
    throw RuntimeError((std::string("Array count") + host::msg::kTooLargeForMemory).c_str(),
                       Integer::intern(size + b->size));
  OneValueLocal result(new Array(size + b->size));
  auto* joined = static_cast<Array*>(result.value);
  for (int i = 0; i < size; ++i) joined->data[i] = data[i];
  for (int i = 0; i < b->size; ++i) joined->data[size + i] = b->data[i];
  joined->size = size + b->size;
  return joined;
}

Value* Array::eq_vf(Value** a, int) { return bool_result(host::values_equal(this, a[0])); }
Value* Array::ne_vf(Value** a, int) { return bool_result(!host::values_equal(this, a[0])); }

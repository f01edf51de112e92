// Array functions: sort and qsort, copy and deepCopy, makeUniqueArray and
// appendIfUnique.
#include <algorithm>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <utility>
#include <vector>

#include "../runtime/collections.h"
#include "../scene/node_values.h"
#include "ast.h"

namespace host::script {

namespace {

Array* array_arg(Value* v, const char* fn) {
  auto* a = dynamic_cast<Array*>(v);
  if (a == nullptr) throw TypeError(fn, v, &Array_class);
  return a;
}

// A stable merge sort of items[0..n) that stays in bounds whatever `less`
// answers, and changes nothing if `less` raises. `less` may run scripts, so
// both buffers stay visible to the collector.
template <typename Less>
std::vector<Value*> sorted_values(Value** items, int n, Less less) {
  std::vector<Value*> from(items, items + n), to(static_cast<std::size_t>(n), nullptr);
  ValueLocalFrame keep_from(from.data(), n);
  ValueLocalFrame keep_to(to.data(), n);
  for (long long width = 1; width < n; width *= 2) {
    for (long long lo = 0; lo < n; lo += 2 * width) {
      std::size_t mid = static_cast<std::size_t>(std::min<long long>(lo + width, n));
      std::size_t hi = static_cast<std::size_t>(std::min<long long>(lo + 2 * width, n));
      std::size_t i = static_cast<std::size_t>(lo), j = mid, k = static_cast<std::size_t>(lo);
      while (i < mid && j < hi) to[k++] = less(from[j], from[i]) ? from[j++] : from[i++];
      while (i < mid) to[k++] = from[i++];
      while (j < hi) to[k++] = from[j++];
    }
    std::swap(from, to);  // swaps the buffers; both frames still cover them
  }
  return from;
}

// Puts sorted items back from index first on, as far as the array still reaches.
void write_back(Array* a, int first, const std::vector<Value*>& items) {
  for (std::size_t i = 0; i < items.size() && first + static_cast<int>(i) < a->size; ++i)
    a->data[first + static_cast<int>(i)] = items[i];
}

// sort #(3, 1, 2): numbers, strings or names in ascending order, in place.
Value* sort_cf(Value** arg_list, int count) {
  check_arg_count("sort", 1, count);
  Array* a = array_arg(arg_list[0], "sort");
  OneValueLocal keep(a);
  auto items =
      sorted_values(a->data, a->size, [](Value* x, Value* y) { return x->lt_vf(&y, 1) == &true_value; });
  write_back(a, 0, items);
  return a;
}

// qsort <array> <function> [start:] [end:] [keys passed on to the function]:
// the function answers a negative, zero or positive integer for two items.
Value* qsort_cf(Value** arg_list, int count) {
  static Value* const start_key = Name::intern("start");
  static Value* const end_key = Name::intern("end");
  check_positional_count("qsort", 2, arg_list, count);
  Array* a = array_arg(arg_list[0], "qsort");
  Value* compare = arg_list[1];
  if (dynamic_cast<Function*>(compare) == nullptr) throw RuntimeError(msg::kQsortNeedsFunction, compare);
  if (a->size == 0) return &ok;
  Value* start_value = _get_key_arg_or_default(arg_list, count, start_key, nullptr);
  Value* end_value = _get_key_arg_or_default(arg_list, count, end_key, nullptr);
  int start = start_value ? start_value->to_int() : 1;
  int end = end_value ? end_value->to_int() : a->size;
  if (start < 1 || start > a->size) throw RuntimeError(msg::kQsortStartOutOfRange, start_value);
  if (end < 1 || end > a->size) throw RuntimeError(msg::kQsortEndOutOfRange, end_value);
  if (end < start) throw RuntimeError(msg::kQsortEndBeforeStart, end_value);

  // The two items, then every keyword argument but start: and end:.
  std::vector<Value*> call{nullptr, nullptr};
  for (int i = positional_count(arg_list, count) + 1; i + 1 < count; i += 2) {
    if (arg_list[i] == start_key || arg_list[i] == end_key) continue;
    if (call.size() == 2) call.push_back(&keyarg_marker);
    call.push_back(arg_list[i]);
    call.push_back(arg_list[i + 1]);
  }
  OneValueLocal keep_array(a);
  OneValueLocal keep_compare(compare);
  auto less = [&](Value* x, Value* y) {
    call[0] = x;
    call[1] = y;
    return apply_function(compare, call.data(), static_cast<int>(call.size()))->to_int() < 0;
  };
  auto items = sorted_values(a->data + start - 1, end - start + 1, less);
  write_back(a, start - 1, items);
  return &ok;
}

// A new value with the same content where the value can change in place;
// unchangeable values are their own copy.
Value* shallow_copy(Value* v) {
  if (auto* a = dynamic_cast<Array*>(v)) {
    OneValueLocal result(new Array(a->size));
    auto* c = static_cast<Array*>(result.value);
    for (int i = 0; i < a->size; ++i) c->append(a->data[i]);
    return c;
  }
  if (v->tag == &String_class) return new String(v->to_string());
  if (auto* b = dynamic_cast<BitArrayValue*>(v)) return new BitArrayValue(b->bits);
  if (v->tag == &Point3Value_class) return new Point3Value(v->to_point3());
  if (v->tag == &ColorValue_class) return new ColorValue(v->to_acolor());
  if (v->tag == &Integer_class || v->tag == &Float_class || v->tag == &Name_class ||
      v->tag == &Boolean_class || v->tag == &UndefinedClass_class || v->tag == &Ok_class ||
      v->tag == &MSTime_class)
    return v;
  return nullptr;
}

// copy <value> [#noMap]: arrays are copied one level deep.
Value* copy_cf(Value** arg_list, int count) {
  if (count >= 1 && is_node_value(arg_list[0])) return copy_node(arg_list, count);
  if (count != 1 && count != 2) throw ArgCountError("copy", 1, count);
  Value* c = shallow_copy(arg_list[0]);
  if (c == nullptr) throw NoMethodError("copy", arg_list[0]);
  return c;
}

// deepCopy: arrays inside arrays are copied too, once each, so shared and
// self-holding arrays keep their shape.
class DeepCopier {
 public:
  Value* copy(Value* v, int depth) {
    auto* a = dynamic_cast<Array*>(v);
    if (a == nullptr) {
      Value* c = shallow_copy(v);
      return c ? c : v;
    }
    if (auto found = copies_.find(a); found != copies_.end()) return found->second;
    if (depth >= kMaxNesting) throw RuntimeError(msg::kNestedTooDeep, "deepCopy");
    auto* c = new Array(a->size);
    copies_[a] = c;
    if (root_.value == nullptr) root_.value = c;
    c->resize(a->size);
    for (int i = 0; i < a->size && i < c->size; ++i) c->data[i] = copy(a->data[i], depth + 1);
    return c;
  }

 private:
  std::unordered_map<Array*, Array*> copies_;
  OneValueLocal root_;  // every copy hangs from the first
};

Value* deep_copy_cf(Value** arg_list, int count) {
  check_arg_count("deepCopy", 1, count);
  DeepCopier copier;
  return copier.copy(arg_list[0], 0);
}

// The distinct items seen so far. Integers, strings and names are looked up
// by hashing; anything else (or integers once a float is among the items,
// since 1 == 1.0) by comparing with each one kept.
class DistinctItems {
 public:
  explicit DistinctItems(Array* source) {
    for (int i = 0; i < source->size; ++i)
      if (source->data[i]->tag == &Float_class) hash_integers_ = false;
  }
  bool add(Value* v) {
    if (v->tag == &Integer_class && hash_integers_) return integers_.insert(v->to_int()).second;
    if (v->tag == &String_class) return strings_.insert(v->to_string()).second;
    if (v->tag == &Name_class) return names_.insert(v).second;
    for (Value* seen : others_)
      if (values_equal(seen, v)) return false;
    others_.push_back(v);
    return true;
  }

 private:
  bool hash_integers_ = true;
  std::unordered_set<int> integers_;
  std::unordered_set<std::string> strings_;
  std::unordered_set<Value*> names_;
  std::vector<Value*> others_;
};

// makeUniqueArray #(1, 2, 1) -> #(1, 2): a new array, first occurrences kept in order.
Value* make_unique_array_cf(Value** arg_list, int count) {
  check_arg_count("makeUniqueArray", 1, count);
  Array* a = array_arg(arg_list[0], "makeUniqueArray");
  OneValueLocal result(new Array(0));
  auto* unique = static_cast<Array*>(result.value);
  DistinctItems seen(a);
  for (int i = 0; i < a->size; ++i)
    if (seen.add(a->data[i])) unique->append(a->data[i]);
  return unique;
}

// appendIfUnique a v: true when v was added, false when a already held it.
Value* append_if_unique_cf(Value** arg_list, int count) {
  check_arg_count("appendIfUnique", 2, count);
  Array* a = array_arg(arg_list[0], "appendIfUnique");
  for (int i = 0; i < a->size; ++i)
    if (values_equal(a->data[i], arg_list[1])) return &false_value;
  a->append(arg_list[1]);
  return &true_value;
}

Primitive sort_pf("sort", sort_cf);
Primitive qsort_pf("qsort", qsort_cf);
Primitive copy_pf("copy", copy_cf);
Primitive deep_copy_pf("deepCopy", deep_copy_cf);
Primitive make_unique_array_pf("makeUniqueArray", make_unique_array_cf);
Primitive append_if_unique_pf("appendIfUnique", append_if_unique_cf);

}  // namespace

}  // namespace host::script

// The host's string and array functions that scripts use most.
#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "../runtime/lower_case.h"
#include "../runtime/collections.h"

namespace {

Value* new_string(const std::string& s) { return new String(s.c_str(), s.size()); }

Array* array_arg(Value* v, const char* fn) { return check_class<Array>(v, &Array_class, fn); }

// substring "abcdef" 2 3 -> "bcd"; a count of -1 takes the rest.
Value* substring_cf(Value** arg_list, int count) {
  check_arg_count("substring", 3, count);
  std::string s = arg_list[0]->to_string();
  int start = arg_list[1]->to_int();
  int length = arg_list[2]->to_int();
  if (start < 1 || static_cast<std::size_t>(start) > s.size()) return new String("");
  std::size_t from = static_cast<std::size_t>(start - 1);
  std::size_t n = length < 0 ? std::string::npos : static_cast<std::size_t>(length);
  return new_string(s.substr(from, n));
}

// The 1-based position of the first match, or undefined.
Value* find_string_cf(Value** arg_list, int count) {
  check_arg_count("findString", 2, count);
  std::string s = arg_list[0]->to_string();
  std::string what = arg_list[1]->to_string();
  std::size_t at = host::lower(s).find(host::lower(what));
  return at == std::string::npos ? static_cast<Value*>(&undefined) : Integer::intern(static_cast<int>(at + 1));
}

// filterString "a, b,,c" ", " -> #("a", "b", "c")
Value* filter_string_cf(Value** arg_list, int count) {
  check_positional_count("filterString", 2, arg_list, count);
  std::string s = arg_list[0]->to_string();
  std::string separators = arg_list[1]->to_string();
  OneValueLocal result(new Array(0));
  std::string token;
  auto flush = [&] {
    if (!token.empty()) static_cast<Array*>(result.value)->append(new_string(token));
    token.clear();
  };
  for (char c : s) {
    if (separators.find(c) != std::string::npos)
      flush();
    else
      token += c;
  }
  flush();
  return result.value;
}

Value* change_case(Value** arg_list, int count, const char* fn, int (*convert)(int)) {
  check_arg_count(fn, 1, count);
  std::string s = arg_list[0]->to_string();
  for (char& c : s) c = static_cast<char>(convert(static_cast<unsigned char>(c)));
  return new_string(s);
}
Value* to_upper_cf(Value** a, int n) { return change_case(a, n, "toUpper", ::toupper); }
Value* to_lower_cf(Value** a, int n) { return change_case(a, n, "toLower", ::tolower); }

// findItem #(1, 2) 2 -> 2; 0 when absent.
Value* find_item_cf(Value** arg_list, int count) {
  check_arg_count("findItem", 2, count);
  Array* a = array_arg(arg_list[0], "findItem");
  for (int i = 0; i < a->size; ++i)
    if (host::values_equal(a->data[i], arg_list[1])) return Integer::intern(i + 1);
  return Integer::intern(0);
}

Value* delete_item_cf(Value** arg_list, int count) {
  check_arg_count("deleteItem", 2, count);
  Array* a = array_arg(arg_list[0], "deleteItem");
  int index = check_int_in_range(arg_list[1], 1, a->size, host::msg::kDeleteItemOutOfRange);
  std::memmove(a->data + index - 1, a->data + index, sizeof(Value*) * static_cast<std::size_t>(a->size - index));
  --a->size;
  return a;
}

Value* insert_item_cf(Value** arg_list, int count) {
  check_arg_count("insertItem", 3, count);
  Array* a = array_arg(arg_list[1], "insertItem");
  // An index past the end grows the array with undefined up to it.
  int index = host::checked_index(arg_list[2], "insertItem", host::kMaxArraySize - 1);
  int old_size = a->size;
  a->reserve(std::max(old_size, index - 1) + 1);
  if (old_size < index - 1) a->resize(index - 1);
  a->append(&undefined);
  std::memmove(a->data + index, a->data + index - 1,
               sizeof(Value*) * static_cast<std::size_t>(a->size - index));
  a->data[index - 1] = arg_list[0];
  return &ok;
}

// join a b appends b's items to a.
Value* join_cf(Value** arg_list, int count) {
  check_arg_count("join", 2, count);
  Array* a = array_arg(arg_list[0], "join");
  Array* b = array_arg(arg_list[1], "join");
  int n = b->size;  // a and b may be the same array
  if (static_cast<long long>(a->size) + n > host::kMaxArraySize)
    throw RuntimeError(
        (std::string("Array count") + host::msg::kTooLargeForMemory).c_str(),
        Integer::intern(static_cast<int>(std::min<long long>(std::int64_t{a->size} + n, INT_MAX))));
  a->reserve(a->size + n);
  for (int i = 0; i < n; ++i) a->append(b->data[i]);
  return a;
}

Value* extreme(Value** arg_list, int count, bool want_max) {
  Value** items = arg_list;
  int n = count;
  if (count == 1 && arg_list[0]->tag == &Array_class) {
    items = static_cast<Array*>(arg_list[0])->data;
    n = static_cast<Array*>(arg_list[0])->size;
  }
  if (n == 0) return &undefined;
  Value* best = items[0];
  for (int i = 1; i < n; ++i) {
    Value* v = items[i];
    Value* better = want_max ? v->gt_vf(&best, 1) : v->lt_vf(&best, 1);
    if (better == &true_value) best = v;
  }
  return best;
}
Value* amax_cf(Value** a, int n) { return extreme(a, n, true); }
Value* amin_cf(Value** a, int n) { return extreme(a, n, false); }

Primitive substring_pf("substring", substring_cf);
Primitive find_string_pf("findString", find_string_cf);
Primitive filter_string_pf("filterString", filter_string_cf);
Primitive to_upper_pf("toUpper", to_upper_cf);
Primitive to_lower_pf("toLower", to_lower_cf);
Primitive find_item_pf("findItem", find_item_cf);
Primitive delete_item_pf("deleteItem", delete_item_cf);
Primitive insert_item_pf("insertItem", insert_item_cf);
Primitive join_pf("join", join_cf);
Primitive amax_pf("amax", amax_cf);
Primitive amin_pf("amin", amin_cf);

}  // namespace

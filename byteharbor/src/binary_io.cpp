#include "binary_io.h"

#include <string>
#include <vector>

#include "messages.h"
#include "names.h"

#define NO_METHOD(method) \
  Value* BinaryFileBase::method(Value**, int) { throw NoMethodError(#method, this); }
NO_METHOD(tell)
NO_METHOD(size)
NO_METHOD(readBinChar)
NO_METHOD(readBinByte)
NO_METHOD(readBinWord)
NO_METHOD(readBinInt)
NO_METHOD(readBinFloat)
NO_METHOD(readBinString)
NO_METHOD(writeBinChar)
NO_METHOD(writeBinByte)
NO_METHOD(writeBinWord)
NO_METHOD(writeBinInt)
NO_METHOD(writeBinFloat)
NO_METHOD(writeBinString)
#undef NO_METHOD

BinaryFileGeneric::BinaryFileGeneric(const char* fn_name, binary_method bound)
    : Generic(save_string(fn_name), nullptr), method_(bound) {
  tag = &BinaryFileGeneric_class;
}

Value* BinaryFileGeneric::apply(Value** arg_list, int count) {
  if (count < 1) throw ArgCountError("Generic apply", 1, count);
  // The evaluated arguments stay protected from the collector for the call.
  // When every argument evaluates to itself (the usual case), the caller's
  // own argument array already holds and protects exactly these values.
  bool all_self = true;
  for (int i = 0; i < count && all_self; ++i) all_self = arg_list[i]->eval() == arg_list[i];
  if (all_self) return call_bound(arg_list, count);

  constexpr int kInline = 4;
  Value* inline_slots[kInline] = {};
  std::vector<Value*> more_slots;
  Value** args = inline_slots;
  if (count > kInline) {
    more_slots.assign(static_cast<std::size_t>(count), nullptr);
    args = more_slots.data();
  }
  ValueLocalFrame frame(args, count);
  for (int i = 0; i < count; ++i) args[i] = arg_list[i]->eval();
  return call_bound(args, count);
}

Value* BinaryFileGeneric::call_bound(Value** args, int count) {
  if (args[0]->local_base_class() != &BinaryFile_class) throw NoMethodError(name, args[0]);
  return (static_cast<BinaryFileBase*>(args[0])->*method_)(args + 1, count - 1);
}

void check_method_args(const char* class_name, const char* method, int wanted, int count) {
  if (count == wanted) return;
  const char* tail = wanted == 0   ? msg::kNeeds1Argument
                     : wanted == 1 ? msg::kNeeds2Arguments
                                   : msg::kNeeds3Arguments;
  std::string text = std::string(class_name) + "::" + method + tail;
  throw RuntimeError(text.c_str());
}

int read_origin(Value* origin) {
  if (is_exactly(origin, &Integer_class)) {
    int value = origin->to_int();
    if (value >= 0 && value <= 2) return value;
  } else if (is_exactly(origin, &Name_class)) {
    if (origin == interned.start) return 0;
    if (origin == interned.current) return 1;
    if (origin == interned.end) return 2;
  }
  throw RuntimeError(msg::kWrongOrigin);
}

Value* class_of_query(ValueMetaClass* own_class, int count) {
  if (count != 0) throw ArgCountError("classOf", 1, count + 1);
  return own_class;
}

Value* super_class_of_query(int count) {
  if (count != 0) throw ArgCountError("superClassOf", 1, count + 1);
  return &Value_class;
}

bool is_own_class_query(ValueMetaClass* own_class, Value** arg_list, int count) {
  if (count != 1) throw ArgCountError("isKindOf", 2, count + 1);
  return arg_list[0] == own_class;
}

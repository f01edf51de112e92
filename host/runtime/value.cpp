// Defaults of the Value base class: the errors a value raises for what its
// class does not answer.
#include <typeinfo>

#include "runtime_internal.h"

bool Value::is_kind_of(ValueMetaClass* c) {
  if (c == &Value_class) return true;
  for (ValueMetaClass* k = tag; k != nullptr; k = k->superclass)
    if (k == c) return true;
  return false;
}

ValueMetaClass* Value::local_base_class() { return tag; }

Value* Value::classOf_vf(Value**, int count) {
  check_method_arg_count("classOf", 0, count);
  return tag;
}

Value* Value::superClassOf_vf(Value**, int count) {
  check_method_arg_count("superClassOf", 0, count);
  return tag->superclass ? tag->superclass : &Value_class;
}

Value* Value::isKindOf_vf(Value** arg_list, int count) {
  check_method_arg_count("isKindOf", 1, count);
  auto* c = dynamic_cast<ValueMetaClass*>(arg_list[0]);
  return bool_result(c != nullptr && is_kind_of(c));
}

Value* Value::apply(Value**, int) { throw TypeError(host::msg::kCallNeedsFunction, this); }

void Value::sprin1(CharStream* s) { s->printf("<%s>", tag->name); }

int Value::to_int() { throw ConversionError(this, "Integer"); }
float Value::to_float() { throw ConversionError(this, "Float"); }
const char* Value::to_string() { throw ConversionError(this, "String"); }
bool Value::to_bool() { throw ConversionError(this, "BooleanClass"); }
Point3 Value::to_point3() { throw ConversionError(this, "Point3"); }
AColor Value::to_acolor() { throw ConversionError(this, "Color"); }
TimeValue Value::to_timevalue() { throw ConversionError(this, "Time"); }
INode* Value::to_node() { throw ConversionError(this, "Node"); }
Control* Value::to_controller() { throw ConversionError(this, "Controller"); }
Modifier* Value::to_modifier() { throw ConversionError(this, "Modifier"); }
Mtl* Value::to_mtl() { throw ConversionError(this, "Material"); }
Texmap* Value::to_texmap() { throw ConversionError(this, "TextureMap"); }

#define NO_METHOD(method, label) \
  Value* Value::method(Value**, int) { throw NoMethodError(label, this); }
NO_METHOD(plus_vf, "+")
NO_METHOD(minus_vf, "-")
NO_METHOD(times_vf, "*")
NO_METHOD(div_vf, "/")
NO_METHOD(pow_vf, "^")
NO_METHOD(uminus_vf, "u-")
NO_METHOD(lt_vf, "<")
NO_METHOD(gt_vf, ">")
NO_METHOD(le_vf, "<=")
NO_METHOD(ge_vf, ">=")
NO_METHOD(get_vf, "get")
NO_METHOD(put_vf, "put")
NO_METHOD(flush_vf, "flush")
NO_METHOD(eof_vf, "eof")
NO_METHOD(seek_vf, "seek")
NO_METHOD(close_vf, "close")
#undef NO_METHOD

Value* Value::eq_vf(Value** arg_list, int) { return bool_result(arg_list[0] == this); }
Value* Value::ne_vf(Value** arg_list, int) { return bool_result(arg_list[0] != this); }

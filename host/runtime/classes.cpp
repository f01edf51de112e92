// The host's class objects.
#include "runtime_internal.h"

ValueMetaClass::ValueMetaClass(const char* class_name, ValueMetaClass* super_class, value_cf maker,
                               const PropertyTable* property_table)
    : name(class_name), superclass(super_class), properties(property_table), maker_(maker) {
  tag = &ValueMetaClass_class;
  host::define_global_value(class_name, this);
}

ValueMetaClass::ValueMetaClass(Unlisted, const char* class_name)
    : name(class_name), superclass(nullptr), properties(nullptr), maker_(nullptr) {
  tag = &ValueMetaClass_class;
}

ValueMetaClass::~ValueMetaClass() {
  if (!host::runtime_shutting_down()) host::undefine_global_value(name, this);
}

void ValueMetaClass::sprin1(CharStream* s) { s->puts(name); }

Value* ValueMetaClass::apply(Value** arg_list, int count) {
  if (maker_ != nullptr) return maker_(arg_list, count);
  return Value::apply(arg_list, count);
}

namespace {

Value* make_color(Value** arg_list, int count) {
  check_arg_count_range("color", 3, 4, count);
  float c[4] = {0, 0, 0, 255};
  for (int i = 0; i < count; ++i) c[i] = arg_list[i]->to_float();
  return new ColorValue(AColor(c[0] / 255.0f, c[1] / 255.0f, c[2] / 255.0f, c[3] / 255.0f));
}

Value* make_point3(Value** arg_list, int count) {
  check_arg_count("point3", 3, count);
  return new Point3Value(arg_list[0]->to_float(), arg_list[1]->to_float(), arg_list[2]->to_float());
}

Value* make_bitarray(Value**, int count) {
  check_arg_count("bitArray", 0, count);
  return new BitArrayValue();
}

Value* make_array(Value**, int count) {
  check_arg_count("array", 0, count);
  return new Array(0);
}

}  // namespace

ValueMetaClass Value_class("Value");
ValueMetaClass ValueMetaClass_class("ValueMetaClass");
ValueMetaClass Number_class("Number");
ValueMetaClass Integer_class("Integer", &Number_class);
ValueMetaClass Float_class("Float", &Number_class);
ValueMetaClass String_class("String", nullptr, nullptr, &host::string_properties);
ValueMetaClass Name_class("Name");
ValueMetaClass Boolean_class("BooleanClass");
ValueMetaClass UndefinedClass_class("UndefinedClass");
ValueMetaClass Ok_class("OkClass");
ValueMetaClass UnsuppliedClass_class("UnsuppliedClass");
ValueMetaClass Array_class("Array", nullptr, make_array, &host::array_properties);
ValueMetaClass Point3Value_class("Point3", nullptr, make_point3, &host::point3_properties);
ValueMetaClass ColorValue_class("Color", nullptr, make_color, &host::color_properties);
ValueMetaClass BitArrayValue_class("BitArray", nullptr, make_bitarray, &host::bitarray_properties);
ValueMetaClass MSTime_class("Time", nullptr, nullptr, &host::time_properties);
ValueMetaClass Function_class("Function");
ValueMetaClass Primitive_class("Primitive", &Function_class);
ValueMetaClass Generic_class("Generic", &Function_class);
ValueMetaClass ScriptFunction_class("MAXScriptFunction", &Function_class);
ValueMetaClass Struct_class("StructDef");
ValueMetaClass CharStream_class("CharStream");
ValueMetaClass MAXWrapper_class("MAXWrapper");
ValueMetaClass MAXNode_class("MAXNode", &MAXWrapper_class);
ValueMetaClass PropertyRef_class("PropertyRef");

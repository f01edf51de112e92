// Class objects: script-visible values that stand for a class.
#pragma once

#include "host/value.h"

using value_cf = Value* (*)(Value** arg_list, int count);
class PropertyTable;

// A class object. Constructing one (normally as a static object) makes it a
// script global of its name; applying it (calling the class from a script)
// raises "Call needs function or class" unless the class has a maker
// function or a subclass overrides apply. The properties of the class's
// values come from its property table (host/properties.h), if it has one,
// and from those of its superclasses.
class ValueMetaClass : public Value {
 public:
  const char* name;
  ValueMetaClass* superclass;
  const PropertyTable* properties;

  explicit ValueMetaClass(const char* class_name, ValueMetaClass* super_class = nullptr,
                          value_cf maker = nullptr, const PropertyTable* property_table = nullptr);
  ~ValueMetaClass() override;

  void sprin1(CharStream* s) override;
  Value* apply(Value** arg_list, int count) override;

 protected:
  // For classes the host makes at run time (script structs): no global.
  struct Unlisted {};
  ValueMetaClass(Unlisted, const char* class_name);

 private:
  value_cf maker_;
};

// The host's class objects.
extern ValueMetaClass Value_class;
extern ValueMetaClass Number_class;
extern ValueMetaClass Integer_class;
extern ValueMetaClass Float_class;
extern ValueMetaClass String_class;
extern ValueMetaClass Name_class;
extern ValueMetaClass Boolean_class;
extern ValueMetaClass UndefinedClass_class;
extern ValueMetaClass Ok_class;
extern ValueMetaClass UnsuppliedClass_class;
extern ValueMetaClass Array_class;
extern ValueMetaClass Point3Value_class;
extern ValueMetaClass ColorValue_class;
extern ValueMetaClass BitArrayValue_class;
extern ValueMetaClass MSTime_class;
extern ValueMetaClass Function_class;
extern ValueMetaClass Primitive_class;
extern ValueMetaClass Generic_class;
extern ValueMetaClass ScriptFunction_class;
extern ValueMetaClass Struct_class;
extern ValueMetaClass CharStream_class;
extern ValueMetaClass ValueMetaClass_class;
extern ValueMetaClass MAXWrapper_class;
extern ValueMetaClass MAXNode_class;
extern ValueMetaClass PropertyRef_class;

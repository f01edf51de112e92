// What binary files and binary streams share: the abstract value class with
// the fourteen binary I/O methods, the function objects that dispatch to
// them, the class objects, and the rules every method follows for argument
// counts and seek origins.
#pragma once

#include "host/maxscript.h"

// The methods take the arguments after the object and their count. The
// base versions raise NoMethodError, as the host's own methods do.
class BinaryFileBase : public Value {
 public:
  virtual Value* tell(Value** arg_list, int count);
  virtual Value* size(Value** arg_list, int count);
  virtual Value* readBinChar(Value** arg_list, int count);
  virtual Value* readBinByte(Value** arg_list, int count);
  virtual Value* readBinWord(Value** arg_list, int count);
  virtual Value* readBinInt(Value** arg_list, int count);
  virtual Value* readBinFloat(Value** arg_list, int count);
  virtual Value* readBinString(Value** arg_list, int count);
  virtual Value* writeBinChar(Value** arg_list, int count);
  virtual Value* writeBinByte(Value** arg_list, int count);
  virtual Value* writeBinWord(Value** arg_list, int count);
  virtual Value* writeBinInt(Value** arg_list, int count);
  virtual Value* writeBinFloat(Value** arg_list, int count);
  virtual Value* writeBinString(Value** arg_list, int count);
  void collect() override = 0;
};

using binary_method = Value* (BinaryFileBase::*)(Value** arg_list, int count);

// A global function that calls one binary I/O method of its first argument.
class BinaryFileGeneric : public Generic {
 public:
  BinaryFileGeneric(const char* fn_name, binary_method bound);
  Value* apply(Value** arg_list, int count) override;

 private:
  Value* call_bound(Value** args, int count);
  binary_method method_;
};

// Calling the class BinaryFile opens a file; calling BinaryStream makes a stream.
class BinaryFileClass : public ValueMetaClass {
 public:
  BinaryFileClass();
  Value* apply(Value** arg_list, int count) override;
};
class BinaryStreamClass : public ValueMetaClass {
 public:
  BinaryStreamClass();
  Value* apply(Value** arg_list, int count) override;
};

extern BinaryFileClass BinaryFile_class;
extern BinaryStreamClass BinaryStream_class;
extern ValueMetaClass BinaryFileGeneric_class;

// Argument counts after the object: each method wants exactly `wanted`
// further arguments and otherwise raises "<Class>::<method> needs N argument(s)".
void check_method_args(const char* class_name, const char* method, int wanted, int count);

// The seek origin: the Integer 0, 1 or 2, or #start, #current, #end.
// Anything else raises "Wrong origin specifier".
int read_origin(Value* origin);

// The class queries both binary classes answer the same way.
Value* class_of_query(ValueMetaClass* own_class, int count);
Value* super_class_of_query(int count);
// Checks the count of isKindOf (one further argument) and tells whether that
// argument is own_class; otherwise the host's own answer applies.
bool is_own_class_query(ValueMetaClass* own_class, Value** arg_list, int count);

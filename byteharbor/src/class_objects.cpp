// Calling the binary classes from a script: BinaryFile "x.bin" opens a file,
// BinaryStream () or BinaryStream "text" makes a stream.
#include "binary_file.h"
#include "binary_io.h"
#include "binary_stream.h"
#include "messages.h"

BinaryFileClass::BinaryFileClass() : ValueMetaClass("BinaryFile", &Value_class) {}

Value* BinaryFileClass::apply(Value** arg_list, int count) {
  check_arg_count(msg::kOpenBinaryFile, 1, count);
  const char* path = arg_list[0]->eval()->to_string();
  BinaryFile* file = BinaryFile::open(path);
  return file != nullptr ? static_cast<Value*>(file) : &undefined;
}

BinaryStreamClass::BinaryStreamClass() : ValueMetaClass("BinaryStream", &Value_class) {}

Value* BinaryStreamClass::apply(Value** arg_list, int count) {
  if (count > 1) throw RuntimeError(msg::kStreamCreationArgs);
  if (count == 0) return new BinaryStream;
  return BinaryStream::from_text(arg_list[0]->eval()->to_string());
}

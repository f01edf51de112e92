#include "binary_file.h"

#include <cstring>
#include <string>

#include "binary_stream.h"
#include "little_endian.h"
#include "messages.h"

namespace {
constexpr char kClass[] = "BinaryFile";

// Positions and sizes reach scripts as 32-bit integers.
Value* script_position(std::int64_t value) {
  if (value < 0 || value > DiskFile::kMaxPosition) {
    std::string number = std::to_string(value);
    throw RuntimeError(msg::kFileTooLarge, number.c_str());
  }
  return Integer::intern(static_cast<int>(value));
}
}  // namespace

BinaryFile* BinaryFile::open(const char* path) {
  std::unique_ptr<DiskFile> file = DiskFile::open(path);
  if (file == nullptr) return nullptr;
  return new BinaryFile(std::move(file));
}

BinaryFile::BinaryFile(std::unique_ptr<DiskFile> file) : file_(std::move(file)) { tag = &BinaryFile_class; }

DiskFile& BinaryFile::open_file(const char* method, int wanted, int count) {
  check_method_args(kClass, method, wanted, count);
  if (file_ == nullptr) throw RuntimeError(msg::kFileClosed);
  return *file_;
}

bool BinaryFile::is_kind_of(ValueMetaClass* c) { return c == &BinaryFile_class || Value::is_kind_of(c); }

void BinaryFile::sprin1(CharStream* s) {
  if (file_ != nullptr)
    s->printf(msg::kOpenFilePrintForm, file_->path().c_str());
  else
    s->printf("%s", msg::kClosedFilePrintForm);
}

Value* BinaryFile::classOf_vf(Value**, int count) { return class_of_query(&BinaryFile_class, count); }
Value* BinaryFile::superClassOf_vf(Value**, int count) { return super_class_of_query(count); }
Value* BinaryFile::isKindOf_vf(Value** arg_list, int count) {
  return is_own_class_query(&BinaryFile_class, arg_list, count) ? &true_value
                                                                : Value::isKindOf_vf(arg_list, count);
}

Value* BinaryFile::flush_vf(Value**, int count) { return bool_result(open_file("flush", 0, count).flush()); }

Value* BinaryFile::eof_vf(Value**, int count) { return bool_result(open_file("eof", 0, count).at_end()); }

Value* BinaryFile::seek_vf(Value** arg_list, int count) {
  DiskFile& file = open_file("seek", 2, count);
  file.size();  // refresh before the origin counts from the size
  int origin = read_origin(arg_list[1]);
  int offset = arg_list[0]->to_int();
  return bool_result(file.seek(offset, origin));
}

Value* BinaryFile::close_vf(Value**, int count) {
  check_method_args(kClass, "close", 0, count);
  file_.reset();
  return &true_value;
}

Value* BinaryFile::tell(Value**, int count) { return script_position(open_file("tell", 0, count).tell()); }

Value* BinaryFile::size(Value**, int count) { return script_position(open_file("size", 0, count).size()); }

Value* BinaryFile::readBinChar(Value**, int count) {
  DiskFile& file = open_file("readBinChar", 0, count);
  char byte = 0;
  if (!file.read(&byte, 1)) return &undefined;
  return new String(&byte, byte == 0 ? 0 : 1);
}

Value* BinaryFile::readBinByte(Value**, int count) {
  DiskFile& file = open_file("readBinByte", 0, count);
  unsigned char byte = 0;
  if (!file.read(&byte, 1)) return &undefined;
  return Integer::intern(byte);
}

Value* BinaryFile::readBinWord(Value**, int count) {
  DiskFile& file = open_file("readBinWord", 0, count);
  unsigned char bytes[2];
  if (!file.read(bytes, 2)) return &undefined;
  return Integer::intern(le::load_u16(bytes));
}

Value* BinaryFile::readBinInt(Value**, int count) {
  DiskFile& file = open_file("readBinInt", 0, count);
  unsigned char bytes[4];
  if (!file.read(bytes, 4)) return &undefined;
  return Integer::intern(le::load_i32(bytes));
}

Value* BinaryFile::readBinFloat(Value**, int count) {
  DiskFile& file = open_file("readBinFloat", 0, count);
  unsigned char bytes[4];
  if (!file.read(bytes, 4)) return &undefined;
  return new Float(le::load_f32(bytes));
}

Value* BinaryFile::readBinString(Value**, int count) {
  DiskFile& file = open_file("readBinString", 0, count);
  return read_terminated_string([&file](char& byte) { return file.read(&byte, 1); });
}

Value* BinaryFile::writeBinChar(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinChar", 1, count);
  const char* text = arg_list[0]->to_string();
  return bool_result(file.write(text, 1));
}

Value* BinaryFile::writeBinByte(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinByte", 1, count);
  unsigned char byte = static_cast<unsigned char>(arg_list[0]->to_int() & 0xFF);
  return bool_result(file.write(&byte, 1));
}

Value* BinaryFile::writeBinWord(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinWord", 1, count);
  unsigned char bytes[2];
  le::store_u16(bytes, arg_list[0]->to_int());
  return bool_result(file.write(bytes, 2));
}

Value* BinaryFile::writeBinInt(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinInt", 1, count);
  unsigned char bytes[4];
  le::store_i32(bytes, arg_list[0]->to_int());
  return bool_result(file.write(bytes, 4));
}

Value* BinaryFile::writeBinFloat(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinFloat", 1, count);
  unsigned char bytes[4];
  le::store_f32(bytes, arg_list[0]->to_float());
  return bool_result(file.write(bytes, 4));
}

Value* BinaryFile::writeBinString(Value** arg_list, int count) {
  DiskFile& file = open_file("writeBinString", 1, count);
  const char* text = arg_list[0]->to_string();
  return bool_result(file.write(text, std::strlen(text) + 1));
}

#include "binary_file.h"

#include <string>

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
  bool settled = file.settle();  // pending bytes reach the file even when the origin is wrong
  int origin = read_origin(arg_list[1]);
  int offset = arg_list[0]->to_int();
  return bool_result(settled && file.seek(offset, origin));
}

// Closing a closed file changes nothing and succeeds.
Value* BinaryFile::close_vf(Value**, int count) {
  check_method_args(kClass, "close", 0, count);
  if (file_ == nullptr) return &true_value;
  std::unique_ptr<DiskFile> file = std::move(file_);
  return bool_result(file->close());
}

Value* BinaryFile::tell(Value**, int count) { return script_position(open_file("tell", 0, count).tell()); }

Value* BinaryFile::size(Value**, int count) { return script_position(open_file("size", 0, count).size()); }

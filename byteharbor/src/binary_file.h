// BinaryFile: a script value standing for a file on disk opened for binary
// reading and writing, read and written with typed little-endian values.
// close ends its use; a collected file is closed. Writes, flush and close
// answer false when the system refused the bytes (a full disk, say).
#pragma once

#include <memory>

#include "binary_codec.h"
#include "disk_file.h"

class BinaryFile : public BinaryCodec<BinaryFile> {
 public:
  // Opens path (keeping its content) or creates it; nullptr when neither works.
  static BinaryFile* open(const char* path);

  bool is_open() const { return file_ != nullptr; }

  // The typed reads and writes (BinaryCodec) go through these; begin checks
  // the argument count, then that the file is open.
  void begin(const char* method, int wanted, int count) { open_file(method, wanted, count); }
  bool read_bytes(void* destination, std::size_t length) { return file_->read(destination, length); }
  bool write_bytes(const void* source, std::size_t length) { return file_->write(source, length); }

  void collect() override { delete this; }
  bool is_kind_of(ValueMetaClass* c) override;
  ValueMetaClass* local_base_class() override { return &BinaryFile_class; }
  void sprin1(CharStream* s) override;

  Value* classOf_vf(Value** arg_list, int count) override;
  Value* superClassOf_vf(Value** arg_list, int count) override;
  Value* isKindOf_vf(Value** arg_list, int count) override;

  Value* flush_vf(Value** arg_list, int count) override;
  Value* eof_vf(Value** arg_list, int count) override;
  Value* seek_vf(Value** arg_list, int count) override;
  Value* close_vf(Value** arg_list, int count) override;

  Value* tell(Value** arg_list, int count) override;
  Value* size(Value** arg_list, int count) override;

 private:
  explicit BinaryFile(std::unique_ptr<DiskFile> file);
  // Checks the argument count, then that the file is open, and gives it.
  DiskFile& open_file(const char* method, int wanted, int count);

  std::unique_ptr<DiskFile> file_;  // nullptr once closed
};

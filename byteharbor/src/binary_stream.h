// BinaryStream: a script value holding a growable sequence of bytes in
// memory with a current position, read and written with typed
// little-endian values exactly like a binary file. The blocks it holds count
// toward the next collection (ExternalBytes).
#pragma once

#include <cstddef>

#include "binary_codec.h"
#include "block_stream.h"

class BinaryStream : public BinaryCodec<BinaryStream> {
 public:
  BinaryStream();
  // A stream holding the bytes of text (no terminating 0), positioned at 0.
  static BinaryStream* from_text(const char* text);

  // The internal operations other parts of the module use.
  bool StreamRead(void* destination, int length) { return storage_.read(destination, length); }
  // Always succeeds for scripts; raises a RuntimeError (changing nothing)
  // when the stream would outgrow 32-bit offsets or memory runs out.
  bool StreamWrite(const void* source, int length);
  void StreamSeek(std::int64_t offset, int origin) { storage_.seek(offset, origin); }
  void AddBlock();
  const BlockStream& storage() const { return storage_; }

  // The typed reads and writes (BinaryCodec) go through these.
  void begin(const char* method, int wanted, int count);
  bool read_bytes(void* destination, std::size_t length);
  bool write_bytes(const void* source, std::size_t length);

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
  BlockStream storage_;
  ExternalBytes held_;
};

// BinaryStream: a script value holding a growable sequence of bytes in
// memory with a current position, read and written with typed
// little-endian values exactly like a binary file.
#pragma once

#include <string>

#include "binary_io.h"
#include "block_stream.h"

class BinaryStream : public BinaryFileBase {
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
  void AddBlock() { storage_.add_block(); }
  const BlockStream& storage() const { return storage_; }

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
  Value* readBinChar(Value** arg_list, int count) override;
  Value* readBinByte(Value** arg_list, int count) override;
  Value* readBinWord(Value** arg_list, int count) override;
  Value* readBinInt(Value** arg_list, int count) override;
  Value* readBinFloat(Value** arg_list, int count) override;
  Value* readBinString(Value** arg_list, int count) override;
  Value* writeBinChar(Value** arg_list, int count) override;
  Value* writeBinByte(Value** arg_list, int count) override;
  Value* writeBinWord(Value** arg_list, int count) override;
  Value* writeBinInt(Value** arg_list, int count) override;
  Value* writeBinFloat(Value** arg_list, int count) override;
  Value* writeBinString(Value** arg_list, int count) override;

 private:
  BlockStream storage_;
};

// Reads a zero-terminated string one byte at a time from next_byte (a
// callable taking char& and giving false at the end), buffering the bytes in
// a temporary stream. Gives the String up to the 0 byte (or of all the bytes
// when the end came first), or undefined when not even one byte came.
template <typename NextByte>
Value* read_terminated_string(NextByte next_byte) {
  OneValueLocal buffer(new BinaryStream);
  auto* collected = static_cast<BinaryStream*>(buffer.value);
  char byte = 0;
  while (next_byte(byte)) {
    collected->StreamWrite(&byte, 1);
    if (byte == 0) break;
  }
  int length = collected->storage().size();
  if (length == 0) return &undefined;
  std::string bytes(static_cast<std::size_t>(length), '\0');
  collected->StreamSeek(0, 0);
  collected->StreamRead(bytes.data(), length);
  return new String(bytes.c_str());
}

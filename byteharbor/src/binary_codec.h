// The twelve typed reads and writes of the binary classes, written once over
// a class's own byte read and write: little-endian integers, IEEE 754 floats,
// single characters and zero-terminated strings. A class derives from
// BinaryCodec<Itself> and gives it three members:
//   void begin(const char* method, int wanted, int count);  // checks; raises
//   bool read_bytes(void* destination, std::size_t length);  // all or false
//   bool write_bytes(const void* source, std::size_t length);
// Every method checks first, converts its argument next, and only then reads
// or writes; a read that finds too few bytes gives undefined.
#pragma once

#include <cstring>
#include <string>

#include "binary_io.h"
#include "little_endian.h"

template <class Derived>
class BinaryCodec : public BinaryFileBase {
 public:
  Value* readBinChar(Value**, int count) override {
    self().begin("readBinChar", 0, count);
    char byte = 0;
    if (!self().read_bytes(&byte, 1)) return &undefined;
    return new String(&byte, byte == 0 ? 0 : 1);
  }

  Value* readBinByte(Value**, int count) override {
    self().begin("readBinByte", 0, count);
    unsigned char byte = 0;
    if (!self().read_bytes(&byte, 1)) return &undefined;
    return Integer::intern(byte);
  }

  Value* readBinWord(Value**, int count) override {
    self().begin("readBinWord", 0, count);
    unsigned char bytes[2];
    if (!self().read_bytes(bytes, 2)) return &undefined;
    return Integer::intern(le::load_u16(bytes));
  }

  Value* readBinInt(Value**, int count) override {
    self().begin("readBinInt", 0, count);
    unsigned char bytes[4];
    if (!self().read_bytes(bytes, 4)) return &undefined;
    return Integer::intern(le::load_i32(bytes));
  }

  Value* readBinFloat(Value**, int count) override {
    self().begin("readBinFloat", 0, count);
    unsigned char bytes[4];
    if (!self().read_bytes(bytes, 4)) return &undefined;
    return new Float(le::load_f32(bytes));
  }

  // The text up to the 0 byte, or up to the end when no 0 came; undefined
  // when not even one byte came.
  Value* readBinString(Value**, int count) override {
    self().begin("readBinString", 0, count);
    std::string text;
    char byte = 0;
    bool any = false;
    while (self().read_bytes(&byte, 1)) {
      any = true;
      if (byte == 0) break;
      text.push_back(byte);
    }
    if (!any) return &undefined;
    return new String(text.data(), text.size());
  }

  Value* writeBinChar(Value** arg_list, int count) override {
    self().begin("writeBinChar", 1, count);
    const char* text = arg_list[0]->to_string();
    return bool_result(self().write_bytes(text, 1));
  }

  Value* writeBinByte(Value** arg_list, int count) override {
    self().begin("writeBinByte", 1, count);
    unsigned char byte = static_cast<unsigned char>(arg_list[0]->to_int() & 0xFF);
    return bool_result(self().write_bytes(&byte, 1));
  }

  Value* writeBinWord(Value** arg_list, int count) override {
    self().begin("writeBinWord", 1, count);
    unsigned char bytes[2];
    le::store_u16(bytes, arg_list[0]->to_int());
    return bool_result(self().write_bytes(bytes, 2));
  }

  Value* writeBinInt(Value** arg_list, int count) override {
    self().begin("writeBinInt", 1, count);
    unsigned char bytes[4];
    le::store_i32(bytes, arg_list[0]->to_int());
    return bool_result(self().write_bytes(bytes, 4));
  }

  Value* writeBinFloat(Value** arg_list, int count) override {
    self().begin("writeBinFloat", 1, count);
    unsigned char bytes[4];
    le::store_f32(bytes, arg_list[0]->to_float());
    return bool_result(self().write_bytes(bytes, 4));
  }

  // The text and its terminating 0.
  Value* writeBinString(Value** arg_list, int count) override {
    self().begin("writeBinString", 1, count);
    const char* text = arg_list[0]->to_string();
    return bool_result(self().write_bytes(text, std::strlen(text) + 1));
  }

 private:
  Derived& self() { return static_cast<Derived&>(*this); }
};

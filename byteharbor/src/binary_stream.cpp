#include "binary_stream.h"

#include <cstring>
#include <new>
#include <string>

#include "little_endian.h"
#include "messages.h"

namespace {
constexpr char kClass[] = "BinaryStream";
}

BinaryStream::BinaryStream() { tag = &BinaryStream_class; }

BinaryStream* BinaryStream::from_text(const char* text) {
  auto* stream = new BinaryStream;
  OneValueLocal keep(stream);
  stream->StreamWrite(text, static_cast<int>(std::strlen(text)));
  stream->StreamSeek(0, 0);
  return stream;
}

bool BinaryStream::StreamWrite(const void* source, int length) {
  try {
    if (storage_.write(source, length) == BlockStream::WriteResult::too_large)
      throw RuntimeError(msg::kStreamTooLarge);
  } catch (const std::bad_alloc&) {
    throw RuntimeError(msg::kStreamOutOfMemory);
  }
  return true;
}

bool BinaryStream::is_kind_of(ValueMetaClass* c) { return c == &BinaryStream_class || Value::is_kind_of(c); }

void BinaryStream::sprin1(CharStream* s) { s->printf("%s", msg::kStreamPrintForm); }

Value* BinaryStream::classOf_vf(Value**, int count) { return class_of_query(&BinaryStream_class, count); }
Value* BinaryStream::superClassOf_vf(Value**, int count) { return super_class_of_query(count); }
Value* BinaryStream::isKindOf_vf(Value** arg_list, int count) {
  return is_own_class_query(&BinaryStream_class, arg_list, count) ? &true_value
                                                                  : Value::isKindOf_vf(arg_list, count);
}

Value* BinaryStream::flush_vf(Value**, int count) {
  check_method_args(kClass, "flush", 0, count);
  return &true_value;
}

Value* BinaryStream::eof_vf(Value**, int count) {
  check_method_args(kClass, "eof", 0, count);
  return bool_result(storage_.at_end());
}

Value* BinaryStream::seek_vf(Value** arg_list, int count) {
  check_method_args(kClass, "seek", 2, count);
  int offset = arg_list[0]->to_int();
  int origin = read_origin(arg_list[1]);
  StreamSeek(offset, origin);
  return &true_value;
}

Value* BinaryStream::close_vf(Value**, int count) {
  check_method_args(kClass, "close", 0, count);
  return &true_value;
}

Value* BinaryStream::tell(Value**, int count) {
  check_method_args(kClass, "tell", 0, count);
  return Integer::intern(storage_.position());
}

Value* BinaryStream::size(Value**, int count) {
  check_method_args(kClass, "size", 0, count);
  return Integer::intern(storage_.size());
}

Value* BinaryStream::readBinChar(Value**, int count) {
  check_method_args(kClass, "readBinChar", 0, count);
  char byte = 0;
  if (!StreamRead(&byte, 1)) return &undefined;
  return new String(&byte, byte == 0 ? 0 : 1);
}

Value* BinaryStream::readBinByte(Value**, int count) {
  check_method_args(kClass, "readBinByte", 0, count);
  unsigned char byte = 0;
  if (!StreamRead(&byte, 1)) return &undefined;
  return Integer::intern(byte);
}

Value* BinaryStream::readBinWord(Value**, int count) {
  check_method_args(kClass, "readBinWord", 0, count);
  unsigned char bytes[2];
  if (!StreamRead(bytes, 2)) return &undefined;
  return Integer::intern(le::load_u16(bytes));
}

Value* BinaryStream::readBinInt(Value**, int count) {
  check_method_args(kClass, "readBinInt", 0, count);
  unsigned char bytes[4];
  if (!StreamRead(bytes, 4)) return &undefined;
  return Integer::intern(le::load_i32(bytes));
}

Value* BinaryStream::readBinFloat(Value**, int count) {
  check_method_args(kClass, "readBinFloat", 0, count);
  unsigned char bytes[4];
  if (!StreamRead(bytes, 4)) return &undefined;
  return new Float(le::load_f32(bytes));
}

Value* BinaryStream::readBinString(Value**, int count) {
  check_method_args(kClass, "readBinString", 0, count);
  return read_terminated_string([this](char& byte) { return StreamRead(&byte, 1); });
}

Value* BinaryStream::writeBinChar(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinChar", 1, count);
  const char* text = arg_list[0]->to_string();
  return bool_result(StreamWrite(text, 1));
}

Value* BinaryStream::writeBinByte(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinByte", 1, count);
  unsigned char byte = static_cast<unsigned char>(arg_list[0]->to_int() & 0xFF);
  return bool_result(StreamWrite(&byte, 1));
}

Value* BinaryStream::writeBinWord(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinWord", 1, count);
  unsigned char bytes[2];
  le::store_u16(bytes, arg_list[0]->to_int());
  return bool_result(StreamWrite(bytes, 2));
}

Value* BinaryStream::writeBinInt(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinInt", 1, count);
  unsigned char bytes[4];
  le::store_i32(bytes, arg_list[0]->to_int());
  return bool_result(StreamWrite(bytes, 4));
}

Value* BinaryStream::writeBinFloat(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinFloat", 1, count);
  unsigned char bytes[4];
  le::store_f32(bytes, arg_list[0]->to_float());
  return bool_result(StreamWrite(bytes, 4));
}

Value* BinaryStream::writeBinString(Value** arg_list, int count) {
  check_method_args(kClass, "writeBinString", 1, count);
  const char* text = arg_list[0]->to_string();
  return bool_result(StreamWrite(text, static_cast<int>(std::strlen(text)) + 1));
}

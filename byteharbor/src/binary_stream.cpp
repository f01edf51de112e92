#include "binary_stream.h"

#include <cstring>
#include <new>

#include "messages.h"

namespace {
constexpr char kClass[] = "BinaryStream";
}

BinaryStream::BinaryStream() {
  tag = &BinaryStream_class;
  held_.set(static_cast<std::size_t>(storage_.capacity()));
}

BinaryStream* BinaryStream::from_text(const char* text) {
  auto* stream = new BinaryStream;
  OneValueLocal keep(stream);
  stream->write_bytes(text, std::strlen(text));
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
  if (static_cast<std::size_t>(storage_.capacity()) != held_.bytes())
    held_.set(static_cast<std::size_t>(storage_.capacity()));
  return true;
}

void BinaryStream::AddBlock() {
  try {
    storage_.add_block();
  } catch (const std::bad_alloc&) {
    throw RuntimeError(msg::kStreamOutOfMemory);
  }
  held_.set(static_cast<std::size_t>(storage_.capacity()));
}

void BinaryStream::begin(const char* method, int wanted, int count) {
  check_method_args(kClass, method, wanted, count);
}

bool BinaryStream::read_bytes(void* destination, std::size_t length) {
  return length <= static_cast<std::size_t>(BlockStream::kMaxSize) &&
         StreamRead(destination, static_cast<int>(length));
}

bool BinaryStream::write_bytes(const void* source, std::size_t length) {
  if (length > static_cast<std::size_t>(BlockStream::kMaxSize)) throw RuntimeError(msg::kStreamTooLarge);
  return StreamWrite(source, static_cast<int>(length));
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

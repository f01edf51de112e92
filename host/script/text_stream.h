// The common base of the script streams that can be read as well as written:
// string streams and file streams. The reading functions (readLine,
// readChar, skipToString, readValue, ...) work on this interface only.
#pragma once

#include <string>

#include "../runtime/runtime_internal.h"

namespace host::script {

class TextStream : public CharStream {
 public:
  // The next character, or -1 at the end; get_char moves past it.
  virtual int get_char() = 0;
  virtual int peek_char() = 0;
  // Offsets count characters from the start of the stream.
  virtual long position() = 0;
  virtual long length() = 0;
  // pos lies within 0..length().
  virtual void set_position(long pos) = 0;
  // Raise the stream's error when it cannot be read or used at all.
  virtual void check_readable() {}
  virtual void check_open() {}

  bool at_end() { return peek_char() < 0; }

  Value* eof_vf(Value** arg_list, int count) override;
  Value* seek_vf(Value** arg_list, int count) override;
  Value* flush_vf(Value** arg_list, int count) override;
  Value* close_vf(Value** arg_list, int count) override;
};

// stringStream "text", and the class "text" as stringStream converts to.
extern ValueMetaClass StringStream_class;

// The stream a reading function was given, checked to be readable.
TextStream* readable_stream(Value* v, const char* fn_name);

}  // namespace host::script

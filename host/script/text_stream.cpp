#include "text_stream.h"

#include "host/messages.h"

namespace host::script {

Value* TextStream::eof_vf(Value**, int count) {
  if (count != 0) throw ArgCountError("eof", 1, count + 1);
  check_readable();
  return bool_result(at_end());
}

// seek s 10, or seek s #eof.
Value* TextStream::seek_vf(Value** arg_list, int count) {
  if (count != 1) throw ArgCountError("seek", 2, count + 1);
  check_open();
  static Value* eof_name = Name::intern("eof");
  if (arg_list[0] == eof_name) {
    set_position(length());
    return &ok;
  }
  if (arg_list[0]->tag != &Integer_class) throw TypeError("seek", arg_list[0], &Integer_class);
  int pos = arg_list[0]->to_int();
  if (pos < 0 || pos > length()) throw RuntimeError(msg::kSeekOutOfRange, arg_list[0]);
  set_position(pos);
  return &ok;
}

Value* TextStream::flush_vf(Value**, int count) {
  if (count != 0) throw ArgCountError("flush", 1, count + 1);
  check_open();
  flush();
  return &ok;
}

Value* TextStream::close_vf(Value**, int count) {
  if (count != 0) throw ArgCountError("close", 1, count + 1);
  return &ok;
}

TextStream* readable_stream(Value* v, const char* fn_name) {
  auto* s = dynamic_cast<TextStream*>(v);
  if (s == nullptr) throw NoMethodError((std::string("\"") + fn_name + "\"").c_str(), v);
  s->check_readable();
  return s;
}

}  // namespace host::script

#include "text_stream.h"

#include "host/messages.h"

namespace host::script {

Value* TextStream::eof_vf(Value**, int count) {
  check_method_arg_count("eof", 0, count);
  check_readable();
  return bool_result(at_end());
}

// seek s 10, or seek s #eof.
Value* TextStream::seek_vf(Value** arg_list, int count) {
  check_method_arg_count("seek", 1, count);
  check_open();
  static Value* eof_name = Name::intern("eof");
  if (arg_list[0] == eof_name) {
    set_position(length());
    return &ok;
  }
  check_exact_class(arg_list[0], &Integer_class, "seek");
  int pos = arg_list[0]->to_int();
  if (pos < 0 || pos > length()) throw RuntimeError(msg::kSeekOutOfRange, arg_list[0]);
  set_position(pos);
  return &ok;
}

Value* TextStream::flush_vf(Value**, int count) {
  check_method_arg_count("flush", 0, count);
  check_open();
  flush();
  return &ok;
}

Value* TextStream::close_vf(Value**, int count) {
  check_method_arg_count("close", 0, count);
  return &ok;
}

TextStream* readable_stream(Value* v, const char* fn_name) {
  auto* s = dynamic_cast<TextStream*>(v);
  if (s == nullptr) throw NoMethodError(fn_name, v);
  s->check_readable();
  return s;
}

}  // namespace host::script

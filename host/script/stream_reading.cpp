// Reading from string and file streams: lines, characters, delimited text,
// tokens and literal values.
#include <string>

#include "host/messages.h"
#include "text_stream.h"
#include "value_reader.h"

namespace host::script {

namespace {

Value* new_string(const std::string& s) { return new String(s.c_str(), s.size()); }

// Reading at the end is an error for the functions that return what they read.
TextStream* stream_with_text(Value* v, const char* fn_name) {
  TextStream* s = readable_stream(v, fn_name);
  if (s->at_end()) throw RuntimeError(msg::kReadPastEnd, v);
  return s;
}

// The line without its line break (LF or CR LF).
Value* read_line_cf(Value** arg_list, int count) {
  check_arg_count("readLine", 1, count);
  TextStream* s = stream_with_text(arg_list[0], "readLine");
  std::string line;
  for (int c = s->get_char(); c >= 0 && c != '\n'; c = s->get_char()) line += static_cast<char>(c);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return new_string(line);
}

Value* read_char_cf(Value** arg_list, int count) {
  check_arg_count("readChar", 1, count);
  TextStream* s = stream_with_text(arg_list[0], "readChar");
  return new_string(std::string(1, static_cast<char>(s->get_char())));
}

// readChars s n [errorAtEOF:false]: fewer than n characters left is an error
// unless errorAtEOF is false; then what is left comes back.
Value* read_chars_cf(Value** arg_list, int count) {
  check_positional_count("readChars", 2, arg_list, count);
  TextStream* s = readable_stream(arg_list[0], "readChars");
  static Value* error_key = Name::intern("errorAtEOF");
  bool error_at_eof = _get_key_arg_or_default(arg_list, count, error_key, &true_value)->to_bool();
  int wanted = arg_list[1]->to_int();
  std::string text;
  for (int i = 0; i < wanted; ++i) {
    int c = s->get_char();
    if (c < 0) {
      if (error_at_eof) throw RuntimeError(msg::kReadPastEnd, arg_list[0]);
      break;
    }
    text += static_cast<char>(c);
  }
  return new_string(text);
}

// The text up to the first of the delimiter characters, which is read past,
// or up to the end.
Value* read_delimited_string_cf(Value** arg_list, int count) {
  check_arg_count("readDelimitedString", 2, count);
  TextStream* s = readable_stream(arg_list[0], "readDelimitedString");
  std::string delimiters = arg_list[1]->to_string();
  std::string text;
  for (int c = s->get_char(); c >= 0; c = s->get_char()) {
    if (delimiters.find(static_cast<char>(c)) != std::string::npos) break;
    text += static_cast<char>(c);
  }
  return new_string(text);
}

// Leaves the stream just past the next occurrence of the text and returns
// ok; at the end of the stream and undefined when there is none.
Value* skip_to_string_cf(Value** arg_list, int count) {
  check_arg_count("skipToString", 2, count);
  TextStream* s = readable_stream(arg_list[0], "skipToString");
  std::string wanted = arg_list[1]->to_string();
  if (wanted.empty()) return &ok;
  std::string window;
  for (int c = s->get_char(); c >= 0; c = s->get_char()) {
    window += static_cast<char>(c);
    if (window.size() > wanted.size()) window.erase(0, 1);
    if (window == wanted) return &ok;
  }
  return &undefined;
}

Value* skip_to_next_line_cf(Value** arg_list, int count) {
  check_arg_count("skipToNextLine", 1, count);
  TextStream* s = readable_stream(arg_list[0], "skipToNextLine");
  for (int c = s->get_char(); c >= 0 && c != '\n'; c = s->get_char()) {
  }
  return &ok;
}

Value* file_pos_cf(Value** arg_list, int count) {
  check_arg_count("filePos", 1, count);
  auto* s = dynamic_cast<TextStream*>(arg_list[0]);
  if (s == nullptr) throw NoMethodError("\"filePos\"", arg_list[0]);
  s->check_open();
  return Integer::intern(static_cast<int>(s->position()));
}

// Tokens are runs of characters between whitespace; whitespace and // comments
// before one are skipped. undefined when no token is left.
Value* token(Value** arg_list, int count, const char* fn_name, bool consume) {
  check_arg_count(fn_name, 1, count);
  TextStream* s = readable_stream(arg_list[0], fn_name);
  auto space = [](int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  for (;;) {
    while (space(s->peek_char())) s->get_char();
    if (s->peek_char() != '/') break;
    long at = s->position();
    s->get_char();
    if (s->peek_char() != '/') {
      s->set_position(at);
      break;
    }
    for (int c = s->get_char(); c >= 0 && c != '\n'; c = s->get_char()) {
    }
  }
  long start = s->position();
  std::string text;
  while (s->peek_char() >= 0 && !space(s->peek_char())) text += static_cast<char>(s->get_char());
  if (!consume) s->set_position(start);
  return text.empty() ? static_cast<Value*>(&undefined) : new_string(text);
}

Value* read_token_cf(Value** arg_list, int count) { return token(arg_list, count, "readToken", true); }
Value* peek_token_cf(Value** arg_list, int count) { return token(arg_list, count, "peekToken", false); }

// The next literal value: a number, string, name, array, point, ... read
// with the script reader. ignoreStringEscapes:true reads a string's
// backslashes as plain characters (Windows paths).
Value* read_value_cf(Value** arg_list, int count) {
  check_positional_count("readValue", 1, arg_list, count);
  TextStream* s = readable_stream(arg_list[0], "readValue");
  while (s->peek_char() == ' ' || s->peek_char() == '\t' || s->peek_char() == '\n' ||
         s->peek_char() == '\r' || s->peek_char() == ',')
    s->get_char();
  if (s->at_end()) throw RuntimeError(msg::kReadPastEnd, arg_list[0]);
  static Value* ignore_key = Name::intern("ignoreStringEscapes");
  return read_literal(*s, _get_key_arg_or_default(arg_list, count, ignore_key, &false_value)->to_bool());
}

Primitive read_line_pf("readLine", read_line_cf);
Primitive read_char_pf("readChar", read_char_cf);
Primitive read_chars_pf("readChars", read_chars_cf);
Primitive read_delimited_string_pf("readDelimitedString", read_delimited_string_cf);
Primitive skip_to_string_pf("skipToString", skip_to_string_cf);
Primitive skip_to_next_line_pf("skipToNextLine", skip_to_next_line_cf);
Primitive file_pos_pf("filePos", file_pos_cf);
Primitive read_token_pf("readToken", read_token_cf);
Primitive peek_token_pf("peekToken", peek_token_cf);
Primitive read_value_pf("readValue", read_value_cf);

}  // namespace

}  // namespace host::script

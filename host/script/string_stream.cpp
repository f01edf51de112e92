// stringStream: a stream over text in memory that scripts write with format
// and print ... to: and read with the same functions as files.
#include <algorithm>
#include <string>

#include "text_stream.h"

namespace host::script {

namespace {

// One position serves reading and writing: text written at a position
// replaces what stood there and extends the text past its end.
class ScriptStringStream : public TextStream {
 public:
  explicit ScriptStringStream(const char* text) : text_(text) { tag = &StringStream_class; }

  void puts(const char* text) override {
    std::string s(text);
    text_.replace(pos_, std::min(s.size(), text_.size() - pos_), s);
    pos_ += s.size();
  }
  void sprin1(CharStream* s) override {
    s->puts("StringStream:\"");
    s->puts(text_.c_str());
    s->puts("\"");
  }
  void sprint(CharStream* s) override { s->puts(text_.c_str()); }

  int get_char() override { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_++]) : -1; }
  int peek_char() override { return pos_ < text_.size() ? static_cast<unsigned char>(text_[pos_]) : -1; }
  long position() override { return static_cast<long>(pos_); }
  long length() override { return static_cast<long>(text_.size()); }
  void set_position(long pos) override { pos_ = static_cast<std::size_t>(pos); }

 private:
  std::string text_;
  std::size_t pos_ = 0;
};

Value* string_stream_count(Value* s) {
  return Integer::intern(static_cast<int>(static_cast<ScriptStringStream*>(s)->length()));
}

const PropertyTable string_stream_properties{{"count", "integer", string_stream_count}};

Value* make_string_stream(Value** arg_list, int count) {
  check_arg_count_at_most("stringStream", 1, count);
  return new ScriptStringStream(count == 1 ? arg_list[0]->to_string() : "");
}

}  // namespace

ValueMetaClass StringStream_class("StringStream", &CharStream_class, make_string_stream,
                                  &string_stream_properties);

}  // namespace host::script

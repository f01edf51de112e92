#include "value_reader.h"

#include <string>

#include "host/messages.h"
#include "parser.h"

namespace host::script {

namespace {

bool is_space(int c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

// Appends a quoted string, the opening quote already in text.
void take_string(TextStream& s, std::string& text, bool verbatim) {
  for (int c = s.get_char(); c >= 0; c = s.get_char()) {
    text += static_cast<char>(c);
    if (c == '"') return;
    if (c == '\\' && !verbatim && s.peek_char() >= 0) text += static_cast<char>(s.get_char());
  }
}

// Appends a bracketed literal up to its matching close, strings inside kept whole.
void take_bracketed(TextStream& s, std::string& text) {
  int depth = 1;
  for (int c = s.get_char(); c >= 0; c = s.get_char()) {
    text += static_cast<char>(c);
    if (c == '"') {
      take_string(s, text, text.size() >= 2 && text[text.size() - 2] == '@');
    } else if (c == '(' || c == '[' || c == '{') {
      ++depth;
    } else if (c == ')' || c == ']' || c == '}') {
      if (--depth == 0) return;
    }
  }
}

// The source text of the literal at the stream's position.
std::string literal_text(TextStream& s, bool ignore_escapes) {
  std::string text(1, static_cast<char>(s.get_char()));
  char first = text[0];
  int next = s.peek_char();
  if (first == '"') {
    take_string(s, text, ignore_escapes);
  } else if (first == '@' && next == '"') {
    text += static_cast<char>(s.get_char());
    take_string(s, text, true);
  } else if (first == '#' && (next == '(' || next == '{')) {
    text += static_cast<char>(s.get_char());
    take_bracketed(s, text);
  } else if (first == '[' || first == '(') {
    take_bracketed(s, text);
  } else if (first == '#' && next == '\'') {
    text += static_cast<char>(s.get_char());
    for (int c = s.get_char(); c >= 0; c = s.get_char()) {
      text += static_cast<char>(c);
      if (c == '\'') break;
    }
  } else {
    static const std::string stops = ",;()[]{}\"";
    while (s.peek_char() >= 0 && !is_space(s.peek_char()) &&
           stops.find(static_cast<char>(s.peek_char())) == std::string::npos)
      text += static_cast<char>(s.get_char());
  }
  return text;
}

bool is_literal(Node* n) {
  return dynamic_cast<Constant*>(n) || dynamic_cast<StringLiteral*>(n) || dynamic_cast<ArrayLiteral*>(n) ||
         dynamic_cast<BitArrayLiteral*>(n) || dynamic_cast<PointLiteral*>(n);
}

}  // namespace

Value* read_literal(TextStream& s, bool ignore_escapes) {
  std::string text = literal_text(s, ignore_escapes);
  if (ignore_escapes && text.size() >= 2 && text.front() == '"' && text.back() == '"')
    return new String(text.c_str() + 1, text.size() - 2);
  ParseResult parsed = parse(text);
  if (!parsed.program || parsed.program->expressions.size() != 1 ||
      !is_literal(parsed.program->expressions[0].expr.get()))
    throw RuntimeError(msg::kNotALiteral, text.c_str());
  TopLevel& t = parsed.program->expressions[0];
  OneValueLocal frame(new Frame(t.slot_count, nullptr));
  return t.expr->eval(static_cast<Frame*>(frame.value));
}

}  // namespace host::script

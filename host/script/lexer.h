// Splits script text into tokens.
#pragma once

#include <string>
#include <vector>

namespace host::script {

enum class Tok {
  Integer,
  Integer64,
  Float,
  Double,
  Time,
  String,
  Name,
  Ident,
  Keyword,
  LParen,
  RParen,
  LBracket,
  RBracket,
  RBrace,
  HashParen,
  HashBrace,
  Path,
  Ampersand,
  Comma,
  Semicolon,
  Colon,
  Dot,
  DotDot,
  Question,
  Assign,
  PlusAssign,
  MinusAssign,
  TimesAssign,
  DivAssign,
  Eq,
  Ne,
  Lt,
  Gt,
  Le,
  Ge,
  Plus,
  Minus,
  Star,
  Slash,
  Caret,
  Newline,
  End,
  Error,  // text that forms no token: the reader stops there
};

struct Token {
  Tok type = Tok::End;
  std::string text;      // source text (identifiers, keywords, strings' contents, a path after $)
  std::string expected;  // for an Error token: what would have been right
  long long int_value = 0;
  double float_value = 0;
  bool normalized = false;  // a time in fractions of the animation range (0.5n)
  int line = 1;
  bool space_before = false;  // whitespace or line start precedes the token
  bool space_after = false;
};

// Thrown for text that forms no token (an unterminated string, a stray
// character). Carries the line so the listener can show it.
struct LexError {
  std::string found;
  std::string expected;
  int line;
};

// Throws LexError for text that forms no token.
std::vector<Token> tokenize(const std::string& source);
// Keeps the tokens before such text and ends them with an Error token, so
// the expressions before it can still run.
std::vector<Token> tokenize_to_error(const std::string& source);
bool is_keyword(const std::string& lower_word);
std::string describe(const Token& t);

}  // namespace host::script

#include "lexer.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <set>
#include "host/messages.h"

namespace host::script {

namespace {

const std::set<std::string>& keywords() {
  static const std::set<std::string> words = {
      "and",    "as",   "at",       "by",     "case", "catch", "collect", "continue", "do",    "else", "exit",
      "fn",     "for",  "function", "global", "if",   "in",    "local",   "max",      "not",   "of",   "or",
      "return", "then", "throw",    "struct", "to",   "try",   "undo",    "where",    "while", "with"};
  return words;
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

bool ident_start(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }
bool ident_char(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

bool path_char(char c) { return ident_char(c) || c == '*' || c == '?' || c == '\\'; }

// How a character that forms no token is shown in the error line.
std::string shown(char c) { return c == '\0' ? host::msg::kNulCharacter : std::string(1, c); }

class Lexer {
 public:
  explicit Lexer(const std::string& s) : src_(s) {
    if (src_.compare(0, 3, "\xEF\xBB\xBF") == 0) pos_ = 3;  // a UTF-8 byte-order mark
  }

  std::vector<Token> run(bool stop_at_error) {
    std::vector<Token> out;
    try {
      read_all(out);
    } catch (const LexError& e) {
      if (!stop_at_error) throw;
      Token t;
      t.type = Tok::Error;
      t.text = e.found;
      t.expected = e.expected;
      t.line = e.line;
      t.space_before = true;
      push(out, t);
    }
    return out;
  }

 private:
  void read_all(std::vector<Token>& out) {
    bool space = true;
    while (true) {
      space = skip_space_and_comments() || space;
      if (pos_ >= src_.size()) break;
      Token t;
      t.line = line_;
      t.space_before = space;
      char c = src_[pos_];
      if (c == '\n') {
        ++pos_;
        ++line_;
        t.type = Tok::Newline;
        push(out, t);
        space = true;
        continue;
      }
      if (c == '\\' && rest_is_line_end(pos_ + 1)) {  // line continuation
        ++pos_;
        skip_space_and_comments();
        if (pos_ < src_.size() && src_[pos_] == '\r') ++pos_;
        if (pos_ < src_.size() && src_[pos_] == '\n') {
          ++pos_;
          ++line_;
        }
        space = true;
        continue;
      }
      read_token(t);
      push(out, t);
      space = false;
    }
    Token end;
    end.type = Tok::End;
    end.line = line_;
    end.space_before = true;
    push(out, end);
  }

  static void push(std::vector<Token>& out, Token& t) {
    if (!out.empty()) out.back().space_after = t.space_before;
    out.push_back(std::move(t));
  }

  bool rest_is_line_end(std::size_t p) const {
    while (p < src_.size() && (src_[p] == ' ' || src_[p] == '\t' || src_[p] == '\r')) ++p;
    return p >= src_.size() || src_[p] == '\n' || src_.compare(p, 2, "--") == 0;
  }

  // Skips blanks and comments; true when anything was skipped.
  bool skip_space_and_comments() {
    std::size_t start = pos_;
    while (pos_ < src_.size()) {
      char c = src_[pos_];
      if (c == ' ' || c == '\t' || c == '\r' || c == '\f') {
        ++pos_;
      } else if (src_.compare(pos_, 2, "--") == 0) {
        while (pos_ < src_.size() && src_[pos_] != '\n') ++pos_;
      } else if (src_.compare(pos_, 2, "/*") == 0) {
        int open_line = line_;
        std::size_t close = src_.find("*/", pos_ + 2);
        if (close == std::string::npos) throw LexError{"end of script", "*/ to close the comment", open_line};
        for (std::size_t i = pos_; i < close; ++i)
          if (src_[i] == '\n') ++line_;
        pos_ = close + 2;
      } else {
        break;
      }
    }
    return pos_ != start;
  }

  void read_token(Token& t) {
    char c = src_[pos_];
    if (std::isdigit(static_cast<unsigned char>(c)) ||
        (c == '.' && pos_ + 1 < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_ + 1])))) {
      read_number(t);
    } else if (c == '"' || (c == '@' && pos_ + 1 < src_.size() && src_[pos_ + 1] == '"')) {
      read_string(t);
    } else if (ident_start(c)) {
      std::size_t start = pos_;
      while (pos_ < src_.size() && ident_char(src_[pos_])) ++pos_;
      t.text = src_.substr(start, pos_ - start);
      t.type = keywords().count(lower(t.text)) ? Tok::Keyword : Tok::Ident;
    } else if (c == '#') {
      read_hash(t);
    } else if (c == '$') {
      read_path(t);
    } else {
      read_punctuation(t);
    }
  }

  void read_number(Token& t) {
    std::size_t start = pos_;
    if (src_.compare(pos_, 2, "0x") == 0 || src_.compare(pos_, 2, "0X") == 0) {
      pos_ += 2;
      std::size_t digits = pos_;
      while (pos_ < src_.size() && std::isxdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
      if (pos_ == digits) throw LexError{src_.substr(start, pos_ - start), "hex digits", line_};
      t.type = Tok::Integer;
      unsigned long long v = std::strtoull(src_.substr(digits, pos_ - digits).c_str(), nullptr, 16);
      t.int_value = static_cast<long long>(static_cast<int>(static_cast<unsigned int>(v)));
      t.text = src_.substr(start, pos_ - start);
      return;
    }
    bool is_float = false;
    while (pos_ < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '.' && !(pos_ + 1 < src_.size() && src_[pos_ + 1] == '.')) {
      is_float = true;
      ++pos_;
      while (pos_ < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
    }
    if (pos_ < src_.size() && (src_[pos_] == 'e' || src_[pos_] == 'E')) {
      std::size_t p = pos_ + 1;
      if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
      if (p < src_.size() && std::isdigit(static_cast<unsigned char>(src_[p]))) {
        is_float = true;
        pos_ = p;
        while (pos_ < src_.size() && std::isdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
      }
    }
    t.text = src_.substr(start, pos_ - start);
    double v = std::strtod(t.text.c_str(), nullptr);
    // A time literal: 10f (frames), 480t (ticks), 2s (seconds).
    if (pos_ < src_.size() && std::strchr("fFtTsS", src_[pos_]) != nullptr &&
        !(pos_ + 1 < src_.size() && ident_char(src_[pos_ + 1]))) {
      char unit = static_cast<char>(std::tolower(static_cast<unsigned char>(src_[pos_++])));
      t.type = Tok::Time;
      double ticks = unit == 'f' ? v * 160 : unit == 's' ? v * 4800 : v;
      t.int_value = static_cast<long long>(ticks + (ticks < 0 ? -0.5 : 0.5));
      t.text += unit;
      return;
    }
    if (is_float) {
      t.type = Tok::Float;
      t.float_value = v;
    } else {
      t.type = Tok::Integer;
      unsigned long long u = std::strtoull(t.text.c_str(), nullptr, 10);
      if (t.text.size() > 10 || u > 0xFFFFFFFFull) {  // too big for an integer: a float
        t.type = Tok::Float;
        t.float_value = v;
      } else {
        t.int_value = static_cast<long long>(static_cast<int>(static_cast<unsigned int>(u)));
      }
    }
  }

  void read_string(Token& t) {
    bool verbatim = src_[pos_] == '@';
    int open_line = line_;
    pos_ += verbatim ? 2 : 1;
    std::string text;
    while (true) {
      if (pos_ >= src_.size()) throw LexError{"end of script", "\" to close the string", open_line};
      char c = src_[pos_++];
      if (c == '"') break;
      if (c == '\0') throw LexError{host::msg::kNulCharacter, host::msg::kStringWithoutNul, line_};
      if (c == '\n') ++line_;
      if (c == '\\' && !verbatim && pos_ < src_.size()) {
        char e = src_[pos_++];
        switch (e) {
          case 'n': text += '\n'; break;
          case 't': text += '\t'; break;
          case 'r': text += '\r'; break;
          case '"': text += '"'; break;
          case '\\': text += '\\'; break;
          case '%': text += "\\%"; break;  // kept for format, which prints a plain %
          case 'x': {
            std::size_t start = pos_;
            while (pos_ < src_.size() && pos_ - start < 2 && std::isxdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
            if (pos_ == start) throw LexError{"\\x", "hex digits after \\x", line_};
            auto code = static_cast<char>(std::strtol(src_.substr(start, pos_ - start).c_str(), nullptr, 16));
            if (code == '\0') throw LexError{"\\x00", host::msg::kStringWithoutNul, line_};
            text += code;
            break;
          }
          default:
            text += '\\';
            text += e;
        }
        continue;
      }
      text += c;
    }
    t.type = Tok::String;
    t.text = std::move(text);
  }

  void read_hash(Token& t) {
    ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '(') {
      ++pos_;
      t.type = Tok::HashParen;
      t.text = "#(";
    } else if (pos_ < src_.size() && src_[pos_] == '{') {
      ++pos_;
      t.type = Tok::HashBrace;
      t.text = "#{";
    } else if (pos_ < src_.size() && src_[pos_] == '\'') {
      std::size_t close = src_.find('\'', pos_ + 1);
      if (close == std::string::npos) throw LexError{"end of script", "' to close the name", line_};
      t.type = Tok::Name;
      t.text = src_.substr(pos_ + 1, close - pos_ - 1);
      pos_ = close + 1;
    } else if (pos_ < src_.size() && ident_char(src_[pos_])) {
      std::size_t start = pos_;
      while (pos_ < src_.size() && ident_char(src_[pos_])) ++pos_;
      t.type = Tok::Name;
      t.text = src_.substr(start, pos_ - start);
    } else {
      throw LexError{"#", "a name, #( or #{ after #", line_};
    }
  }

  void read_punctuation(Token& t) {
    struct Op {
      const char* text;
      Tok type;
    };
    static const Op ops[] = {
        {"+=", Tok::PlusAssign}, {"-=", Tok::MinusAssign}, {"*=", Tok::TimesAssign}, {"/=", Tok::DivAssign},
        {"==", Tok::Eq},         {"!=", Tok::Ne},          {"<=", Tok::Le},          {">=", Tok::Ge},
        {"..", Tok::DotDot},     {"(", Tok::LParen},       {")", Tok::RParen},       {"[", Tok::LBracket},
        {"]", Tok::RBracket},    {"}", Tok::RBrace},       {",", Tok::Comma},        {";", Tok::Semicolon},
        {":", Tok::Colon},       {".", Tok::Dot},          {"?", Tok::Question},     {"&", Tok::Ampersand},
        {"=", Tok::Assign},      {"<", Tok::Lt},           {">", Tok::Gt},           {"+", Tok::Plus},
        {"-", Tok::Minus},       {"*", Tok::Star},         {"/", Tok::Slash},        {"^", Tok::Caret},
    };
    for (const Op& op : ops) {
      std::size_t n = std::strlen(op.text);
      if (src_.compare(pos_, n, op.text) == 0) {
        t.type = op.type;
        t.text = op.text;
        pos_ += n;
        return;
      }
    }
    throw LexError{shown(src_[pos_]), "a token", line_};
  }

  // $name, $'name with blanks', $parent/child, $box*, $torso...*, and $
  // alone (the selection). The token's text is the path as written after $.
  void read_path(Token& t) {
    std::size_t start = ++pos_;
    if (pos_ < src_.size() && src_[pos_] == '/') ++pos_;
    while (true) {
      if (pos_ < src_.size() && src_[pos_] == '\'') {
        std::size_t p = pos_ + 1;
        while (p < src_.size() && src_[p] != '\'' && src_[p] != '\n') p += src_[p] == '\\' ? 2 : 1;
        if (p >= src_.size() || src_[p] != '\'')
          throw LexError{"end of line", "' to close the path name", line_};
        pos_ = p + 1;
      }
      while (pos_ < src_.size() && path_char(src_[pos_])) ++pos_;
      if (src_.compare(pos_, 3, "...") == 0) {
        pos_ += 3;
        continue;
      }
      if (pos_ + 1 < src_.size() && src_[pos_] == '/' &&
          (path_char(src_[pos_ + 1]) || src_[pos_ + 1] == '\'')) {
        ++pos_;
        continue;
      }
      break;
    }
    t.type = Tok::Path;
    t.text = src_.substr(start, pos_ - start);
    if (t.text.find('\0') != std::string::npos)
      throw LexError{host::msg::kNulCharacter, "a path name", line_};
  }

  const std::string& src_;
  std::size_t pos_ = 0;
  int line_ = 1;
};

}  // namespace

std::vector<Token> tokenize(const std::string& source) { return Lexer(source).run(false); }

std::vector<Token> tokenize_to_error(const std::string& source) { return Lexer(source).run(true); }

bool is_keyword(const std::string& lower_word) { return keywords().count(lower_word) != 0; }

std::string describe(const Token& t) {
  switch (t.type) {
    case Tok::End: return "end of script";
    case Tok::Newline: return "newline";
    case Tok::String: return "\"" + t.text + "\"";
    case Tok::Name: return "#" + t.text;
    case Tok::Path:
      return "$" + t.text;
    default: return t.text;
  }
}

}  // namespace host::script

#include "lexer.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <set>

#include "../runtime/lower_case.h"
#include "host/maxscript.h"
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

using host::lower;

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

  bool digit_at(std::size_t p) const {
    return p < src_.size() && std::isdigit(static_cast<unsigned char>(src_[p]));
  }
  bool ident_char_at(std::size_t p) const { return p < src_.size() && ident_char(src_[p]); }
  char lower_at(std::size_t p) const {
    return p < src_.size() ? static_cast<char>(std::tolower(static_cast<unsigned char>(src_[p]))) : '\0';
  }
  void skip_digits() {
    while (digit_at(pos_)) ++pos_;
  }

  // Numbers: 12, 0x1F, 5L, 1.5, 1e-6, 1.5d0 (a double); times: 10f, 2.5s,
  // 1m15s, 2m30s5f2t, 0.45n (normalized), 2:10.0 (minutes:seconds.frames).
  void read_number(Token& t) {
    std::size_t start = pos_;
    if (src_.compare(pos_, 2, "0x") == 0 || src_.compare(pos_, 2, "0X") == 0) return read_hex(t, start);
    skip_digits();
    bool fraction = false;
    if (pos_ < src_.size() && src_[pos_] == '.' && !(pos_ + 1 < src_.size() && src_[pos_ + 1] == '.')) {
      fraction = true;
      ++pos_;
      skip_digits();
    }
    if (!fraction && pos_ < src_.size() && src_[pos_] == ':' && digit_at(pos_ + 1))
      return read_smpte(t, start);
    char exponent_mark = 0;
    char e = lower_at(pos_);
    if (e == 'e' || e == 'd') {
      std::size_t p = pos_ + 1;
      if (p < src_.size() && (src_[p] == '+' || src_[p] == '-')) ++p;
      if (digit_at(p)) {
        exponent_mark = e;
        pos_ = p;
        skip_digits();
      }
    }
    std::string number = src_.substr(start, pos_ - start);
    double v = std::strtod(exponent_mark == 'd' ? with_e_exponent(number).c_str() : number.c_str(), nullptr);
    if (exponent_mark != 'd' && time_unit_here()) return read_time(t, start, v);
    t.text = number;
    if (exponent_mark == 'd') {
      t.type = Tok::Double;
      t.float_value = v;
    } else if (fraction || exponent_mark == 'e') {
      t.type = Tok::Float;
      t.float_value = v;
    } else {
      read_integer_suffix(t, number, v);
    }
  }

  static std::string with_e_exponent(std::string number) {
    for (char& c : number)
      if (c == 'd' || c == 'D') c = 'e';
    return number;
  }

  // Digits only: an Integer, or a 64-bit integer when too big for 32 bits or
  // written with L; beyond 64 bits, a double.
  void read_integer_suffix(Token& t, const std::string& digits, double v) {
    errno = 0;
    unsigned long long u = std::strtoull(digits.c_str(), nullptr, 10);
    bool overflow = errno == ERANGE;
    if (lower_at(pos_) == 'l' && !ident_char_at(pos_ + 1)) {
      ++pos_;
      t.text += 'L';
      if (overflow) throw LexError{t.text, "a 64-bit integer", line_};
      t.type = Tok::Integer64;
      t.int_value = static_cast<long long>(u);  // 2^63 wraps, so -9223372036854775808L reads right
      return;
    }
    if (overflow || u > 9223372036854775807ull) {
      t.type = Tok::Double;
      t.float_value = v;
      return;
    }
    t.type = Tok::Integer;
    t.int_value = static_cast<long long>(u);
  }

  // Eight hex digits or fewer make a 32-bit pattern (0xFFFFFFFF is -1);
  // longer ones, or an L after the digits, a 64-bit integer.
  void read_hex(Token& t, std::size_t start) {
    pos_ += 2;
    std::size_t digits = pos_;
    while (pos_ < src_.size() && std::isxdigit(static_cast<unsigned char>(src_[pos_]))) ++pos_;
    if (pos_ == digits) throw LexError{src_.substr(start, pos_ - start), "hex digits", line_};
    std::string hex = src_.substr(digits, pos_ - digits);
    t.text = src_.substr(start, pos_ - start);
    hex.erase(0, std::min(hex.find_first_not_of('0'), hex.size()));
    if (hex.size() > 16) throw LexError{t.text, "a hexadecimal number of at most 16 digits", line_};
    unsigned long long v = hex.empty() ? 0 : std::strtoull(hex.c_str(), nullptr, 16);
    bool suffix = lower_at(pos_) == 'l' && !ident_char_at(pos_ + 1);
    if (suffix) {
      ++pos_;
      t.text += 'L';
    }
    if (suffix || v > 0xFFFFFFFFull) {
      t.type = Tok::Integer64;
      t.int_value = static_cast<long long>(v);
    } else {
      t.type = Tok::Integer;
      t.int_value = static_cast<int>(static_cast<unsigned int>(v));
    }
  }

  // A time unit right after a number, ending the token or followed by the
  // next part of a combined time (1m15s).
  bool time_unit_here() const {
    char c = lower_at(pos_);
    if (std::strchr("msftn", c) == nullptr || c == '\0') return false;
    return !ident_char_at(pos_ + 1) || (c != 'n' && digit_at(pos_ + 1));
  }

  static double ticks_per_unit(char unit) {
    switch (unit) {
      case 'm': return 60.0 * TICKS_PER_SECOND;
      case 's': return TICKS_PER_SECOND;
      case 'f': return GetTicksPerFrame();
      default: return 1.0;
    }
  }

  // Minutes, seconds, frames and ticks, each at most once and in that order.
  void read_time(Token& t, std::size_t start, double first) {
    static const char kOrder[] = "msft";
    t.type = Tok::Time;
    char unit = lower_at(pos_++);
    if (unit == 'n') {
      t.normalized = true;
      t.float_value = first;
      t.text = src_.substr(start, pos_ - start);
      return;
    }
    double ticks = first * ticks_per_unit(unit);
    const char* last = std::strchr(kOrder, unit);
    while (digit_at(pos_)) {
      std::size_t part = pos_;
      skip_digits();
      if (pos_ < src_.size() && src_[pos_] == '.' && digit_at(pos_ + 1)) {
        ++pos_;
        skip_digits();
      }
      char next = lower_at(pos_);
      const char* place = next == '\0' ? nullptr : std::strchr(kOrder, next);
      if (place == nullptr || place <= last)
        throw LexError{src_.substr(start, pos_ + 1 - start), "minutes, seconds, frames and ticks in that order",
                       line_};
      ticks += std::strtod(src_.substr(part, pos_ - part).c_str(), nullptr) * ticks_per_unit(next);
      last = place;
      ++pos_;
      if (ident_char_at(pos_) && !digit_at(pos_))
        throw LexError{src_.substr(start, pos_ + 1 - start), "a time", line_};
    }
    t.text = src_.substr(start, pos_ - start);
    set_ticks(t, ticks);
  }

  // 2:10.0 is 2 minutes 10 seconds 0 frames; 0:0.29 is 29 frames.
  void read_smpte(Token& t, std::size_t start) {
    double minutes = std::strtod(src_.substr(start, pos_ - start).c_str(), nullptr);
    std::size_t seconds_start = ++pos_;
    skip_digits();
    double seconds = std::strtod(src_.substr(seconds_start, pos_ - seconds_start).c_str(), nullptr);
    double frames = 0;
    if (pos_ < src_.size() && src_[pos_] == '.' && digit_at(pos_ + 1)) {
      std::size_t frames_start = ++pos_;
      skip_digits();
      frames = std::strtod(src_.substr(frames_start, pos_ - frames_start).c_str(), nullptr);
    }
    t.type = Tok::Time;
    t.text = src_.substr(start, pos_ - start);
    set_ticks(t, (minutes * 60 + seconds) * TICKS_PER_SECOND + frames * GetTicksPerFrame());
  }

  void set_ticks(Token& t, double ticks) {
    double rounded = std::round(ticks);
    if (!(rounded >= -2147483648.0 && rounded <= 2147483647.0))
      throw LexError{t.text, host::msg::kTimeLiteralRange, line_};
    t.int_value = static_cast<long long>(rounded);
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
      if (t.text.find('\0') != std::string::npos) throw LexError{host::msg::kNulCharacter, "a name", line_};
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

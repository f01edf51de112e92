// String functions: trimming, substitution, wild-card matching, case-blind
// comparison, file name parts and formattedPrint.
#include <cctype>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "../runtime/collections.h"
#include "ast.h"

namespace host::script {

namespace {

constexpr const char* kWhitespace = " \t\r\n";

Value* new_string(const std::string& s) { return new String(s.c_str(), s.size()); }

char lower(char c) { return static_cast<char>(std::tolower(static_cast<unsigned char>(c))); }

// isSpace " a" -> true: whether the first character is blank.
Value* is_space_cf(Value** arg_list, int count) {
  check_arg_count("isSpace", 1, count);
  const char* s = arg_list[0]->to_string();
  return bool_result(s[0] != '\0' && std::strchr(kWhitespace, s[0]) != nullptr);
}

Value* trim(Value** arg_list, int count, const char* fn, bool left) {
  if (count != 1 && count != 2) throw ArgCountError(fn, 1, count);
  std::string s = arg_list[0]->to_string();
  std::string chars = count == 2 ? arg_list[1]->to_string() : kWhitespace;
  if (left) {
    std::size_t first = s.find_first_not_of(chars);
    return new_string(first == std::string::npos ? "" : s.substr(first));
  }
  std::size_t last = s.find_last_not_of(chars);
  return new_string(last == std::string::npos ? "" : s.substr(0, last + 1));
}
Value* trim_left_cf(Value** a, int n) { return trim(a, n, "trimLeft", true); }
Value* trim_right_cf(Value** a, int n) { return trim(a, n, "trimRight", false); }

// substituteString "a-b-c" "-" "+" -> "a+b+c": every occurrence, left to right.
Value* substitute_string_cf(Value** arg_list, int count) {
  check_arg_count("substituteString", 3, count);
  std::string s = arg_list[0]->to_string();
  std::string from = arg_list[1]->to_string();
  std::string to = arg_list[2]->to_string();
  if (from.empty()) return new_string(s);
  std::string out;
  std::size_t at = 0;
  for (std::size_t hit; (hit = s.find(from, at)) != std::string::npos; at = hit + from.size()) {
    out.append(s, at, hit - at);
    out += to;
  }
  out.append(s, at, std::string::npos);
  return new_string(out);
}

// replace "1234567890" 5 3 "abc" -> "1234abc890": count characters from the
// 1-based start give way to the new text.
Value* replace_cf(Value** arg_list, int count) {
  check_arg_count("replace", 4, count);
  std::string s = arg_list[0]->to_string();
  int start = arg_list[1]->to_int();
  int length = arg_list[2]->to_int();
  std::string text = arg_list[3]->to_string();
  long long size = static_cast<long long>(s.size());
  if (start < 1 || start > size) throw RuntimeError(msg::kReplaceOutOfRange, arg_list[1]);
  if (length < 0 || start - 1LL + length > size) throw RuntimeError(msg::kReplaceOutOfRange, arg_list[2]);
  s.replace(static_cast<std::size_t>(start - 1), static_cast<std::size_t>(length), text);
  return new_string(s);
}

// '*' matches any run of characters, '?' any one. Backtracks only to the
// last '*', so time stays proportional to text times pattern.
bool wild_match(const std::string& text, const std::string& pattern, bool ignore_case) {
  auto same = [&](char a, char b) { return ignore_case ? lower(a) == lower(b) : a == b; };
  std::size_t t = 0, p = 0, star = std::string::npos, resume = 0;
  while (t < text.size()) {
    if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      resume = t;
    } else if (p < pattern.size() && (pattern[p] == '?' || same(pattern[p], text[t]))) {
      ++p;
      ++t;
    } else if (star != std::string::npos) {
      p = star + 1;
      t = ++resume;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

// matchPattern "Teapot01" pattern:"tea*" [ignoreCase:false]
Value* match_pattern_cf(Value** arg_list, int count) {
  static Value* const pattern_key = Name::intern("pattern");
  static Value* const ignore_case_key = Name::intern("ignoreCase");
  check_positional_count("matchPattern", 1, arg_list, count);
  Value* pattern = _get_key_arg_or_default(arg_list, count, pattern_key, nullptr);
  if (pattern == nullptr) throw RuntimeError(msg::kPatternNeeded);
  bool ignore_case = _get_key_arg_or_default(arg_list, count, ignore_case_key, &true_value)->to_bool();
  return bool_result(wild_match(arg_list[0]->to_string(), pattern->to_string(), ignore_case));
}

// stricmp "abc" "ABD" -> -1: 0 when equal but for case, else the sign of
// the first difference in lower case.
Value* stricmp_cf(Value** arg_list, int count) {
  check_arg_count("stricmp", 2, count);
  const char* a = arg_list[0]->to_string();
  const char* b = arg_list[1]->to_string();
  for (;; ++a, ++b) {
    char x = lower(*a), y = lower(*b);
    if (x != y)
      return Integer::intern(static_cast<unsigned char>(x) < static_cast<unsigned char>(y) ? -1 : 1);
    if (x == '\0') return Integer::intern(0);
  }
}

// A full file name in its parts: "g:\dir\name.ext" -> "g:\dir\", "name", ".ext".
struct FileNameParts {
  explicit FileNameParts(const std::string& full) {
    std::size_t cut = full.find_last_of("\\/:");
    std::size_t name_from = cut == std::string::npos ? 0 : cut + 1;
    path = full.substr(0, name_from);
    std::string name = full.substr(name_from);
    std::size_t dot = name.rfind('.');
    file = dot == std::string::npos ? name : name.substr(0, dot);
    type = dot == std::string::npos ? "" : name.substr(dot);
  }
  std::string path, file, type;
};

Value* file_name_part(Value** arg_list, int count, const char* fn, std::string FileNameParts::*part) {
  check_arg_count(fn, 1, count);
  FileNameParts parts(arg_list[0]->to_string());
  return new_string(parts.*part);
}
Value* get_filename_path_cf(Value** a, int n) {
  return file_name_part(a, n, "getFilenamePath", &FileNameParts::path);
}
Value* get_filename_file_cf(Value** a, int n) {
  return file_name_part(a, n, "getFilenameFile", &FileNameParts::file);
}
Value* get_filename_type_cf(Value** a, int n) {
  return file_name_part(a, n, "getFilenameType", &FileNameParts::type);
}
Value* filename_from_path_cf(Value** arg_list, int count) {
  check_arg_count("filenameFromPath", 1, count);
  FileNameParts parts(arg_list[0]->to_string());
  return new_string(parts.file + parts.type);
}

// formattedPrint's format: "[flags][width][.precision][size]type", with or
// without a leading %, made into a printf conversion we know is safe.
class Conversion {
 public:
  explicit Conversion(const std::string& format) {
    std::size_t i = 0;
    auto bad = [&] { return RuntimeError(msg::kFormatNotUnderstood, format.c_str()); };
    if (i < format.size() && format[i] == '%') ++i;
    while (i < format.size() && std::strchr("-+0 #", format[i]) && format[i] != '\0') flags_ += format[i++];
    width_ = number(format, i);
    if (i < format.size() && format[i] == '.') {
      ++i;
      precision_ = number(format, i);
      if (precision_ < 0) precision_ = 0;
    }
    if (width_ > kMaxField || precision_ > kMaxField) throw bad();
    for (const char* size : {"I64", "I32", "hh", "ll", "h", "l", "L", "I", "w"}) {
      if (format.compare(i, std::strlen(size), size) == 0) {
        i += std::strlen(size);
        break;
      }
    }
    if (i + 1 != format.size() || !std::strchr("diouxXeEfFgGaAcs", format[i]) || format[i] == '\0')
      throw bad();
    type_ = format[i];
  }

  bool wants_integer() const { return std::strchr("diouxXc", type_) != nullptr; }

  std::string apply(Value* v) const {
    if (type_ == 's') return print("s", plain_form(v).c_str());
    bool is_number = v->tag == &Integer_class || v->tag == &Float_class;
    if (!is_number) return print("s", plain_form(v).c_str());
    if (type_ == 'c') return print("c", static_cast<int>(static_cast<unsigned char>(v->to_int())));
    if (wants_integer()) {
      long long n = v->to_int();
      if (type_ == 'd' || type_ == 'i') return print("lld", n);
      std::string t = std::string("ll") + type_;
      return print(t.c_str(), static_cast<unsigned long long>(static_cast<unsigned int>(n)));
    }
    return print(std::string(1, type_).c_str(), static_cast<double>(v->to_float()));
  }

 private:
  static constexpr int kMaxField = 1000;

  static int number(const std::string& s, std::size_t& i) {
    if (i >= s.size() || !std::isdigit(static_cast<unsigned char>(s[i]))) return -1;
    int n = 0;
    while (i < s.size() && std::isdigit(static_cast<unsigned char>(s[i]))) {
      if (n <= kMaxField) n = n * 10 + (s[i] - '0');
      ++i;
    }
    return n;
  }

  static std::string plain_form(Value* v) {
    StringCharStream s;
    v->sprint(&s);
    return s.text();
  }

  template <typename T>
  std::string print(const char* conversion, T value) const {
    std::string directive = "%" + flags_;
    if (width_ >= 0) directive += std::to_string(width_);
    if (precision_ >= 0) directive += "." + std::to_string(precision_);
    directive += conversion;
    int n = std::snprintf(nullptr, 0, directive.c_str(), value);
    if (n < 0) throw RuntimeError(msg::kFormatNotUnderstood, directive.c_str());
    std::vector<char> out(static_cast<std::size_t>(n) + 1);
    std::snprintf(out.data(), out.size(), directive.c_str(), value);
    return std::string(out.data(), static_cast<std::size_t>(n));
  }

  std::string flags_;
  int width_ = -1;
  int precision_ = -1;
  char type_ = 's';
};

// formattedPrint 123.456 format:"8.2f" -> "  123.46". Points and colours
// format each component.
Value* formatted_print_cf(Value** arg_list, int count) {
  static Value* const format_key = Name::intern("format");
  check_positional_count("formattedPrint", 1, arg_list, count);
  Value* v = arg_list[0];
  Value* format = _get_key_arg_or_default(arg_list, count, format_key, nullptr);
  std::string given = format ? format->to_string() : "";
  std::string fallback = v->tag == &Integer_class ? "d" : (v->tag == &String_class ? "s" : "0.8g");
  Conversion c(given.empty() ? fallback : given);
  auto part = [&](float f) {
    Float component(f);
    return c.apply(&component);
  };
  if (v->tag == &Point3Value_class) {
    Point3 p = v->to_point3();
    return new_string("[" + part(p.x) + "," + part(p.y) + "," + part(p.z) + "]");
  }
  if (v->tag == &ColorValue_class) {
    AColor k = v->to_acolor();
    std::string text = "(color " + part(k.r * 255.0f) + " " + part(k.g * 255.0f) + " " + part(k.b * 255.0f);
    if (k.a != 1.0f) text += " " + part(k.a * 255.0f);
    return new_string(text + ")");
  }
  if (v->tag != &Integer_class && v->tag != &Float_class && v->tag != &String_class &&
      v->tag != &Boolean_class)
    throw NoMethodError("formattedPrint", v);
  return new_string(c.apply(v));
}

Primitive is_space_pf("isSpace", is_space_cf);
Primitive trim_left_pf("trimLeft", trim_left_cf);
Primitive trim_right_pf("trimRight", trim_right_cf);
Primitive substitute_string_pf("substituteString", substitute_string_cf);
Primitive replace_pf("replace", replace_cf);
Primitive match_pattern_pf("matchPattern", match_pattern_cf);
Primitive stricmp_pf("stricmp", stricmp_cf);
Primitive get_filename_path_pf("getFilenamePath", get_filename_path_cf);
Primitive get_filename_file_pf("getFilenameFile", get_filename_file_cf);
Primitive get_filename_type_pf("getFilenameType", get_filename_type_cf);
Primitive filename_from_path_pf("filenameFromPath", filename_from_path_cf);
Primitive formatted_print_pf("formattedPrint", formatted_print_cf);

}  // namespace

}  // namespace host::script

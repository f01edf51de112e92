// `value as class`.
#include <cerrno>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../runtime/collections.h"
#include "ast.h"
#include "text_stream.h"

namespace host::script {

namespace {

enum class Want { Integer, Integer64, Float, Double };

// The whole text as a number, or nullptr when it is not one. A 64-bit
// integer may end in L and a double may write its exponent with d (1.5d3).
Value* parse_number(const char* text, Want want) {
  while (*text == ' ' || *text == '\t') ++text;
  if (*text == '\0') return nullptr;
  std::string s = text;
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.pop_back();
  if (want == Want::Integer64 && !s.empty() && (s.back() == 'L' || s.back() == 'l')) s.pop_back();
  if (want == Want::Double)
    for (char& c : s)
      if (c == 'd' || c == 'D') c = 'e';
  char* end = nullptr;
  errno = 0;
  if (want == Want::Integer64) {
    long long whole = std::strtoll(s.c_str(), &end, 10);
    if (*end == '\0' && errno == 0 && !s.empty()) return new Integer64(whole);
  }
  errno = 0;
  double v = std::strtod(s.c_str(), &end);
  if (s.empty() || *end != '\0' || errno == ERANGE) return nullptr;
  switch (want) {
    case Want::Integer:
      if (v > 2147483647.0 || v < -2147483648.0) return nullptr;
      return Integer::intern(static_cast<int>(v));
    case Want::Integer64:
      if (v >= 9223372036854775808.0 || v < -9223372036854775808.0) return nullptr;
      return new Integer64(static_cast<std::int64_t>(v));
    case Want::Float:
      return new Float(static_cast<float>(v));
    case Want::Double:
      return new Double(v);
  }
  return nullptr;
}

Value* parsed_or_undefined(Value* v, Want want) {
  Value* n = parse_number(v->to_string(), want);
  return n ? n : &undefined;
}

// A time converts to its ticks.
Value* number_as(Value* v, Want want) {
  if (v->tag == &String_class) return parsed_or_undefined(v, want);
  bool time = v->tag == &MSTime_class;
  switch (want) {
    case Want::Integer:
      return Integer::intern(time ? v->to_timevalue() : v->to_int());
    case Want::Integer64:
      return new Integer64(number_to_int64(v));
    case Want::Float:
      return new Float(time ? static_cast<float>(v->to_timevalue()) : v->to_float());
    case Want::Double:
      return new Double(number_to_double(v));
  }
  return &undefined;
}

// "12" and "-3" read as integers, "1.5" and "1e3" as floats.
bool looks_integral(const char* text) {
  for (const char* p = text; *p; ++p)
    if (*p == '.' || *p == 'e' || *p == 'E' || *p == 'n' || *p == 'N' || *p == 'i' || *p == 'I') return false;
  return true;
}

}  // namespace

Value* convert_as(Value* v, Value* target) {
  auto* c = dynamic_cast<ValueMetaClass*>(target);
  if (c == nullptr) throw TypeError(msg::kAsNeedsClass, target);
  if (v->tag == c) return v;
  if (c == &String_class) {
    StringCharStream s;
    v->sprint(&s);
    return new String(s.text().c_str(), s.text().size());
  }
  if (c == &Number_class) {
    if (v->tag == &Integer_class || v->tag == &Float_class || v->tag == &Integer64_class ||
        v->tag == &Double_class)
      return v;
    if (v->tag == &String_class) {
      const char* text = v->to_string();
      Value* n = looks_integral(text) ? parse_number(text, Want::Integer) : nullptr;
      if (n == nullptr) n = parse_number(text, Want::Float);
      return n ? n : &undefined;
    }
  }
  if (c == &Integer_class) return number_as(v, Want::Integer);
  if (c == &Integer64_class) return number_as(v, Want::Integer64);
  if (c == &Float_class) return number_as(v, Want::Float);
  if (c == &Double_class) return number_as(v, Want::Double);
  if (c == &StringStream_class && v->tag == &String_class) return c->apply(&v, 1);
  if (c == &Name_class) {
    if (v->tag == &String_class) return Name::intern(v->to_string());
  }
  if (c == &MSTime_class) return new MSTime(v->to_timevalue());
  if (c == &Array_class) {
    if (auto* b = dynamic_cast<BitArrayValue*>(v)) return host::set_bits_as_array(b->bits);
  }
  if (c == &BitArrayValue_class) {
    if (auto* a = dynamic_cast<Array*>(v)) {
      BitArray bits;
      for (int i = 0; i < a->size; ++i)
        bits.Set(host::checked_index(a->data[i], "BitArray", host::kMaxBitArraySize) - 1);
      return new BitArrayValue(bits);
    }
  }
  if (Value* converted = host::convert_geometry(v, c)) return converted;
  if (c == &Point3Value_class) return new Point3Value(v->to_point3());
  if (c == &ColorValue_class) return new ColorValue(v->to_acolor());
  throw ConversionError(v, c->name);
}

}  // namespace host::script

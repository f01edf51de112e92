// `value as class`.
#include <cerrno>
#include <cstdlib>

#include "../runtime/collections.h"
#include "ast.h"
#include "text_stream.h"

namespace host::script {

namespace {

// The whole text as a number, or nullptr when it is not one.
Value* parse_number(const char* text, bool want_integer) {
  while (*text == ' ' || *text == '\t') ++text;
  if (*text == '\0') return nullptr;
  char* end = nullptr;
  errno = 0;
  double v = std::strtod(text, &end);
  while (*end == ' ' || *end == '\t') ++end;
  if (*end != '\0' || errno == ERANGE) return nullptr;
  if (want_integer) {
    if (v > 2147483647.0 || v < -2147483648.0) return nullptr;
    return Integer::intern(static_cast<int>(v));
  }
  return new Float(static_cast<float>(v));
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
  if (c == nullptr) throw TypeError("as needs a class", target);
  if (v->tag == c) return v;
  if (c == &String_class) {
    StringCharStream s;
    v->sprint(&s);
    return new String(s.text().c_str(), s.text().size());
  }
  if (c == &Number_class) {
    if (v->tag == &Integer_class || v->tag == &Float_class) return v;
    if (v->tag == &String_class) {
      const char* text = v->to_string();
      Value* n = looks_integral(text) ? parse_number(text, true) : nullptr;
      if (n == nullptr) n = parse_number(text, false);
      return n ? n : &undefined;
    }
  }
  if (c == &Integer_class) {
    if (v->tag == &String_class) {
      Value* n = parse_number(v->to_string(), true);
      return n ? n : &undefined;
    }
    if (v->tag == &MSTime_class) return Integer::intern(v->to_timevalue());
    return Integer::intern(v->to_int());
  }
  if (c == &Float_class) {
    if (v->tag == &String_class) {
      Value* n = parse_number(v->to_string(), false);
      return n ? n : &undefined;
    }
    return new Float(v->to_float());
  }
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
  if (c == &Point3Value_class) return new Point3Value(v->to_point3());
  if (c == &ColorValue_class) return new ColorValue(v->to_acolor());
  throw ConversionError(v, c->name);
}

}  // namespace host::script

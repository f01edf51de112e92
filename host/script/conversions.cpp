// `value as class`.
#include <cerrno>
#include <cstdlib>

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
    if (auto* b = dynamic_cast<BitArrayValue*>(v)) {
      OneValueLocal out(new Array(b->bits.NumberSet()));
      for (int i = 0; i < b->bits.GetSize(); ++i)
        if (b->bits[i]) static_cast<Array*>(out.value)->append(Integer::intern(i + 1));
      return out.value;
    }
  }
  if (c == &BitArrayValue_class) {
    if (auto* a = dynamic_cast<Array*>(v)) {
      BitArray bits;
      for (int i = 0; i < a->size; ++i) {
        int index = a->data[i]->to_int();
        if (index < 1) throw RuntimeError("BitArray index must be positive number, got: ", a->data[i]);
        bits.Set(index - 1);
      }
      return new BitArrayValue(bits);
    }
  }
  if (c == &Point3Value_class) return new Point3Value(v->to_point3());
  if (c == &ColorValue_class) return new ColorValue(v->to_acolor());
  throw ConversionError(v, c->name);
}

}  // namespace host::script

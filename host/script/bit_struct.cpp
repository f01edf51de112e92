// The bit struct: bit.and, bit.shift, bit.get, bit.intAsHex and the rest.
// Bits are numbered from 1 (the lowest) to 32, or to 64 for an Integer64;
// where two integers meet, the first one's class is the result's.
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "../runtime/number_ops.h"

namespace {

bool wide(Value* v) { return v->tag == &Integer64_class; }
int width_of(Value* v) { return wide(v) ? 64 : 32; }

std::uint64_t bits_of(Value* v) {
  if (wide(v)) return static_cast<std::uint64_t>(static_cast<Integer64*>(v)->value);
  return static_cast<std::uint32_t>(v->to_int());
}

// The pattern as a value of `like`'s class: the low 32 bits for an Integer.
Value* integer_like(Value* like, std::uint64_t bits) {
  if (wide(like)) return new Integer64(static_cast<std::int64_t>(bits));
  return Integer::intern(static_cast<int>(static_cast<std::uint32_t>(bits)));
}

// A 1-based bit index checked against the first argument's width; returns the mask.
std::uint64_t bit_mask(Value* like, Value* index) {
  int i = index->to_int();
  if (i < 1 || i > width_of(like)) throw RuntimeError(host::msg::kBitIndexOutOfRange, index);
  return std::uint64_t{1} << (i - 1);
}

Value* and_cf(Value** a, int count) {
  check_arg_count("and", 2, count);
  return integer_like(a[0], bits_of(a[0]) & bits_of(a[1]));
}
Value* or_cf(Value** a, int count) {
  check_arg_count("or", 2, count);
  return integer_like(a[0], bits_of(a[0]) | bits_of(a[1]));
}
Value* xor_cf(Value** a, int count) {
  check_arg_count("xor", 2, count);
  return integer_like(a[0], bits_of(a[0]) ^ bits_of(a[1]));
}
Value* not_cf(Value** a, int count) {
  check_arg_count("not", 1, count);
  return integer_like(a[0], ~bits_of(a[0]));
}

// Left for a positive count, right for a negative one, keeping the sign;
// shifting by the width or more leaves 0 (or -1 for a negative number
// shifted right).
Value* shift_cf(Value** a, int count) {
  check_arg_count("shift", 2, count);
  int width = width_of(a[0]);
  std::int64_t n = number_to_int64(a[1]);
  std::uint64_t bits = bits_of(a[0]);
  std::int64_t value = wide(a[0]) ? static_cast<std::int64_t>(bits) : static_cast<std::int32_t>(bits);
  if (n >= 0) return integer_like(a[0], n >= width ? 0 : bits << n);
  std::int64_t right = n <= -width ? width - 1 : -n;
  return integer_like(a[0], static_cast<std::uint64_t>(value >> right));
}

Value* get_cf(Value** a, int count) {
  check_arg_count("get", 2, count);
  return bool_result((bits_of(a[0]) & bit_mask(a[0], a[1])) != 0);
}
Value* set_cf(Value** a, int count) {
  check_arg_count("set", 3, count);
  std::uint64_t mask = bit_mask(a[0], a[1]);
  bool on = a[2]->to_bool();
  return integer_like(a[0], on ? bits_of(a[0]) | mask : bits_of(a[0]) & ~mask);
}
Value* flip_cf(Value** a, int count) {
  check_arg_count("flip", 2, count);
  return integer_like(a[0], bits_of(a[0]) ^ bit_mask(a[0], a[1]));
}

// Swaps two bytes, numbered from 1 (the lowest) to 4, or 8 for an Integer64.
Value* swap_bytes_cf(Value** a, int count) {
  check_arg_count("swapBytes", 3, count);
  int bytes = width_of(a[0]) / 8;
  int i = a[1]->to_int(), j = a[2]->to_int();
  if (i < 1 || i > bytes) throw RuntimeError(host::msg::kByteIndexOutOfRange, a[1]);
  if (j < 1 || j > bytes) throw RuntimeError(host::msg::kByteIndexOutOfRange, a[2]);
  std::uint64_t bits = bits_of(a[0]);
  std::uint64_t bi = (bits >> (8 * (i - 1))) & 0xFF, bj = (bits >> (8 * (j - 1))) & 0xFF;
  bits &= ~((std::uint64_t{0xFF} << (8 * (i - 1))) | (std::uint64_t{0xFF} << (8 * (j - 1))));
  bits |= (bi << (8 * (j - 1))) | (bj << (8 * (i - 1)));
  return integer_like(a[0], bits);
}

// The character of a code as text (UTF-8); code 0 gives the empty text.
Value* int_as_char_cf(Value** a, int count) {
  check_arg_count("intAsChar", 1, count);
  std::int64_t code = number_to_int64(a[0]);
  if (code < 0 || code > 0x10FFFF) throw RuntimeError(host::msg::kCharacterCodeOutOfRange, a[0]);
  auto c = static_cast<std::uint32_t>(code);
  std::string text;
  if (c == 0) {
  } else if (c < 0x80) {
    text += static_cast<char>(c);
  } else if (c < 0x800) {
    text += static_cast<char>(0xC0 | (c >> 6));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    text += static_cast<char>(0xE0 | (c >> 12));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (c >> 18));
    text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (c & 0x3F));
  }
  return new String(text.c_str(), text.size());
}

// The code of the first character; the empty text gives 0. Bytes that do
// not start a well-formed UTF-8 sequence count as themselves.
Value* char_as_int_cf(Value** a, int count) {
  check_arg_count("charAsInt", 1, count);
  const auto* s = reinterpret_cast<const unsigned char*>(a[0]->to_string());
  if (s[0] == 0) return Integer::intern(0);
  int length = s[0] >= 0xF0 ? 4 : s[0] >= 0xE0 ? 3 : s[0] >= 0xC0 ? 2 : 1;
  std::uint32_t code = length == 1 ? s[0] : s[0] & (0x7F >> length);
  for (int i = 1; i < length; ++i) {
    if ((s[i] & 0xC0) != 0x80) return Integer::intern(s[0]);
    code = (code << 6) | (s[i] & 0x3F);
  }
  return Integer::intern(static_cast<int>(code));
}

// Lower-case hex digits of the bit pattern; an Integer64 gets an L.
Value* int_as_hex_cf(Value** a, int count) {
  check_arg_count("intAsHex", 1, count);
  char text[32];
  if (wide(a[0]))
    std::snprintf(text, sizeof text, "%llxL", static_cast<unsigned long long>(bits_of(a[0])));
  else
    std::snprintf(text, sizeof text, "%x", static_cast<unsigned>(bits_of(a[0])));
  return new String(text);
}

// Hex digits (an optional 0x first) as an Integer, or as an Integer64 when
// the text ends in L.
Value* hex_as_int_cf(Value** a, int count) {
  check_arg_count("hexAsInt", 1, count);
  std::string text = a[0]->to_string();
  bool is_wide = !text.empty() && (text.back() == 'L' || text.back() == 'l');
  if (is_wide) text.pop_back();
  char* end = nullptr;
  unsigned long long v = std::strtoull(text.c_str(), &end, 16);
  if (text.empty() || *end != '\0') throw RuntimeError(host::msg::kNotAHexNumber, a[0]);
  if (is_wide) return new Integer64(static_cast<std::int64_t>(v));
  return Integer::intern(static_cast<int>(static_cast<std::uint32_t>(v)));
}

Value* int_as_float_cf(Value** a, int count) {
  check_arg_count("intAsFloat", 1, count);
  return new Float(std::bit_cast<float>(static_cast<std::uint32_t>(bits_of(a[0]))));
}
Value* float_as_int_cf(Value** a, int count) {
  check_arg_count("floatAsInt", 1, count);
  return Integer::intern(std::bit_cast<int>(a[0]->to_float()));
}
Value* int64_as_double_cf(Value** a, int count) {
  check_arg_count("int64AsDouble", 1, count);
  return new Double(std::bit_cast<double>(static_cast<std::uint64_t>(number_to_int64(a[0]))));
}
Value* double_as_int64_cf(Value** a, int count) {
  check_arg_count("doubleAsInt64", 1, count);
  return new Integer64(std::bit_cast<std::int64_t>(number_to_double(a[0])));
}

Value* is_nan_cf(Value** a, int count) {
  check_arg_count("isNAN", 1, count);
  return bool_result(std::isnan(number_to_double(a[0])));
}
Value* is_finite_cf(Value** a, int count) {
  check_arg_count("isFinite", 1, count);
  return bool_result(std::isfinite(number_to_double(a[0])));
}

Primitive and_pf("and", "bit", and_cf);
Primitive or_pf("or", "bit", or_cf);
Primitive xor_pf("xor", "bit", xor_cf);
Primitive not_pf("not", "bit", not_cf);
Primitive shift_pf("shift", "bit", shift_cf);
Primitive get_pf("get", "bit", get_cf);
Primitive set_pf("set", "bit", set_cf);
Primitive flip_pf("flip", "bit", flip_cf);
Primitive swap_bytes_pf("swapBytes", "bit", swap_bytes_cf);
Primitive int_as_char_pf("intAsChar", "bit", int_as_char_cf);
Primitive char_as_int_pf("charAsInt", "bit", char_as_int_cf);
Primitive int_as_hex_pf("intAsHex", "bit", int_as_hex_cf);
Primitive hex_as_int_pf("hexAsInt", "bit", hex_as_int_cf);
Primitive int_as_float_pf("intAsFloat", "bit", int_as_float_cf);
Primitive float_as_int_pf("floatAsInt", "bit", float_as_int_cf);
Primitive int64_as_double_pf("int64AsDouble", "bit", int64_as_double_cf);
Primitive double_as_int64_pf("doubleAsInt64", "bit", double_as_int64_cf);
Primitive is_nan_pf("isNAN", "bit", is_nan_cf);
Primitive is_finite_pf("isFinite", "bit", is_finite_cf);

}  // namespace

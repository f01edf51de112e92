// The arithmetic behind the integer and character functions, on 32-bit
// script integers. Everything works on the unsigned bit pattern, so no shift
// or negation can overflow.
#pragma once

#include <cstdint>
#include <string>

namespace bits {

inline bool valid_bit_index(int index) { return index >= 0 && index <= 31; }
inline bool valid_data_size(int size) { return size == 8 || size == 16; }

// Callers check the index with valid_bit_index first.
inline int set_bit(int value, int index) {
  return static_cast<int>(static_cast<std::uint32_t>(value) | (1u << index));
}
inline bool test_bit(int value, int index) {
  return ((static_cast<std::uint32_t>(value) >> index) & 1u) != 0;
}

// size is 8 or 16.
inline int sign_it(int value, int size) {
  return size == 8 ? static_cast<int>(static_cast<std::int8_t>(value & 0xFF))
                   : static_cast<int>(static_cast<std::int16_t>(value & 0xFFFF));
}
inline int unsign_it(int value, int size) { return size == 8 ? value & 0xFF : value & 0xFFFF; }

inline int bin_not(int value) { return static_cast<int>(~static_cast<std::uint32_t>(value)); }

inline int swap32(int value) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  return static_cast<int>((v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24));
}
inline int swap16(int value) {
  std::uint32_t v = static_cast<std::uint32_t>(value);
  return static_cast<int>(((v & 0xFFu) << 8) | ((v >> 8) & 0xFFu));
}

// The low 8 bits as a character; code 0 gives the empty text.
inline std::string int_to_char(int value) {
  char code = static_cast<char>(value & 0xFF);
  return code == 0 ? std::string() : std::string(1, code);
}
// The first byte as a signed 8-bit code; the empty text gives 0.
inline int char_to_int(const char* text) { return static_cast<int>(static_cast<signed char>(text[0])); }

}  // namespace bits

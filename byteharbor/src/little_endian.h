// Little-endian encoding of the binary records' integers and IEEE 754
// single-precision floats, independent of the machine's byte order.
#pragma once

#include <bit>
#include <cstdint>

namespace le {

inline int load_u16(const unsigned char* b) { return b[0] | (b[1] << 8); }
inline std::uint32_t load_u32(const unsigned char* b) {
  return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
         (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}
inline int load_i32(const unsigned char* b) { return static_cast<int>(load_u32(b)); }
inline float load_f32(const unsigned char* b) { return std::bit_cast<float>(load_u32(b)); }

inline void store_u16(unsigned char* b, int value) {
  b[0] = static_cast<unsigned char>(value & 0xFF);
  b[1] = static_cast<unsigned char>((value >> 8) & 0xFF);
}
inline void store_u32(unsigned char* b, std::uint32_t v) {
  b[0] = static_cast<unsigned char>(v);
  b[1] = static_cast<unsigned char>(v >> 8);
  b[2] = static_cast<unsigned char>(v >> 16);
  b[3] = static_cast<unsigned char>(v >> 24);
}
inline void store_i32(unsigned char* b, int value) { store_u32(b, static_cast<std::uint32_t>(value)); }
inline void store_f32(unsigned char* b, float value) { store_u32(b, std::bit_cast<std::uint32_t>(value)); }

}  // namespace le

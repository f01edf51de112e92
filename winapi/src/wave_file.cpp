#include "wave_file.h"

#include <cstring>
#include <fstream>

namespace winapi {
namespace {

constexpr std::uint32_t kMaxDataBytes = 512u * 1024 * 1024;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kFormatExtensible = 0xFFFE;

std::uint32_t le32(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | (b[1] << 8) | (b[2] << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::uint16_t le16(const char* p) {
  auto b = reinterpret_cast<const unsigned char*>(p);
  return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

}  // namespace

bool read_wave_file(const std::string& path, WaveSound& sound) {
  std::ifstream in(path, std::ios::binary);
  char header[12];
  if (!in.read(header, sizeof header)) return false;
  if (std::memcmp(header, "RIFF", 4) != 0 || std::memcmp(header + 8, "WAVE", 4) != 0) return false;

  bool have_format = false;
  WaveSound result;
  char chunk[8];
  while (in.read(chunk, sizeof chunk)) {
    const std::uint32_t size = le32(chunk + 4);
    const std::uint32_t padded = size + (size & 1);
    if (std::memcmp(chunk, "fmt ", 4) == 0) {
      if (size < 16 || size > 1024) return false;
      std::vector<char> format(padded);
      if (!in.read(format.data(), padded)) return false;
      std::uint16_t tag = le16(format.data());
      if (tag == kFormatExtensible && size >= 26) tag = le16(format.data() + 24);  // sub-format
      result.channels = le16(format.data() + 2);
      result.rate = le32(format.data() + 4);
      result.bits = le16(format.data() + 14);
      const std::uint16_t block = le16(format.data() + 12);
      if (tag != kFormatPcm || (result.channels != 1 && result.channels != 2) ||
          (result.bits != 8 && result.bits != 16) || result.rate < 1000 || result.rate > 384000 ||
          block != result.channels * result.bits / 8) {
        return false;
      }
      have_format = true;
    } else if (std::memcmp(chunk, "data", 4) == 0) {
      if (!have_format || size > kMaxDataBytes) return false;
      result.data.resize(size);
      // A file cut short keeps the samples it has.
      in.read(reinterpret_cast<char*>(result.data.data()), size);
      result.data.resize(static_cast<std::size_t>(in.gcount()));
      const std::size_t frame = result.channels * result.bits / 8;
      result.data.resize(result.data.size() - result.data.size() % frame);
      sound = std::move(result);
      return true;
    } else {
      if (!in.seekg(padded, std::ios::cur)) return false;
    }
  }
  return false;
}

}  // namespace winapi

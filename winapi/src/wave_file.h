// Reading RIFF WAVE files with PCM samples.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace winapi {

struct WaveSound {
  unsigned channels = 0;           // 1 or 2
  unsigned rate = 0;               // frames per second
  unsigned bits = 0;               // 8 (unsigned) or 16 (signed little-endian)
  std::vector<std::uint8_t> data;  // the interleaved samples, whole frames only
};

// Reads a PCM WAVE file; false when it cannot be read or is not 8/16-bit PCM
// with one or two channels.
bool read_wave_file(const std::string& path, WaveSound& sound);

}  // namespace winapi

#include "perlin_noise.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <numeric>

namespace {

// A fixed shuffle of 0..255 (a small linear congruential sequence drives a
// Fisher-Yates shuffle), doubled so lookups need no wrap.
const std::array<int, 512>& permutation() {
  static const std::array<int, 512> table = [] {
    std::array<int, 256> p{};
    std::iota(p.begin(), p.end(), 0);
    std::uint32_t state = 0x2545F491u;
    for (int i = 255; i > 0; --i) {
      state = state * 1664525u + 1013904223u;
      int j = static_cast<int>((state >> 8) % static_cast<std::uint32_t>(i + 1));
      std::swap(p[i], p[j]);
    }
    std::array<int, 512> doubled{};
    for (int i = 0; i < 512; ++i) doubled[i] = p[i & 255];
    return doubled;
  }();
  return table;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
float lerp(float t, float a, float b) { return a + t * (b - a); }

// The dot product of the offset with one of twelve cube-edge gradients.
float grad(int hash, float x, float y, float z) {
  int h = hash & 15;
  float u = h < 8 ? x : y;
  float v = h < 4 ? y : (h == 12 || h == 14 ? x : z);
  return ((h & 1) == 0 ? u : -u) + ((h & 2) == 0 ? v : -v);
}

}  // namespace

float perlin_noise(const Point3& p) {
  const auto& perm = permutation();
  float fx = std::floor(p.x), fy = std::floor(p.y), fz = std::floor(p.z);
  if (!std::isfinite(fx) || !std::isfinite(fy) || !std::isfinite(fz)) return 0.0f;
  int X = static_cast<int>(std::fmod(fx, 256.0f)) & 255;
  int Y = static_cast<int>(std::fmod(fy, 256.0f)) & 255;
  int Z = static_cast<int>(std::fmod(fz, 256.0f)) & 255;
  float x = p.x - fx, y = p.y - fy, z = p.z - fz;
  float u = fade(x), v = fade(y), w = fade(z);
  int A = perm[X] + Y, AA = perm[A] + Z, AB = perm[A + 1] + Z;
  int B = perm[X + 1] + Y, BA = perm[B] + Z, BB = perm[B + 1] + Z;
  float result =
      lerp(w,
           lerp(v, lerp(u, grad(perm[AA], x, y, z), grad(perm[BA], x - 1, y, z)),
                lerp(u, grad(perm[AB], x, y - 1, z), grad(perm[BB], x - 1, y - 1, z))),
           lerp(v, lerp(u, grad(perm[AA + 1], x, y, z - 1), grad(perm[BA + 1], x - 1, y, z - 1)),
                lerp(u, grad(perm[AB + 1], x, y - 1, z - 1), grad(perm[BB + 1], x - 1, y - 1, z - 1))));
  return result;
}

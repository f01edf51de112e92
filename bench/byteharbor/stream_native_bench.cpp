// Native cost of one 4-byte read or write through the block stream against
// a plain memcpy at an advancing offset of a flat buffer.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "block_stream.h"

namespace {

constexpr int kInts = 1 << 20;  // 4 MiB of content, about a thousand blocks

void StreamRead4(benchmark::State& state) {
  BlockStream stream;
  std::vector<unsigned char> chunk(4 * kInts, 0x5A);
  stream.write(chunk.data(), static_cast<int>(chunk.size()));
  unsigned char out[4];
  stream.seek(0, 0);
  for (auto _ : state) {
    if (!stream.read(out, 4)) stream.seek(0, 0);
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(StreamRead4);

void StreamWrite4(benchmark::State& state) {
  BlockStream stream;
  const unsigned char in[4] = {1, 2, 3, 4};
  for (auto _ : state) {
    if (stream.position() >= 4 * kInts) stream.seek(0, 0);  // rewrite the same blocks
    stream.write(in, 4);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(StreamWrite4);

void MemcpyRead4(benchmark::State& state) {
  std::vector<unsigned char> flat(4 * kInts, 0x5A);
  unsigned char out[4];
  std::size_t offset = 0;
  for (auto _ : state) {
    if (offset + 4 > flat.size()) offset = 0;
    std::memcpy(out, flat.data() + offset, 4);
    offset += 4;
    benchmark::DoNotOptimize(out);
  }
}
BENCHMARK(MemcpyRead4);

void MemcpyWrite4(benchmark::State& state) {
  std::vector<unsigned char> flat(4 * kInts);
  const unsigned char in[4] = {1, 2, 3, 4};
  std::size_t offset = 0;
  for (auto _ : state) {
    if (offset + 4 > flat.size()) offset = 0;
    std::memcpy(flat.data() + offset, in, 4);
    offset += 4;
    benchmark::ClobberMemory();
  }
}
BENCHMARK(MemcpyWrite4);

}  // namespace

BENCHMARK_MAIN();

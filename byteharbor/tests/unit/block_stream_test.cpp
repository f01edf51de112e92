#include "block_stream.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

constexpr int kBlock = BlockStream::kBlockSize;

std::vector<unsigned char> counting_bytes(int n) {
  std::vector<unsigned char> bytes(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) bytes[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i * 7 + 3);
  return bytes;
}

TEST(BlockStreamGrowth, EmptyStreamHasOneBlockAndNoContent) {
  BlockStream s;
  EXPECT_EQ(s.size(), 0);
  EXPECT_EQ(s.position(), 0);
  EXPECT_EQ(s.capacity(), kBlock);
  EXPECT_TRUE(s.at_end());
  unsigned char byte = 0xAB;
  EXPECT_FALSE(s.read(&byte, 1));
  EXPECT_EQ(byte, 0xAB);
}

TEST(BlockStreamGrowth, TheFourThousandthByteAddsTheSecondBlock) {
  BlockStream s;
  for (int i = 0; i < kBlock - 1; ++i) {
    unsigned char b = static_cast<unsigned char>(i);
    ASSERT_EQ(s.write(&b, 1), BlockStream::WriteResult::written);
  }
  EXPECT_EQ(s.capacity(), kBlock);  // 3999 bytes still leave one free byte
  unsigned char last = 0x5A;
  s.write(&last, 1);
  EXPECT_EQ(s.capacity(), 2 * kBlock);
  EXPECT_EQ(s.size(), kBlock);
  EXPECT_EQ(s.position(), kBlock);
}

TEST(BlockStreamGrowth, CapacityAlwaysExceedsSize) {
  BlockStream s;
  std::vector<unsigned char> chunk = counting_bytes(kBlock);
  for (int round = 0; round < 5; ++round) {
    s.write(chunk.data(), kBlock);
    EXPECT_GT(s.capacity(), s.size());
    EXPECT_EQ(s.capacity() % kBlock, 0);
  }
  EXPECT_EQ(s.size(), 5 * kBlock);
  EXPECT_EQ(s.capacity(), 6 * kBlock);
}

TEST(BlockStreamBoundaries, ReadsAcrossBlocksReturnBytesInOrder) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(3 * kBlock + 17);
  s.write(bytes.data(), static_cast<int>(bytes.size()));
  s.seek(kBlock - 3, 0);
  std::vector<unsigned char> got(kBlock + 10);
  ASSERT_TRUE(s.read(got.data(), static_cast<int>(got.size())));
  for (std::size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], bytes[kBlock - 3 + i]) << "offset " << i;
  EXPECT_EQ(s.position(), 2 * kBlock + 7);
}

TEST(BlockStreamBoundaries, ByteByByteReadsCrossEveryBoundary) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(2 * kBlock + 1);
  for (unsigned char b : bytes) s.write(&b, 1);
  s.seek(0, 0);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    unsigned char b = 0;
    ASSERT_TRUE(s.read(&b, 1));
    ASSERT_EQ(b, bytes[i]) << "offset " << i;
  }
  unsigned char b = 0;
  EXPECT_FALSE(s.read(&b, 1));
}

TEST(BlockStreamBoundaries, AWordWrittenAcrossABoundaryReadsBack) {
  BlockStream s;
  s.seek(kBlock - 1, 0);
  const unsigned char word[2] = {0x12, 0x34};
  s.write(word, 2);
  EXPECT_EQ(s.size(), kBlock + 1);
  s.seek(kBlock - 1, 0);
  unsigned char got[2] = {};
  ASSERT_TRUE(s.read(got, 2));
  EXPECT_EQ(got[0], 0x12);
  EXPECT_EQ(got[1], 0x34);
}

TEST(BlockStreamBoundaries, ReadEndingExactlyAtABlockEndThenWriteContinues) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(kBlock + 5);
  s.write(bytes.data(), static_cast<int>(bytes.size()));
  s.seek(0, 0);
  std::vector<unsigned char> got(kBlock);
  ASSERT_TRUE(s.read(got.data(), kBlock));
  unsigned char five[5] = {};
  ASSERT_TRUE(s.read(five, 5));
  EXPECT_EQ(five[4], bytes[kBlock + 4]);
}

TEST(BlockStreamSeek, FarPastTheEndThenWrite) {
  BlockStream s;
  s.seek(10000, 0);
  EXPECT_EQ(s.position(), 10000);
  EXPECT_EQ(s.size(), 0);
  unsigned char b = 0x77;
  s.write(&b, 1);
  EXPECT_EQ(s.size(), 10001);
  EXPECT_EQ(s.capacity(), 12000);
  s.seek(5000, 0);
  unsigned char gap = 0xFF;
  ASSERT_TRUE(s.read(&gap, 1));
  EXPECT_EQ(gap, 0);  // bytes skipped over read as zeros
  s.seek(10000, 0);
  ASSERT_TRUE(s.read(&b, 1));
  EXPECT_EQ(b, 0x77);
}

TEST(BlockStreamSeek, WriteAfterReadRanOffTheLastBlock) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(kBlock - 1);
  s.write(bytes.data(), kBlock - 1);
  s.seek(2 * kBlock + 5, 0);  // beyond the only block: no current block
  unsigned char b = 9;
  s.write(&b, 1);
  EXPECT_EQ(s.size(), 2 * kBlock + 6);
  s.seek(-1, 1);
  unsigned char got = 0;
  ASSERT_TRUE(s.read(&got, 1));
  EXPECT_EQ(got, 9);
  s.seek(kBlock - 2, 0);
  ASSERT_TRUE(s.read(&got, 1));
  EXPECT_EQ(got, bytes[kBlock - 2]);
}

TEST(BlockStreamGrowth, OverwritingInsideTheContentKeepsTheSize) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(10);
  s.write(bytes.data(), 10);
  s.seek(2, 0);
  const unsigned char two[2] = {0xEE, 0xEF};
  s.write(two, 2);
  EXPECT_EQ(s.size(), 10);
  EXPECT_EQ(s.position(), 4);
  unsigned char rest[6] = {};
  ASSERT_TRUE(s.read(rest, 6));
  EXPECT_EQ(rest[5], bytes[9]);
}

TEST(BlockStreamSeek, OriginsAndClamping) {
  BlockStream s;
  std::vector<unsigned char> bytes = counting_bytes(10);
  s.write(bytes.data(), 10);
  s.seek(0, 2);
  EXPECT_EQ(s.position(), 9);  // the end base is the last content byte
  s.seek(1, 2);
  EXPECT_EQ(s.position(), 10);
  s.seek(-5, 0);
  EXPECT_EQ(s.position(), 0);
  s.seek(4, 0);
  s.seek(3, 1);
  EXPECT_EQ(s.position(), 7);
  s.seek(-100, 1);
  EXPECT_EQ(s.position(), 0);
  s.seek(6, 9);  // an unknown origin counts from 0
  EXPECT_EQ(s.position(), 6);
}

TEST(BlockStreamSeek, EndOfAnEmptyStreamClampsToZero) {
  BlockStream s;
  s.seek(0, 2);
  EXPECT_EQ(s.position(), 0);
}

TEST(BlockStreamLimits, SeekArithmeticStaysWithin32Bits) {
  BlockStream s;
  s.seek(10, 0);
  s.seek(INT32_MAX, 1);
  EXPECT_EQ(s.position(), INT32_MAX);
  s.seek(INT32_MAX, 1);
  EXPECT_EQ(s.position(), INT32_MAX);
  s.seek(INT32_MIN, 1);
  EXPECT_EQ(s.position(), 0);
  s.seek(INT32_MAX, 2);  // base -1 on an empty stream
  EXPECT_EQ(s.position(), INT32_MAX - 1);
}

TEST(BlockStreamLimits, WriteBeyondTheLargestSizeIsRefusedAndChangesNothing) {
  BlockStream s;
  unsigned char b = 1;
  s.write(&b, 1);
  s.seek(INT32_MAX, 0);
  const unsigned char four[4] = {1, 2, 3, 4};
  EXPECT_EQ(s.write(four, 4), BlockStream::WriteResult::too_large);
  EXPECT_EQ(s.size(), 1);
  EXPECT_EQ(s.capacity(), kBlock);
  EXPECT_EQ(s.position(), INT32_MAX);
  s.seek(BlockStream::kMaxSize - 3, 0);
  EXPECT_EQ(s.write(four, 4), BlockStream::WriteResult::too_large);
  EXPECT_EQ(s.capacity(), kBlock);
}

TEST(BlockStreamLimits, ReadsPastTheSizeFailWithoutMoving) {
  BlockStream s;
  const unsigned char three[3] = {1, 2, 3};
  s.write(three, 3);
  s.seek(1, 0);
  unsigned char four[4] = {};
  EXPECT_FALSE(s.read(four, 4));
  EXPECT_EQ(s.position(), 1);
  unsigned char two[2] = {};
  EXPECT_TRUE(s.read(two, 2));  // ends exactly at the size
  EXPECT_EQ(two[1], 3);
  EXPECT_TRUE(s.at_end());
}

}  // namespace

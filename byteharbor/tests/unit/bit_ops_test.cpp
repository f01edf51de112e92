#include "bit_ops.h"
#include "little_endian.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(BitOps, SetAndTestBits) {
  EXPECT_EQ(bits::set_bit(0, 31), INT_MIN);
  EXPECT_EQ(bits::set_bit(0, 0), 1);
  EXPECT_EQ(bits::set_bit(5, 1), 7);
  EXPECT_TRUE(bits::test_bit(-1, 31));
  EXPECT_TRUE(bits::test_bit(4, 2));
  EXPECT_FALSE(bits::test_bit(4, 1));
  EXPECT_TRUE(bits::valid_bit_index(0));
  EXPECT_TRUE(bits::valid_bit_index(31));
  EXPECT_FALSE(bits::valid_bit_index(32));
  EXPECT_FALSE(bits::valid_bit_index(-1));
}

TEST(BitOps, SignAndUnsign) {
  EXPECT_EQ(bits::sign_it(255, 8), -1);
  EXPECT_EQ(bits::sign_it(128, 8), -128);
  EXPECT_EQ(bits::sign_it(127, 8), 127);
  EXPECT_EQ(bits::sign_it(65535, 16), -1);
  EXPECT_EQ(bits::sign_it(300, 8), 44);
  EXPECT_EQ(bits::unsign_it(-1, 8), 255);
  EXPECT_EQ(bits::unsign_it(-1, 16), 65535);
  EXPECT_FALSE(bits::valid_data_size(32));
}

TEST(BitOps, NotAndByteOrder) {
  EXPECT_EQ(bits::bin_not(0), -1);
  EXPECT_EQ(bits::bin_not(INT_MIN), INT_MAX);
  EXPECT_EQ(bits::swap32(1), 16777216);
  EXPECT_EQ(bits::swap32(16777216), 1);
  EXPECT_EQ(bits::swap32(0x12345678), 0x78563412);
  EXPECT_EQ(bits::swap32(-1), -1);
  EXPECT_EQ(bits::swap32(0x80), INT_MIN);
  EXPECT_EQ(bits::swap16(1), 256);
  EXPECT_EQ(bits::swap16(65536), 0);
  EXPECT_EQ(bits::swap16(-1), 65535);
}

TEST(BitOps, Characters) {
  EXPECT_EQ(bits::int_to_char(65), "A");
  EXPECT_EQ(bits::int_to_char(321), "A");
  EXPECT_EQ(bits::int_to_char(256), "");
  EXPECT_EQ(bits::char_to_int("AB"), 65);
  EXPECT_EQ(bits::char_to_int(""), 0);
  EXPECT_EQ(bits::char_to_int("\xE9"), -23);
}

TEST(LittleEndian, RoundTripsIntegersAndFloats) {
  unsigned char b[4];
  le::store_i32(b, 258);
  EXPECT_EQ(b[0], 2);
  EXPECT_EQ(b[1], 1);
  EXPECT_EQ(b[2], 0);
  EXPECT_EQ(b[3], 0);
  EXPECT_EQ(le::load_i32(b), 258);
  le::store_i32(b, -1);
  EXPECT_EQ(le::load_i32(b), -1);
  le::store_u16(b, 65535);
  EXPECT_EQ(le::load_u16(b), 65535);
  le::store_f32(b, 1.5f);
  EXPECT_EQ(b[3], 0x3F);
  EXPECT_EQ(b[2], 0xC0);
  EXPECT_EQ(le::load_f32(b), 1.5f);
}

}  // namespace

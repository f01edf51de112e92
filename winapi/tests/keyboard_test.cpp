#include <winapi/keyboard_feed.h>
#include <windows.h>

#include <gtest/gtest.h>

namespace {

unsigned state(int key) { return static_cast<USHORT>(GetAsyncKeyState(key)); }

class KeyboardTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetKeyStates(); }
};

TEST_F(KeyboardTest, PressReportsDownAndPressedOnce) {
  EXPECT_EQ(state(VK_ESCAPE), 0u);
  FeedKeyState(VK_ESCAPE, true);
  EXPECT_EQ(state(VK_ESCAPE), 0x8001u);
  EXPECT_EQ(state(VK_ESCAPE), 0x8000u);  // still held, already reported
  FeedKeyState(VK_ESCAPE, true);         // auto-repeat of a held key
  EXPECT_EQ(state(VK_ESCAPE), 0x8000u);
  FeedKeyState(VK_ESCAPE, false);
  EXPECT_EQ(state(VK_ESCAPE), 0u);
}

TEST_F(KeyboardTest, PressAndReleaseBetweenQueriesLeavesThePressedBit) {
  FeedKeyState(VK_ESCAPE, true);
  FeedKeyState(VK_ESCAPE, false);
  EXPECT_EQ(state(VK_ESCAPE), 0x0001u);
  EXPECT_EQ(state(VK_ESCAPE), 0u);
}

TEST_F(KeyboardTest, KeysAreIndependentAndOutOfRangeKeysAreIgnored) {
  FeedKeyState('M', true);
  EXPECT_EQ(state(VK_ESCAPE), 0u);
  EXPECT_EQ(state('M'), 0x8001u);
  FeedKeyState(-1, true);
  FeedKeyState(256, true);
  EXPECT_EQ(state(-1), 0u);
  EXPECT_EQ(state(256), 0u);
  EXPECT_EQ(state(100000), 0u);
  ResetKeyStates();
  EXPECT_EQ(state('M'), 0u);
}

}  // namespace

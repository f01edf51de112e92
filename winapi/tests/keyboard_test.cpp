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

TEST_F(KeyboardTest, PressCountsGrowWithEachPressAndOutliveQueriesAndResets) {
  unsigned long before = KeyPressCount(VK_ESCAPE);
  FeedKeyState(VK_ESCAPE, true);
  FeedKeyState(VK_ESCAPE, true);  // auto-repeat: the same press
  EXPECT_EQ(KeyPressCount(VK_ESCAPE), before + 1);
  EXPECT_EQ(state(VK_ESCAPE), 0x8001u);  // the count leaves the pressed bit to its caller
  EXPECT_EQ(KeyPressCount(VK_ESCAPE), before + 1);
  FeedKeyState(VK_ESCAPE, false);
  FeedKeyState(VK_ESCAPE, true);
  EXPECT_EQ(KeyPressCount(VK_ESCAPE), before + 2);
  ResetKeyStates();
  EXPECT_EQ(KeyPressCount(VK_ESCAPE), before + 2);
  EXPECT_EQ(state(VK_ESCAPE), 0u);
  unsigned long m_before = KeyPressCount('M');
  FeedKeyState('M', true);
  EXPECT_EQ(KeyPressCount('M'), m_before + 1);
  EXPECT_EQ(KeyPressCount(VK_ESCAPE), before + 2);
  EXPECT_EQ(KeyPressCount(-1), 0u);
  EXPECT_EQ(KeyPressCount(256), 0u);
}

}  // namespace

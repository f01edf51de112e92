// The bytes a terminal sends for shortcut tables' accelerator keys, as the
// interactive listener binds them.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "listener/terminal_chords.h"

namespace {

using host::listener::terminal_chord;

ACCEL key(BYTE modifiers, WORD code) { return ACCEL{static_cast<BYTE>(FVIRTKEY | modifiers), code, 999}; }

TEST(TerminalChords, AltIsAnEscapeBeforeTheKey) {
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT, 'M')), std::string("\x1b\r"));
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT | FNOINVERT, 'M')), std::string("\x1b\r"));
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT, 'A')), std::string("\x1b\x01"));
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT, 'Z')), std::nullopt);  // suspends, even after Esc
  EXPECT_EQ(terminal_chord(key(FALT, 'M')), std::string("\x1bm"));
  EXPECT_EQ(terminal_chord(key(FALT | FSHIFT, 'M')), std::string("\x1bM"));
  EXPECT_EQ(terminal_chord(key(FALT, '7')), std::string("\x1b"
                                                        "7"));
  EXPECT_EQ(terminal_chord(key(FALT | FSHIFT, '7')), std::nullopt);
  // Esc O and Esc [ start the terminal's own key sequences.
  EXPECT_EQ(terminal_chord(key(FALT, 'O')), std::string("\x1bo"));
  EXPECT_EQ(terminal_chord(key(FALT | FSHIFT, 'O')), std::nullopt);
}

TEST(TerminalChords, CtrlIsTheControlCharacterWhereItIsOneOfItsOwn) {
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'A')), std::string("\x01"));
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'R')), std::string("\x12"));
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'M')), std::nullopt);  // Enter
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'I')), std::nullopt);  // Tab
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'H')), std::nullopt);  // Backspace
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'J')), std::nullopt);  // Enter too
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'C')), std::nullopt);  // interrupt
  EXPECT_EQ(terminal_chord(key(FCONTROL, 'S')), std::nullopt);  // flow control
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT, 'Q')), std::nullopt);
  EXPECT_EQ(terminal_chord(key(FCONTROL | FSHIFT, 'A')), std::nullopt);  // sends what Ctrl+A does
  EXPECT_EQ(terminal_chord(key(FCONTROL, '5')), std::nullopt);
}

TEST(TerminalChords, KeysThatTypeOrHaveNoKeyAreNotBound) {
  EXPECT_EQ(terminal_chord(ACCEL{FNOINVERT, 0, 1000}), std::nullopt);  // an entry without a key
  EXPECT_EQ(terminal_chord(key(0, 0)), std::nullopt);
  EXPECT_EQ(terminal_chord(key(0, 'M')), std::nullopt);
  EXPECT_EQ(terminal_chord(key(FSHIFT, 'M')), std::nullopt);
  EXPECT_EQ(terminal_chord(ACCEL{FCONTROL | FALT, 'M', 999}), std::nullopt);  // a character, not a key
  EXPECT_EQ(terminal_chord(key(FCONTROL | FALT, 0x70)), std::nullopt);        // F1
  EXPECT_EQ(terminal_chord(key(FALT, VK_ESCAPE)), std::nullopt);
}

}  // namespace

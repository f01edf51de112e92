#include "terminal_chords.h"

#include <string_view>

namespace host::listener {

namespace {

constexpr char kEscape = '\x1b';

// Ctrl with these letters is the terminal driver's own (interrupt,
// suspend, flow control), whatever comes before it.
constexpr std::string_view kDriverLetters = "CZSQ";
// Ctrl with these sends the byte of another key (Backspace, Tab, Enter).
constexpr std::string_view kOtherKeyLetters = "HIJM";

bool among(WORD key, std::string_view letters) {
  return letters.find(static_cast<char>(key)) != std::string_view::npos;
}

bool is_letter(WORD key) { return key >= 'A' && key <= 'Z'; }
bool is_digit(WORD key) { return key >= '0' && key <= '9'; }

}  // namespace

std::optional<std::string> terminal_chord(const ACCEL& accelerator) {
  // Entries without FVIRTKEY name a character, not a key with modifiers.
  if (!(accelerator.fVirt & FVIRTKEY)) return std::nullopt;
  const WORD key = accelerator.key;
  const bool ctrl = accelerator.fVirt & FCONTROL;
  const bool alt = accelerator.fVirt & FALT;
  const bool shift = accelerator.fVirt & FSHIFT;
  if (!ctrl && !alt) return std::nullopt;
  if (!is_letter(key) && !is_digit(key)) return std::nullopt;

  std::string chord;
  if (alt) chord += kEscape;
  if (ctrl) {
    // Ctrl+Shift sends what Ctrl alone does, and Ctrl with a digit sends the digit.
    if (shift || !is_letter(key)) return std::nullopt;
    // After Esc, Ctrl+M is a chord of its own, not Enter.
    if (among(key, kDriverLetters) || (!alt && among(key, kOtherKeyLetters))) return std::nullopt;
    chord += static_cast<char>(key - 'A' + 1);
    return chord;
  }
  if (is_letter(key)) {
    const char typed = static_cast<char>(shift ? key : key - 'A' + 'a');
    // Esc O and Esc [ begin the terminal's cursor and function key sequences.
    if (typed == 'O' || typed == '[') return std::nullopt;
    chord += typed;
    return chord;
  }
  if (shift) return std::nullopt;  // Shift with a digit depends on the keyboard's layout
  chord += static_cast<char>(key);
  return chord;
}

}  // namespace host::listener

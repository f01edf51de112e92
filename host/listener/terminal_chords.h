// What a terminal sends for a shortcut table's accelerator key, so the
// interactive listener can bind the chord in readline.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace host::listener {

// The bytes a common terminal (xterm and its kin, Alt sending Esc first)
// sends for the accelerator's chord: Ctrl+letter as its control character,
// Alt as an Esc before the key, so Ctrl+Alt+M is Esc then Ctrl+M. Nothing for
// an entry without a key, for chords the terminal cannot deliver or cannot
// tell from another key (Ctrl+Shift, Ctrl with a digit, Ctrl+M is Enter,
// Ctrl+C is an interrupt, ...), and for keys without Ctrl or Alt, which
// would take a key from typing.
std::optional<std::string> terminal_chord(const ACCEL& accelerator);

}  // namespace host::listener

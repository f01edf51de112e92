// What dlgpress does, one function per form of its command line. Each returns
// the program's exit code.
#pragma once

#include <cstdint>
#include <string>

namespace dlgpress {

// Prints "<title>" for each top-level window with a title (at most 511
// characters of it).
int list_windows();

// Posts WM_COMMAND with `id` to the window titled `title`; 0 when it was
// there, else prints that it was not found and gives 1.
int send_once(const std::string& title, std::int32_t id);

// Starts a copy of this program (`program`, else this program's own file)
// that waits for the window; ends at once with 0 whether or not it started.
int start_waiting_copy(const std::string& program, const std::string& title, const std::string& id_word,
                       const std::string& seconds_word);

// The copy: looks for the window until it is there or more than `seconds`
// whole seconds have passed since the start, pausing briefly between
// attempts; posts the command when it finds the window. Always gives 0.
int wait_and_send(const std::string& title, std::int32_t id, std::int32_t seconds);

}  // namespace dlgpress

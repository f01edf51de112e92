// The text of the progress bar's terminal line, apart from the terminal.
#pragma once

#include <chrono>
#include <string>

namespace host {

// The estimate of the time left for work that is `pct` percent done after
// `elapsed`, as "M:SS left" or "H:MM:SS left"; empty at 0% (nothing to
// estimate from yet).
std::string progress_time_left(std::chrono::steady_clock::duration elapsed, int pct);

// "<title> [#####     ]  42%  0:13 left", at most `columns` - 1 characters
// (the last column would wrap the line on some terminals): the title is cut
// first, then the estimate, then the bar.
std::string progress_line(const std::string& title, int pct, std::chrono::steady_clock::duration elapsed,
                          int columns);

}  // namespace host

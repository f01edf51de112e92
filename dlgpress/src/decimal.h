// Reading the command identifier and the seconds from their words.
#pragma once

#include <cstdint>

namespace dlgpress {

// Skips leading white space, reads one optional sign, then decimal digits up
// to the first other character. A word without digits gives 0. Values beyond
// 32 bits wrap around as 32-bit two's complement numbers do.
std::int32_t parse_decimal(const char* word);

}  // namespace dlgpress

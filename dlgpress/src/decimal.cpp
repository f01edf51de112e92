#include "decimal.h"

#include <cctype>

namespace dlgpress {

std::int32_t parse_decimal(const char* word) {
  if (word == nullptr) return 0;
  while (std::isspace(static_cast<unsigned char>(*word))) ++word;
  bool negative = false;
  if (*word == '+' || *word == '-') negative = (*word++ == '-');
  std::uint32_t value = 0;
  while (*word >= '0' && *word <= '9') value = value * 10u + static_cast<std::uint32_t>(*word++ - '0');
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace dlgpress

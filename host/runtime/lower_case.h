// Lower case for the host's case-insensitive texts: names, keywords, file
// extensions and findString. ASCII only, as MAXScript names are.
#pragma once

#include <string>
#include <string_view>

namespace host {

inline std::string lower(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return s;
}

}  // namespace host

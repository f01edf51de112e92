// The texts xrefname shows.
#pragma once

namespace xrefname::msg {
inline constexpr const char* kDescription = "Tarnwick Software MAXScript Extension Lib";
inline constexpr const char* kSetName = "SetXRefFileName";
inline constexpr const char* kGetName = "GetXRefFileName";
}  // namespace xrefname::msg

// Zentu's version: ZentuVersion for scripts, the module file's version
// information, and LibVersion, the host release it was built for.
#pragma once

#include <windows.h>

namespace zentu {

inline constexpr int kVersion = 13;
inline constexpr ULONG kLibVersion = 0x13EC0800;  // host release 5100, API 8, SDK revision 0

}  // namespace zentu

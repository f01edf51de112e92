// Paths as scripts write them (either slash) and as the system takes them.
#pragma once

#include <string>

namespace host::script {

// The path with every backslash made a forward slash.
std::string os_path(const std::string& script_path);

}  // namespace host::script

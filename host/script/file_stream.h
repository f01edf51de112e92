// What the file functions need to know of open file streams.
#pragma once

#include <string>

namespace host::script {

// True while a script's file stream has the file at this (system) path
// open: deleting, renaming and copying it then fail, as they do on Windows.
bool is_open_in_script(const std::string& os_path);

}  // namespace host::script

// The host's named folders (getDir #scripts, #temp, ...).
#pragma once

#include <string>

namespace host::script {

// The scripts folder the listener was told to use (--scripts-dir); it wins
// over the HOST_SCRIPTS_DIR environment variable.
void set_scripts_dir(const std::string& dir);

// The folder getDir gives for a lower-case name ("scripts", "plugcfg", ...);
// false for a name the host does not know. The user's folders are made
// unless make is false.
bool folder_for(const std::string& name, std::string& folder, bool make = true);

}  // namespace host::script

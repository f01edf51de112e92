// The host's named folders (getDir #scripts, #temp, ...).
#pragma once

#include <string>

namespace host::script {

// The scripts folder the listener was told to use (--scripts-dir); it wins
// over the HOST_SCRIPTS_DIR environment variable.
void set_scripts_dir(const std::string& dir);

}  // namespace host::script

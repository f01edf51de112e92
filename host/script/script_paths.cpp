#include "script_paths.h"

namespace host::script {

std::string os_path(const std::string& script_path) {
  std::string p = script_path;
  for (char& c : p)
    if (c == '\\') c = '/';
  return p;
}

}  // namespace host::script

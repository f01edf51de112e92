// Command line of the listener.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace host::listener {

enum class ColourMode { Auto, Always, Never };

struct Options {
  std::vector<std::string> files;
  std::vector<std::string> expressions;  // -e
  std::vector<std::string> plugin_dirs;  // --plugins (replace the default)
  std::string scripts_dir;               // --scripts-dir: getDir #scripts
  bool no_plugins = false;
  bool echo = false;
  bool keep_going = false;
  bool list_plugins = false;
  bool help = false;
  ColourMode colour = ColourMode::Auto;
};

// Parses argv; on misuse returns nullopt and sets error to the message.
std::optional<Options> parse_options(int argc, char** argv, std::string& error);
extern const char* const kUsage;

}  // namespace host::listener

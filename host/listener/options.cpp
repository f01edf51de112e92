#include "options.h"

#include <cstring>

namespace host::listener {

const char* const kUsage =
    "usage: listener [options] [FILE.ms ...]\n"
    "Runs MAXScript files in order; with no file, reads standard input (an\n"
    "interactive prompt when it is a terminal).\n"
    "  -e EXPR            evaluate EXPR (repeatable)\n"
    "  --plugins DIR      load plug-ins from DIR instead of the default folder (repeatable)\n"
    "  --no-plugins       load no plug-ins\n"
    "  --scripts-dir DIR  the scripts folder (getDir #scripts); else $HOST_SCRIPTS_DIR\n"
    "  --echo             print the value of every top-level expression\n"
    "  --keep-going       go on with the next expression after an uncaught error\n"
    "  --list-plugins     print each loaded module: file, description, version\n"
    "  --colour WHEN      colour listener text: auto (default), always, never\n"
    "  -h, --help         show this help\n";

std::optional<Options> parse_options(int argc, char** argv, std::string& error) {
  Options o;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) {
        error = a + " needs " + what;
        return nullptr;
      }
      return argv[++i];
    };
    if (a == "-e") {
      const char* v = value("an expression");
      if (!v) return std::nullopt;
      o.expressions.emplace_back(v);
    } else if (a == "--plugins") {
      const char* v = value("a folder");
      if (!v) return std::nullopt;
      o.plugin_dirs.emplace_back(v);
    } else if (a == "--scripts-dir") {
      const char* v = value("a folder");
      if (!v) return std::nullopt;
      o.scripts_dir = v;
    } else if (a == "--no-plugins") {
      o.no_plugins = true;
    } else if (a == "--echo") {
      o.echo = true;
    } else if (a == "--keep-going") {
      o.keep_going = true;
    } else if (a == "--list-plugins") {
      o.list_plugins = true;
    } else if (a == "--colour" || a == "--color") {
      const char* v = value("auto, always or never");
      if (!v) return std::nullopt;
      if (std::strcmp(v, "always") == 0)
        o.colour = ColourMode::Always;
      else if (std::strcmp(v, "never") == 0)
        o.colour = ColourMode::Never;
      else if (std::strcmp(v, "auto") == 0)
        o.colour = ColourMode::Auto;
      else {
        error = std::string("unknown colour mode: ") + v;
        return std::nullopt;
      }
    } else if (a == "-h" || a == "--help") {
      o.help = true;
    } else if (a.size() > 1 && a[0] == '-') {
      error = "unknown option: " + a;
      return std::nullopt;
    } else {
      o.files.push_back(a);
    }
  }
  return o;
}

}  // namespace host::listener

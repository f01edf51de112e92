// listener: loads the plug-ins and runs MAXScript files, expressions, piped
// input or an interactive prompt.
#include <pthread.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <optional>

#include "../runtime/runtime_internal.h"
#include "../script/frame.h"
#include "../script/system_dirs.h"
#include "host/plugin_classes.h"
#include "listener_stream.h"
#include "options.h"
#include "plugin_loader.h"
#include "repl.h"
#include "terminal_keys.h"

namespace {

using namespace host::listener;

constexpr std::size_t kScriptStackSize = std::size_t{64} << 20;
constexpr std::size_t kStackReserve = std::size_t{4} << 20;  // room kept for the error path

std::string default_plugin_folder() {
  std::error_code ec;
  auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (ec) return "plugins";
  return (exe.parent_path().parent_path() / "plugins").string();
}

int run(const Options& options) {
  bool colour = options.colour == ColourMode::Always ||
                (options.colour == ColourMode::Auto && isatty(STDOUT_FILENO));
  if (!options.scripts_dir.empty()) host::script::set_scripts_dir(options.scripts_dir);
  ListenerStream stream(colour);
  the_listener->edit_stream = &stream;
  the_listener->edit_box = stream.window();
  set_thread_local_output(&stream);

  int status = 0;
  {
    PluginLoader loader;
    if (!options.no_plugins)
      loader.load_folders(options.plugin_dirs.empty() ? std::vector<std::string>{default_plugin_folder()}
                                                      : options.plugin_dirs);
    if (options.list_plugins)
      for (const LoadedModule& m : loader.modules()) {
        char version[16];
        std::snprintf(version, sizeof version, "%08X", static_cast<unsigned>(m.version));
        std::string line = m.file_name + "  " + m.description + "  0x" + version;
        if (m.is_utility) {
          line += "  classes:";
          for (ClassDesc* cd : m.classes) line += std::string(" ") + cd->ClassName();
        }
        stream.host_puts((line + "\n").c_str());
      }

    host::script::RunOptions run_options;
    run_options.echo = options.echo;
    run_options.keep_going = options.keep_going;
    bool clean = true;
    bool interactive = options.files.empty() && options.expressions.empty() && !options.list_plugins;
    // While scripts run from files or -e, the terminal's keys reach
    // GetAsyncKeyState (an Esc poll); at the interactive prompt, while a line runs.
    std::optional<TerminalKeys> keys;
    if (!interactive) keys.emplace(std::chrono::milliseconds(options.key_hold_ms));
    for (const std::string& expr : options.expressions) {
      clean = host::script::run_source(expr, "-e", run_options) && clean;
      if (!clean && !options.keep_going) break;
    }
    for (const std::string& file : options.files) {
      if (!clean && !options.keep_going) break;
      clean = host::script::run_file(file, run_options) && clean;
    }
    keys.reset();
    if (interactive) {
      if (isatty(STDIN_FILENO))
        run_interactive(std::chrono::milliseconds(options.key_hold_ms));
      else
        clean = run_stdin(run_options);
    }
    status = clean ? 0 : 1;
    stream.flush();
    if (stream.write_error() != 0) {
      std::cerr << host::msg::kCannotWriteOutput << std::strerror(stream.write_error()) << "\n";
      status = 1;
    }
    // Values die before the modules whose code they run on.
    host::gc_shutdown();
    loader.unload_all();
  }
  set_thread_local_output(nullptr);
  the_listener->edit_stream = nullptr;
  the_listener->edit_box = nullptr;
  return status;
}

struct ThreadArgs {
  const Options* options;
  int status;
};

void* script_thread(void* p) {
  auto* args = static_cast<ThreadArgs*>(p);
  const char* top = static_cast<const char*>(__builtin_frame_address(0));
  host::script::set_stack_limit(top - (kScriptStackSize - kStackReserve));
  args->status = run(*args->options);
  return nullptr;
}

}  // namespace

int main(int argc, char** argv) {
  std::string error;
  auto options = parse_options(argc, argv, error);
  if (!options) {
    std::cerr << "listener: " << error << "\n" << kUsage;
    return 2;
  }
  if (options->help) {
    std::cout << kUsage;
    return 0;
  }
  // Scripts run on one thread with a large stack, so deep recursion ends in a
  // "Stack overflow" error rather than a crash.
  ThreadArgs args{&*options, 1};
  pthread_attr_t attr;
  pthread_attr_init(&attr);
  pthread_attr_setstacksize(&attr, kScriptStackSize);
  pthread_t thread;
  if (pthread_create(&thread, &attr, script_thread, &args) != 0) {
    std::cerr << "listener: cannot start the script thread\n";
    return 1;
  }
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attr);
  std::fflush(stdout);
  return args.status;
}

#include "repl.h"

// readline's old "Function" typedef would clash with the host's Function class.
#define _FUNCTION_DEF
#include <readline/history.h>
#include <readline/readline.h>

#include <cstdlib>
#include <cstring>
#include <strings.h>
#include <vector>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "../runtime/runtime_internal.h"
#include "../script/parser.h"
#include "accelerator_keys.h"
#include "terminal_keys.h"

namespace host::listener {

using host::global_names;

namespace {

// Tab completes the names of globals: functions, classes and variables.
std::vector<std::string> g_candidates;

char* next_completion(const char* text, int state) {
  static std::size_t index;
  if (state == 0) {
    g_candidates = global_names();
    index = 0;
  }
  std::size_t n = std::strlen(text);
  while (index < g_candidates.size()) {
    const std::string& name = g_candidates[index++];
    if (strncasecmp(name.c_str(), text, n) == 0) return strdup(name.c_str());
  }
  return nullptr;
}

char** complete(const char* text, int, int) {
  rl_attempted_completion_over = 1;  // no file-name completion
  return rl_completion_matches(text, next_completion);
}

// Run by readline before each prompt, once its keymaps are set up.
int before_prompt() {
  bind_accelerator_keys();
  return 0;
}

std::string history_file() {
  const char* home = std::getenv("HOME");
  return home ? std::string(home) + "/.listener_history" : std::string();
}

}  // namespace

void run_interactive(std::chrono::milliseconds key_hold) {
  std::string history = history_file();
  if (!history.empty()) read_history(history.c_str());
  rl_attempted_completion_function = complete;
  rl_startup_hook = before_prompt;
  script::RunOptions options;
  options.echo = true;
  options.keep_going = true;
  std::string pending;
  while (true) {
    thread_local_output()->flush();
    std::unique_ptr<char, decltype(&std::free)> line(readline(pending.empty() ? "> " : "... "), &std::free);
    if (!line) break;
    if (*line.get() != '\0') add_history(line.get());
    pending += line.get();
    pending += "\n";
    script::ParseResult parsed = script::parse(pending);
    if (!parsed.program && parsed.incomplete) continue;  // wait for the rest
    {
      TerminalKeys keys(key_hold);
      script::run_source(pending, "listener", options);
    }
    pending.clear();
  }
  if (!history.empty()) write_history(history.c_str());
  std::cout << std::endl;
}

bool run_stdin(const script::RunOptions& options) {
  std::ostringstream text;
  text << std::cin.rdbuf();
  return script::run_source(text.str(), "stdin", options);
}

}  // namespace host::listener

#include "repl.h"

// readline's old "Function" typedef would clash with the host's Function class.
#define _FUNCTION_DEF
#include <readline/history.h>
#include <readline/readline.h>

#include <cstdlib>
#include <iostream>
#include <memory>
#include <sstream>
#include <string>

#include "../script/parser.h"

namespace host::listener {

namespace {

std::string history_file() {
  const char* home = std::getenv("HOME");
  return home ? std::string(home) + "/.listener_history" : std::string();
}

}  // namespace

void run_interactive() {
  std::string history = history_file();
  if (!history.empty()) read_history(history.c_str());
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
    script::run_source(pending, "listener", options);
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

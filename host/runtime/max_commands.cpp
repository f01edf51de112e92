// The registry behind `max <command words>`.
#include "host/max_commands.h"

#include <cctype>
#include <map>
#include <sstream>

namespace {

std::map<std::string, MaxCommandFn>& commands() {
  static std::map<std::string, MaxCommandFn> table;
  return table;
}

std::string normalised(const char* words) {
  std::istringstream in(words == nullptr ? "" : words);
  std::string word, out;
  while (in >> word) {
    for (char& c : word) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (!out.empty()) out += ' ';
    out += word;
  }
  return out;
}

}  // namespace

void register_max_command(const char* words, MaxCommandFn command) {
  std::string key = normalised(words);
  if (key.empty() || command == nullptr) return;
  commands()[key] = command;
}

void unregister_max_command(const char* words) { commands().erase(normalised(words)); }

bool run_max_command(const char* words) {
  auto found = commands().find(normalised(words));
  if (found == commands().end()) return false;
  found->second();
  return true;
}

std::vector<std::string> max_command_names() {
  std::vector<std::string> names;
  for (const auto& entry : commands()) names.push_back(entry.first);
  return names;
}

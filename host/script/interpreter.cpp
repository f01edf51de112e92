#include "interpreter.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "../runtime/host_stream.h"
#include "host/messages.h"
#include "parser.h"

namespace host::script {

namespace {

// Folders of the scripts being run, innermost last: fileIn looks there first.
std::vector<std::filesystem::path>& script_dirs() {
  static std::vector<std::filesystem::path> dirs;
  return dirs;
}

struct ScriptDir {
  explicit ScriptDir(const std::string& file) {
    script_dirs().push_back(std::filesystem::absolute(file).parent_path());
  }
  ~ScriptDir() { script_dirs().pop_back(); }
};

// The script files being run (by the listener, fileIn or a plug-in), innermost last.
std::vector<std::string>& script_files() {
  static std::vector<std::string> files;
  return files;
}

struct ScriptFile {
  explicit ScriptFile(const std::string& file) {
    script_files().push_back(std::filesystem::absolute(file).string());
  }
  ~ScriptFile() { script_files().pop_back(); }
};

// Reads a whole script file; false for a folder, an empty name or a file
// that cannot be opened.
bool read_text(const std::string& path, std::string& text) {
  std::error_code ec;
  if (path.empty() || std::filesystem::is_directory(path, ec)) return false;
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

// An empty path is shown as "" so the error still names it.
std::string shown_path(const std::string& path) { return path.empty() ? "\"\"" : path; }

std::string resolve_script(const std::string& path) {
  std::filesystem::path p(path);
  if (p.is_absolute() || script_dirs().empty()) return path;
  std::filesystem::path beside = script_dirs().back() / p;
  if (std::filesystem::exists(beside)) return beside.string();
  return path;
}

// Runs one top-level expression in a frame of its own.
Value* run_top_level(TopLevel& t) {
  OutsideLoops own_expression;
  OneValueLocal frame(new Frame(t.slot_count, nullptr));
  try {
    return t.expr->eval(static_cast<Frame*>(frame.value));
  } catch (const FunctionReturn& r) {
    return r.value;
  }
}

// The listener line of the error being handled, C++ exceptions included.
std::string error_line() {
  try {
    rethrow_as_script_error();
  } catch (const MAXScriptException& e) {
    return e.message();
  }
}

// A syntax error met by evaluate_source: the reader's lines, raised as a script error.
class SourceSyntaxError : public MAXScriptException {
 public:
  explicit SourceSyntaxError(std::string text) : MAXScriptException(std::move(text)) {}
};

}  // namespace

void host_line(const std::string& text) { host::host_puts((text + "\n").c_str()); }

bool run_source(const std::string& source, const std::string& file_name, const RunOptions& options) {
  ScriptDir dir(file_name);
  ScriptReader reader(source);
  GlobalCell* last_result = global_cell(Name::intern(kLastResultName));
  bool clean = true;
  TopLevel t;
  while (true) {
    try {
      if (!reader.next(t)) break;
    } catch (...) {  // a C++ exception in the reader itself: nothing more can be read
      host_line(error_line());
      clean = false;
      break;
    }
    try {
      Value* result = run_top_level(t);
      if (options.echo) {
        assign_global(last_result, result);
        host_line(print_form(result));
      }
    } catch (const Interrupted&) {
      host_line(msg::kInterrupted);
      clean = false;
      break;
    } catch (...) {
      host_line(error_line());
      clean = false;
      if (!options.keep_going) break;
    }
  }
  if (!reader.error().empty() && (clean || options.keep_going)) {
    host_line(reader.error());
    clean = false;
  }
  thread_local_output()->flush();
  return clean;
}

bool run_file(const std::string& path, const RunOptions& options) {
  std::string text;
  if (!read_text(path, text)) {
    host_line(RuntimeError(msg::kCannotOpenScript, shown_path(path).c_str()).message());
    return false;
  }
  ScriptFile running(path);
  return run_source(text, path, options);
}

// Each top-level expression runs before the next is read: a syntax error
// stops the file there, after what came before it has run.
void file_in(const std::string& path) {
  std::string resolved = resolve_script(path);
  std::string text;
  if (!read_text(resolved, text)) throw RuntimeError(msg::kFileInCannotOpen, shown_path(path).c_str());
  ScriptDir dir(resolved);
  ScriptFile running(resolved);
  ScriptReader reader(text);
  TopLevel t;
  while (reader.next(t)) run_top_level(t);
  if (!reader.error().empty())
    throw RuntimeError(msg::kFileInSyntaxError, (path + "\n" + reader.error()).c_str());
}

const std::string* current_script_file() { return script_files().empty() ? nullptr : &script_files().back(); }

Value* evaluate_source(const std::string& source) {
  ScriptReader reader(source);
  Value* result = &ok;
  TopLevel t;
  while (reader.next(t)) result = run_top_level(t);
  if (!reader.error().empty()) throw SourceSyntaxError(reader.error());
  return result;
}

}  // namespace host::script

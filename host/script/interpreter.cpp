#include "interpreter.h"

#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

#include "../runtime/host_stream.h"
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

bool read_text(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

std::string resolve_script(const std::string& path) {
  std::filesystem::path p(path);
  if (p.is_absolute() || script_dirs().empty()) return path;
  std::filesystem::path beside = script_dirs().back() / p;
  if (std::filesystem::exists(beside)) return beside.string();
  return path;
}

// Runs one top-level expression in a frame of its own.
Value* run_top_level(TopLevel& t) {
  OneValueLocal frame(new Frame(t.slot_count, nullptr));
  try {
    return t.expr->eval(static_cast<Frame*>(frame.value));
  } catch (const FunctionReturn& r) {
    return r.value;
  } catch (const LoopExit&) {
    throw RuntimeError("exit outside of a loop");
  } catch (const LoopContinue&) {
    throw RuntimeError("continue outside of a loop");
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
  ParseResult parsed = parse(source);
  if (!parsed.program) {
    host_line(parsed.error);
    return false;
  }
  ScriptDir dir(file_name);
  bool clean = true;
  for (TopLevel& t : parsed.program->expressions) {
    try {
      Value* result = run_top_level(t);
      if (options.echo) host_line(print_form(result));
    } catch (const MAXScriptException& e) {
      host_line(e.message());
      clean = false;
      if (!options.keep_going) break;
    }
  }
  thread_local_output()->flush();
  return clean;
}

bool run_file(const std::string& path, const RunOptions& options) {
  std::string text;
  if (!read_text(path, text)) {
    host_line("-- Runtime error: Cannot open script file: " + path);
    return false;
  }
  return run_source(text, path, options);
}

void file_in(const std::string& path) {
  std::string resolved = resolve_script(path);
  std::string text;
  if (!read_text(resolved, text)) throw RuntimeError("fileIn: cannot open file: ", path.c_str());
  ParseResult parsed = parse(text);
  if (!parsed.program) throw RuntimeError("fileIn: syntax error in ", (path + "\n" + parsed.error).c_str());
  ScriptDir dir(resolved);
  for (TopLevel& t : parsed.program->expressions) run_top_level(t);
}

Value* evaluate_source(const std::string& source) {
  ParseResult parsed = parse(source);
  if (!parsed.program) throw SourceSyntaxError(parsed.error);
  Value* result = &ok;
  for (TopLevel& t : parsed.program->expressions) result = run_top_level(t);
  return result;
}

}  // namespace host::script

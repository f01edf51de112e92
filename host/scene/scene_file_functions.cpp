// Scene files for scripts: saveMaxFile, loadMaxFile, resetMaxFile and the
// read-only globals maxFileName and maxFilePath.
#include <string>

#include "../script/interpreter.h"
#include "host/checks.h"
#include "host/core_interface.h"
#include "host/globals.h"
#include "host/messages.h"
#include "host/scene_files.h"
#include "host/values.h"

namespace {

void report(const char* what, const std::string& path, const std::string& why) {
  host::script::host_line(std::string(what) + path + ": " + why);
}

// saveMaxFile <file> [clearNeedSaveFlag:] [useNewFile:] [quiet:]: true once
// the file is written; the keywords change nothing here (no prompts).
Value* save_max_file_cf(Value** arg_list, int count) {
  check_positional_count("saveMaxFile", 1, arg_list, count);
  std::string path = arg_list[0]->to_string();
  SceneFileResult done = SaveSceneFile(path.c_str());
  if (!done.ok) report(host::msg::kSaveFailed, path, done.error);
  return bool_result(done.ok);
}

// loadMaxFile <file> [useFileUnits:] [quiet:]: true once the file's scene
// replaced the current one; false, with the scene as it was, otherwise.
Value* load_max_file_cf(Value** arg_list, int count) {
  check_positional_count("loadMaxFile", 1, arg_list, count);
  std::string path = arg_list[0]->to_string();
  SceneFileResult done = LoadSceneFile(path.c_str());
  if (!done.ok) report(host::msg::kLoadFailed, path, done.error);
  return bool_result(done.ok);
}

// resetMaxFile [#noPrompt]: there is no prompt to skip.
Value* reset_max_file_cf(Value** arg_list, int count) {
  check_arg_count_at_most("resetMaxFile", 1, positional_count(arg_list, count));
  ResetScene();
  return &ok;
}

std::string::size_type name_start(const std::string& path) {
  std::string::size_type slash = path.find_last_of("/\\");
  return slash == std::string::npos ? 0 : slash + 1;
}

Value* max_file_name_getter() {
  const std::string& file = CurrentSceneFile();
  return new String(file.substr(name_start(file)).c_str());
}

Value* max_file_path_getter() {
  const std::string& file = CurrentSceneFile();
  return new String(file.substr(0, name_start(file)).c_str());
}

Value* read_only(Value*) { throw RuntimeError(host::msg::kReadOnlySystemGlobal); }

Primitive save_max_file_pf("saveMaxFile", save_max_file_cf);
Primitive load_max_file_pf("loadMaxFile", load_max_file_cf);
Primitive reset_max_file_pf("resetMaxFile", reset_max_file_cf);

struct SceneFileGlobals {
  SceneFileGlobals() {
    define_system_global("maxFileName", max_file_name_getter, read_only);
    define_system_global("maxFilePath", max_file_path_getter, read_only);
  }
} scene_file_globals;

}  // namespace

BOOL Interface::SaveToFile(const char* fname, BOOL, BOOL) { return SaveSceneFile(fname).ok ? TRUE : FALSE; }
BOOL Interface::LoadFromFile(const char* name, BOOL) { return LoadSceneFile(name).ok ? TRUE : FALSE; }
void Interface::FileReset(BOOL) { ResetScene(); }

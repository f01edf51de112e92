// getDir and setDir. The installation folder (#maxroot) is the listener's
// own; the user's folders lie under one base folder, HOST_USER_DIR or
// ~/.listener; the scripts folder can be chosen by itself.
#include "system_dirs.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "../runtime/lower_case.h"
#include "../runtime/runtime_internal.h"
#include "host/messages.h"
#include "host/paths.h"
#include "script_paths.h"

namespace host::script {

namespace {

namespace fs = std::filesystem;

std::string& scripts_override() {
  static std::string dir;
  return dir;
}

// Folders a script set with setDir, by lower-case name.
std::map<std::string, std::string>& set_dirs() {
  static std::map<std::string, std::string> dirs;
  return dirs;
}

std::string env(const char* name) {
  const char* v = std::getenv(name);
  return v ? v : "";
}

std::string install_root() {
  std::string root = env("HOST_MAX_ROOT");
  if (root.empty()) {
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    root = ec ? fs::current_path(ec).string() : exe.parent_path().string();
  }
  if (root.back() != '/') root += '/';
  return root;
}

std::string user_base() {
  std::string base = env("HOST_USER_DIR");
  if (!base.empty()) return base;
  std::string home = env("HOME");
  std::error_code ec;
  return (home.empty() ? fs::current_path(ec) : fs::path(home)).string() + "/.listener";
}

std::string scripts_dir() {
  if (!scripts_override().empty()) return scripts_override();
  std::string dir = env("HOST_SCRIPTS_DIR");
  return dir.empty() ? user_base() + "/scripts" : dir;
}

using host::lower;

// The user's folders: name -> folder under the base ("" for the base itself).
const std::map<std::string, std::string>& user_folders() {
  static const std::map<std::string, std::string> folders{
      {"autoback", "autoback"},
      {"defaults", "defaults"},
      {"downloads", "downloads"},
      {"export", "export"},
      {"expression", "express"},
      {"font", "fonts"},
      {"help", "help"},
      {"image", "images"},
      {"import", "import"},
      {"matlib", "materiallibraries"},
      {"maxdata", ""},
      {"maxstart", "scenes"},
      {"plugcfg", "plugcfg"},
      {"plugcfg_ln", "plugcfg"},
      {"preview", "previews"},
      {"proxies", "proxies"},
      {"renderpresets", "renderpresets"},
      {"scene", "scenes"},
      {"sound", "sounds"},
      {"ui", "ui"},
      {"ui_ln", "ui"},
      {"usericons", "usericons"},
      {"usermacros", "usermacros"},
      {"userscripts", "userscripts"},
      {"userstartupscripts", "userscripts/startup"},
      {"vpost", "vpost"},
      {"web", "downloads"},
  };
  return folders;
}

}  // namespace

bool folder_for(const std::string& name, std::string& folder, bool make) {
  auto set = set_dirs().find(name);
  if (set != set_dirs().end()) {
    folder = set->second;
    return true;
  }
  if (name == "maxroot") {
    folder = install_root();
    return true;
  }
  if (name == "temp") {
    folder = env("TMPDIR").empty() ? "/tmp" : env("TMPDIR");
    return true;
  }
  if (name == "scripts" || name == "startupscripts") {
    folder = scripts_dir() + (name == "startupscripts" ? "/startup" : "");
  } else {
    auto found = user_folders().find(name);
    if (found == user_folders().end()) return false;
    folder = found->second.empty() ? user_base() : user_base() + "/" + found->second;
  }
  // The user's folders are there when asked for, as they are after an installation.
  std::error_code ec;
  if (make) fs::create_directories(folder, ec);
  return true;
}

namespace {

std::string dir_name_arg(Value* v, const char* fn_name) {
  if (v->tag != &Name_class) throw TypeError(fn_name, v, &Name_class);
  return lower(v->to_string());
}

Value* get_dir_cf(Value** arg_list, int count) {
  check_arg_count("getDir", 1, count);
  std::string folder;
  if (!folder_for(dir_name_arg(arg_list[0], "getDir"), folder))
    throw RuntimeError(msg::kUnknownDirName, arg_list[0]);
  return new String(folder.c_str());
}

// setDir #export "path": true when the name is known and the folder exists.
Value* set_dir_cf(Value** arg_list, int count) {
  check_arg_count("setDir", 2, count);
  std::string name = dir_name_arg(arg_list[0], "setDir");
  std::string folder;
  if (name == "maxroot" || !folder_for(name, folder, false))
    throw RuntimeError(msg::kUnknownDirName, arg_list[0]);
  std::string path = arg_list[1]->to_string();
  std::error_code ec;
  if (!fs::is_directory(os_path(path), ec)) return &false_value;
  set_dirs()[name] = path;
  return &true_value;
}

Primitive get_dir_pf("getDir", get_dir_cf);
Primitive set_dir_pf("setDir", set_dir_cf);

}  // namespace

void set_scripts_dir(const std::string& dir) { scripts_override() = dir; }

}  // namespace host::script

IPathConfigMgr* IPathConfigMgr::GetPathConfigMgr() {
  static IPathConfigMgr manager;
  return &manager;
}

const char* IPathConfigMgr::GetDir(int which) const {
  static const char* const names[] = {
      "font",           "scene",
      "import",         "export",
      "help",           "expression",
      "preview",        "image",
      "sound",          "plugcfg",
      "maxstart",       "vpost",
      "drivers",        "autoback",
      "matlib",         "scripts",
      "startupscripts", "ui",
      "maxroot",        "temp",
      "userscripts",    "userstartupscripts",
      "maxdata",
  };
  // The texts handed out stay valid; a new one is kept only when a folder changed.
  static const char* given[std::size(names)] = {};
  std::string folder;
  if (which < 0 || which >= static_cast<int>(std::size(names)) ||
      !host::script::folder_for(names[which], folder))
    return "";
  const char*& text = given[which];
  if (text == nullptr || folder != text) text = save_string(folder.c_str());
  return text;
}

// Files and folders: existence, listings with wildcards, making folders,
// deleting, renaming and copying files, sizes, dates and attributes.
#include <fnmatch.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "../runtime/runtime_internal.h"
#include "file_stream.h"
#include "host/messages.h"
#include "script_paths.h"

namespace host::script {

namespace {

namespace fs = std::filesystem;

Value* new_string(const std::string& s) { return new String(s.c_str(), s.size()); }

fs::path path_arg(Value* v) { return fs::path(os_path(v->to_string())); }

bool key_flag(Value** arg_list, int count, const char* key, bool def) {
  Value* v = _get_key_arg_or_default(arg_list, count, Name::intern(key), nullptr);
  return v == nullptr ? def : v->to_bool();
}

// doesFileExist "a.txt": folders count as existing unless allowDirectory:false.
Value* does_file_exist_cf(Value** arg_list, int count) {
  check_positional_count("doesFileExist", 1, arg_list, count);
  std::error_code ec;
  fs::file_status st = fs::status(path_arg(arg_list[0]), ec);
  if (ec || !fs::exists(st)) return &false_value;
  return bool_result(!fs::is_directory(st) || key_flag(arg_list, count, "allowDirectory", true));
}

Value* does_directory_exist_cf(Value** arg_list, int count) {
  check_arg_count("doesDirectoryExist", 1, count);
  std::error_code ec;
  return bool_result(fs::is_directory(path_arg(arg_list[0]), ec));
}

std::string lower(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

// Lists what matches a wildcard path ("dir/*.ms", "c:\\data\\a?.txt"). Names
// come back with the folder part exactly as the script wrote it, sorted
// without regard to case as Windows lists them; folders end in the
// separator the pattern used.
Value* list_matches(Value** arg_list, int count, const char* fn_name, bool want_dirs) {
  check_positional_count(fn_name, 1, arg_list, count);
  std::string pattern = arg_list[0]->to_string();
  bool recurse = key_flag(arg_list, count, "recurse", false);
  std::size_t cut = pattern.find_last_of("/\\");
  std::string prefix = cut == std::string::npos ? "" : pattern.substr(0, cut + 1);
  std::string name_pattern = cut == std::string::npos ? pattern : pattern.substr(cut + 1);
  if (name_pattern == "*.*") name_pattern = "*";
  // Only * and ? are wildcards, as on Windows: brackets match themselves.
  std::string glob;
  for (char c : name_pattern) glob += c == '[' ? std::string("[[]") : std::string(1, c);
  char sep = cut == std::string::npos ? '/' : pattern[cut];

  std::vector<std::string> found;
  std::vector<std::string> folders{prefix};
  while (!folders.empty()) {
    std::string folder = folders.back();
    folders.pop_back();
    std::error_code ec;
    fs::directory_iterator it(folder.empty() ? fs::path(".") : fs::path(os_path(folder)), ec);
    if (ec) continue;
    std::vector<std::string> subfolders;
    for (const fs::directory_entry& e : it) {
      std::string name = e.path().filename().string();
      std::error_code type_ec;
      bool is_dir = e.is_directory(type_ec);
      if (is_dir && recurse) subfolders.push_back(folder + name + sep);
      if (is_dir != want_dirs) continue;
      if (fnmatch(glob.c_str(), name.c_str(), FNM_CASEFOLD | FNM_NOESCAPE) != 0) continue;
      found.push_back(folder + name + (is_dir ? std::string(1, sep) : ""));
    }
    std::sort(subfolders.begin(), subfolders.end(),
              [](const auto& a, const auto& b) { return lower(a) > lower(b); });
    folders.insert(folders.end(), subfolders.begin(), subfolders.end());
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) { return lower(a) < lower(b); });
  OneValueLocal result(new Array(0));
  for (const std::string& f : found) static_cast<Array*>(result.value)->append(new_string(f));
  return result.value;
}

Value* get_files_cf(Value** arg_list, int count) { return list_matches(arg_list, count, "getFiles", false); }
Value* get_directories_cf(Value** arg_list, int count) {
  return list_matches(arg_list, count, "getDirectories", true);
}

// makeDir "a/b/c": true when the folder is there afterwards; all:false makes
// only the last level.
Value* make_dir_cf(Value** arg_list, int count) {
  check_positional_count("makeDir", 1, arg_list, count);
  fs::path p = path_arg(arg_list[0]);
  std::error_code ec;
  if (key_flag(arg_list, count, "all", true))
    fs::create_directories(p, ec);
  else
    fs::create_directory(p, ec);
  return bool_result(fs::is_directory(p, ec));
}

Value* delete_file_cf(Value** arg_list, int count) {
  check_arg_count("deleteFile", 1, count);
  fs::path p = path_arg(arg_list[0]);
  std::error_code ec;
  if (fs::is_directory(fs::symlink_status(p, ec)) || is_open_in_script(p)) return &false_value;
  return bool_result(fs::remove(p, ec));
}

// Never replaces an existing file; across file systems the file is copied.
// Deleting, renaming and copying fail while a script stream has the file open.
Value* rename_file_cf(Value** arg_list, int count) {
  check_arg_count("renameFile", 2, count);
  fs::path from = path_arg(arg_list[0]), to = path_arg(arg_list[1]);
  std::error_code ec;
  if (!fs::exists(fs::symlink_status(from, ec)) || fs::exists(fs::symlink_status(to, ec)) ||
      is_open_in_script(from))
    return &false_value;
  fs::rename(from, to, ec);
  if (ec == std::errc::cross_device_link) {
    if (!fs::copy_file(from, to, fs::copy_options::none, ec)) return &false_value;
    fs::remove(from, ec);
  }
  return bool_result(!ec);
}

Value* copy_file_cf(Value** arg_list, int count) {
  check_arg_count("copyFile", 2, count);
  std::error_code ec;
  fs::path from = path_arg(arg_list[0]);
  if (!fs::is_regular_file(from, ec) || is_open_in_script(from)) return &false_value;
  return bool_result(fs::copy_file(from, path_arg(arg_list[1]), fs::copy_options::none, ec));
}

// Bytes in the file; 0 for what is no file.
Value* get_file_size_cf(Value** arg_list, int count) {
  check_arg_count("getFileSize", 1, count);
  std::error_code ec;
  std::uintmax_t size = fs::file_size(path_arg(arg_list[0]), ec);
  if (ec) return Integer::intern(0);
  return Integer::intern(static_cast<int>(std::min<std::uintmax_t>(size, 2147483647u)));
}

// Local time as Windows writes a short date and long time in US English:
// "1/29/2024 1:52:05 PM". Empty for a path that names nothing.
Value* get_file_mod_date_cf(Value** arg_list, int count) {
  check_arg_count("getFileModDate", 1, count);
  struct stat st {};
  if (stat(path_arg(arg_list[0]).c_str(), &st) != 0) return new String("");
  std::time_t when = st.st_mtim.tv_sec;
  std::tm local{};
  localtime_r(&when, &local);
  int hour12 = local.tm_hour % 12 == 0 ? 12 : local.tm_hour % 12;
  char text[64];
  std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
                local.tm_year + 1900, hour12, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
  return new String(text);
}

// getFileAttribute "a.txt" #readOnly: the Windows attributes that have a
// meaning here; the others are false.
Value* get_file_attribute_cf(Value** arg_list, int count) {
  check_arg_count("getFileAttribute", 2, count);
  fs::path p = path_arg(arg_list[0]);
  std::error_code ec;
  fs::file_status st = fs::status(p, ec);
  if (ec || !fs::exists(st)) return &false_value;
  Value* which = arg_list[1];
  constexpr fs::perms kWrite = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  bool read_only = (st.permissions() & kWrite) == fs::perms::none;
  bool hidden = p.filename().string().starts_with(".");
  if (which == Name::intern("readOnly")) return bool_result(read_only);
  if (which == Name::intern("hidden")) return bool_result(hidden);
  if (which == Name::intern("directory")) return bool_result(fs::is_directory(st));
  if (which == Name::intern("normal")) return bool_result(!fs::is_directory(st) && !hidden && !read_only);
  return &false_value;
}

Value* current_dir_getter() {
  std::error_code ec;
  fs::path p = fs::current_path(ec);
  return new_string(ec ? std::string() : p.string());
}

Value* current_dir_setter(Value* v) {
  if (chdir(os_path(v->to_string()).c_str()) != 0) throw RuntimeError(msg::kCannotChangeDir, v);
  return v;
}

Primitive does_file_exist_pf("doesFileExist", does_file_exist_cf);
Primitive does_directory_exist_pf("doesDirectoryExist", does_directory_exist_cf);
Primitive get_files_pf("getFiles", get_files_cf);
Primitive get_directories_pf("getDirectories", get_directories_cf);
Primitive make_dir_pf("makeDir", make_dir_cf);
Primitive delete_file_pf("deleteFile", delete_file_cf);
Primitive rename_file_pf("renameFile", rename_file_cf);
Primitive copy_file_pf("copyFile", copy_file_cf);
Primitive get_file_size_pf("getFileSize", get_file_size_cf);
Primitive get_file_mod_date_pf("getFileModDate", get_file_mod_date_cf);
Primitive get_file_attribute_pf("getFileAttribute", get_file_attribute_cf);

struct FileGlobals {
  FileGlobals() { define_struct_global("currentdir", "sysInfo", current_dir_getter, current_dir_setter); }
} file_globals;

}  // namespace

}  // namespace host::script

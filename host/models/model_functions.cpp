// importFile and exportFile for scripts, and the exporter classes that
// exportFile's using: names.
#include <string>

#include "../script/interpreter.h"
#include "../script/script_paths.h"
#include "host/checks.h"
#include "host/classes.h"
#include "host/messages.h"
#include "host/values.h"
#include "model_files.h"

namespace {

ValueMetaClass ObjExp_class("ObjExp");
ValueMetaClass GLTF_Export_class("GLTF_Export");
ValueMetaClass PLY_Export_class("PLY_Export");
ValueMetaClass STL_Export_class("STL_Export");

// The Assimp format of an exporter class, for a file of that name.
std::string format_of_class(Value* exporter, const std::string& path) {
  if (exporter == &ObjExp_class) return "obj";
  if (exporter == &PLY_Export_class) return "ply";
  if (exporter == &STL_Export_class) return "stl";
  if (exporter == &GLTF_Export_class)
    return host::models::export_format_for(path) == "glb2" ? "glb2" : "gltf2";
  return "";
}

void report(const char* what, const std::string& path, const std::string& why) {
  host::script::host_line(std::string(what) + path + ": " + why);
}

// importFile <file> [#noPrompt] [using:<class>]: true once the file's meshes
// are in the scene. Assimp tells the format from the file itself.
Value* import_file_cf(Value** arg_list, int count) {
  check_arg_count_range("importFile", 1, 2, positional_count(arg_list, count));
  std::string path = arg_list[0]->to_string();
  host::models::Outcome done = host::models::import_model_file(host::script::os_path(path));
  if (!done.ok) report(host::msg::kImportFailed, path, done.error);
  return bool_result(done.ok);
}

// exportFile <file> [#noPrompt] [selectedOnly:<bool>] [using:<class>]: true
// once the file is written. The format comes from using: or the extension.
Value* export_file_cf(Value** arg_list, int count) {
  check_arg_count_range("exportFile", 1, 2, positional_count(arg_list, count));
  std::string path = arg_list[0]->to_string();
  static Value* using_key = Name::intern("using");
  static Value* selected_key = Name::intern("selectedOnly");
  Value* exporter = _get_key_arg_or_default(arg_list, count, using_key, nullptr);
  bool selected_only = _get_key_arg_or_default(arg_list, count, selected_key, &false_value)->to_bool();

  std::string format =
      exporter != nullptr ? format_of_class(exporter, path) : host::models::export_format_for(path);
  if (format.empty()) {
    report(host::msg::kExportFailed, path, host::msg::kNoExporter);
    return &false_value;
  }
  host::models::Outcome done =
      host::models::export_model_file(host::script::os_path(path), format, selected_only);
  if (!done.ok) report(host::msg::kExportFailed, path, done.error);
  return bool_result(done.ok);
}

Primitive import_file_pf("importFile", import_file_cf);
Primitive export_file_pf("exportFile", export_file_cf);

}  // namespace

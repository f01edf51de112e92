// String values of the Windows registry for scripts: GetRegistrySetting and
// SetRegistrySetting. A key that does not exist reads as undefined; any
// other failure of the system is raised with its own text.
#include <windows.h>

#include <cstring>
#include <vector>

#include "messages.h"
#include "names.h"
#include "windows_error.h"
#include "zentu_functions.h"

namespace {

// An open registry key, closed however the call ends.
struct OpenKey {
  HKEY key = nullptr;
  ~OpenKey() {
    if (key != nullptr) RegCloseKey(key);
  }
};

HKEY readable_root(Value* name) {
  if (name == zentu_names.hkey_classes_root) return HKEY_CLASSES_ROOT;
  if (name == zentu_names.hkey_current_config) return HKEY_CURRENT_CONFIG;
  if (name == zentu_names.hkey_current_user) return HKEY_CURRENT_USER;
  if (name == zentu_names.hkey_local_machine) return HKEY_LOCAL_MACHINE;
  if (name == zentu_names.hkey_users) return HKEY_USERS;
  throw RuntimeError(zentu::msg::kUnknownRootKey, name);
}

// Scripts may create keys only under the roots of the user's own settings.
HKEY writable_root(Value* name) {
  if (name == zentu_names.hkey_classes_root) return HKEY_CLASSES_ROOT;
  if (name == zentu_names.hkey_current_config) return HKEY_CURRENT_CONFIG;
  if (name == zentu_names.hkey_current_user) return HKEY_CURRENT_USER;
  if (name == zentu_names.hkey_local_machine || name == zentu_names.hkey_users)
    throw RuntimeError(zentu::msg::kCannotCreateKeys, name);
  throw RuntimeError(zentu::msg::kUnknownRootKey, name);
}

}  // namespace

Value* GetRegistrySetting_cf(Value** arg_list, int count) {
  check_arg_count("GetRegistrySetting", 3, count);
  check_exact_class(arg_list[0], &Name_class, "GetRegistrySetting");
  HKEY root = readable_root(arg_list[0]);
  const char* sub_key = arg_list[1]->to_string();
  const char* value_name = arg_list[2]->to_string();

  OpenKey opened;
  LONG result = RegOpenKeyExA(root, sub_key, 0, KEY_QUERY_VALUE, &opened.key);
  if (result == ERROR_FILE_NOT_FOUND) return &undefined;
  if (result != ERROR_SUCCESS) RaiseWindowsError(static_cast<DWORD>(result));

  DWORD size = 0;
  result = RegQueryValueExA(opened.key, value_name, nullptr, nullptr, nullptr, &size);
  if (result != ERROR_SUCCESS) RaiseWindowsError(static_cast<DWORD>(result));
  // One zero byte more than asked for: the text ends even if the value's data does not.
  std::vector<BYTE> data(static_cast<std::size_t>(size) + 1, 0);
  DWORD type = REG_NONE;
  result = RegQueryValueExA(opened.key, value_name, nullptr, &type, data.data(), &size);
  RegCloseKey(opened.key);
  opened.key = nullptr;
  if (result != ERROR_SUCCESS) RaiseWindowsError(static_cast<DWORD>(result));
  if (type != REG_SZ) throw RuntimeError(zentu::msg::kUnsupportedValueType);
  const char* text = reinterpret_cast<const char*>(data.data());
  return new String(text, strnlen(text, size));
}

Value* SetRegistrySetting_cf(Value** arg_list, int count) {
  check_arg_count("SetRegistrySetting", 4, count);
  check_exact_class(arg_list[0], &Name_class, "SetRegistrySetting");
  HKEY root = writable_root(arg_list[0]);
  const char* sub_key = arg_list[1]->to_string();
  const char* value_name = arg_list[2]->to_string();
  if (arg_list[3]->tag != &String_class) throw RuntimeError(zentu::msg::kUnsupportedValueTypeOf, arg_list[3]);
  const char* text = arg_list[3]->to_string();

  OpenKey created;
  DWORD disposition = 0;
  LONG result = RegCreateKeyExA(root, sub_key, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                &created.key, &disposition);
  if (result != ERROR_SUCCESS) RaiseWindowsError(static_cast<DWORD>(result));
  result = RegSetValueExA(created.key, value_name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1));
  RegCloseKey(created.key);
  created.key = nullptr;
  if (result != ERROR_SUCCESS) RaiseWindowsError(static_cast<DWORD>(result));
  return &true_value;
}

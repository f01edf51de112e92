#include <windows.h>

#include "registry_store.h"

#include <cstring>
#include <mutex>
#include <set>
#include <string>

using winapi::KeyName;
using winapi::RegistryValue;

namespace {

constexpr std::size_t kMaxKeyPartLength = 255;
constexpr std::size_t kMaxValueNameLength = 16383;

struct OpenKey {
  KeyName name;
  REGSAM access;
};

struct OpenKeys {
  std::mutex lock;
  std::set<OpenKey*> keys;
};

OpenKeys& open_keys() {
  static OpenKeys table;
  return table;
}

bool is_predefined_root(HKEY key) {
  auto value = reinterpret_cast<std::uintptr_t>(key);
  return value == 0x80000000 || value == 0x80000001 || value == 0x80000002 || value == 0x80000003 ||
         value == 0x80000005;
}

// Looks up a handle: a predefined root or a key this process opened.
bool resolve(HKEY key, OpenKey& out) {
  if (is_predefined_root(key)) {
    out = OpenKey{KeyName{static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(key)), {}}, KEY_ALL_ACCESS};
    return true;
  }
  auto& table = open_keys();
  std::lock_guard guard(table.lock);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (table.keys.count(open) == 0) return false;
  out = *open;
  return true;
}

// Appends a relative key path to a key's path. Empty parts (a leading '\' or
// "\\") make the path invalid; one trailing '\' is allowed.
LONG join_path(const std::string& base, LPCSTR subKey, std::string& out) {
  out = base;
  if (subKey == nullptr) return ERROR_SUCCESS;
  std::string rest(subKey);
  if (!rest.empty() && rest.back() == '\\') rest.pop_back();
  if (rest.empty()) return *subKey == '\0' ? ERROR_SUCCESS : ERROR_BAD_PATHNAME;
  std::size_t start = 0;
  for (;;) {
    std::size_t end = rest.find('\\', start);
    std::size_t length = (end == std::string::npos ? rest.size() : end) - start;
    if (length == 0) return ERROR_BAD_PATHNAME;
    if (length > kMaxKeyPartLength) return ERROR_INVALID_PARAMETER;
    if (!out.empty()) out += '\\';
    out.append(rest, start, length);
    if (end == std::string::npos) return ERROR_SUCCESS;
    start = end + 1;
  }
}

HKEY new_handle(const KeyName& name, REGSAM access) {
  auto& table = open_keys();
  std::lock_guard guard(table.lock);
  auto* open = new OpenKey{name, access};
  table.keys.insert(open);
  return reinterpret_cast<HKEY>(open);
}

std::string value_name(LPCSTR name) { return name ? std::string(name) : std::string(); }

}  // namespace

LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM access, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey parent;
  if (!resolve(key, parent)) return ERROR_INVALID_HANDLE;
  KeyName name{parent.name.root, {}};
  if (LONG rc = join_path(parent.name.path, subKey, name.path); rc != ERROR_SUCCESS) return rc;
  if (LONG rc = winapi::store_key_exists(name); rc != ERROR_SUCCESS) return rc;
  *result = new_handle(name, access);
  return ERROR_SUCCESS;
}

LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM access, const SECURITY_ATTRIBUTES*,
                     PHKEY result, LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  OpenKey parent;
  if (!resolve(key, parent)) return ERROR_INVALID_HANDLE;
  if (subKey == nullptr) return ERROR_BAD_PATHNAME;
  if ((parent.access & KEY_CREATE_SUB_KEY) == 0) return ERROR_ACCESS_DENIED;
  KeyName name{parent.name.root, {}};
  if (LONG rc = join_path(parent.name.path, subKey, name.path); rc != ERROR_SUCCESS) return rc;
  bool created = false;
  if (LONG rc = winapi::store_create_key(name, created); rc != ERROR_SUCCESS) return rc;
  if (disposition) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  *result = new_handle(name, access);
  return ERROR_SUCCESS;
}

LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize) {
  if (reserved != nullptr || (data != nullptr && dataSize == nullptr)) {
    return ERROR_INVALID_PARAMETER;
  }
  OpenKey open;
  if (!resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_QUERY_VALUE) == 0) return ERROR_ACCESS_DENIED;
  RegistryValue value;
  if (LONG rc = winapi::store_get_value(open.name, value_name(valueName), value); rc != ERROR_SUCCESS) {
    return rc;
  }
  if (type) *type = value.type;
  const auto size = static_cast<DWORD>(value.data.size());
  if (dataSize == nullptr) return ERROR_SUCCESS;
  const DWORD room = *dataSize;
  *dataSize = size;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < size) return ERROR_MORE_DATA;
  if (size > 0) std::memcpy(data, value.data.data(), size);
  return ERROR_SUCCESS;
}

LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data, DWORD dataSize) {
  OpenKey open;
  if (!resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  std::string name = value_name(valueName);
  if (name.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
  if (data == nullptr && dataSize != 0) return ERROR_INVALID_PARAMETER;
  if (type == REG_DWORD && dataSize != sizeof(DWORD)) return ERROR_INVALID_PARAMETER;
  RegistryValue value{type, {}};
  if (dataSize > 0) value.data.assign(data, data + dataSize);
  return winapi::store_set_value(open.name, name, value);
}

LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
  OpenKey open;
  if (!resolve(key, open)) return ERROR_INVALID_HANDLE;
  if ((open.access & KEY_SET_VALUE) == 0) return ERROR_ACCESS_DENIED;
  return winapi::store_delete_value(open.name, value_name(valueName));
}

LONG RegCloseKey(HKEY key) {
  if (is_predefined_root(key)) return ERROR_SUCCESS;
  auto& table = open_keys();
  std::lock_guard guard(table.lock);
  auto* open = reinterpret_cast<OpenKey*>(key);
  if (table.keys.erase(open) == 0) return ERROR_INVALID_HANDLE;
  delete open;
  return ERROR_SUCCESS;
}

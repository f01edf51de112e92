// The registry's database: keys and typed values in an SQLite file. Each
// operation is one transaction; the results are Win32 error codes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace winapi {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::vector<BYTE> data;
};

// A key is named by its root's handle value and its path below the root, the
// path's parts joined with '\'. The root itself has the empty path.
struct KeyName {
  DWORD root = 0;
  std::string path;
};

LONG store_key_exists(const KeyName& key);
// Creates the key and every missing key above it; `created` tells whether the
// key itself was new.
LONG store_create_key(const KeyName& key, bool& created);
LONG store_get_value(const KeyName& key, const std::string& name, RegistryValue& value);
LONG store_set_value(const KeyName& key, const std::string& name, const RegistryValue& value);
LONG store_delete_value(const KeyName& key, const std::string& name);

// The database file in use: $WINAPI_REGISTRY, else under the user's config
// directory.
std::string registry_database_path();

}  // namespace winapi

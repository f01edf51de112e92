// Writes or shows one value under HKEY_CURRENT_USER, for the tests of what
// scripts read and write:
//   registry_value set <key> <name> sz|expand_sz|dword <data>
//   registry_value show <key> <name>     prints "<type> <size> <data bytes in hex>"
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

int set_value(const char* sub_key, const char* name, const std::string& type, const char* data) {
  HKEY key = nullptr;
  LONG rc =
      RegCreateKeyExA(HKEY_CURRENT_USER, sub_key, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
  if (type == "dword") {
    DWORD number = static_cast<DWORD>(std::strtoul(data, nullptr, 0));
    rc = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number), sizeof number);
  } else {
    DWORD kind = type == "expand_sz" ? REG_EXPAND_SZ : REG_SZ;
    rc = RegSetValueExA(key, name, 0, kind, reinterpret_cast<const BYTE*>(data),
                        static_cast<DWORD>(std::strlen(data) + 1));
  }
  RegCloseKey(key);
  return static_cast<int>(rc);
}

int show_value(const char* sub_key, const char* name) {
  HKEY key = nullptr;
  LONG rc = RegOpenKeyExA(HKEY_CURRENT_USER, sub_key, 0, KEY_QUERY_VALUE, &key);
  if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
  DWORD type = 0, size = 0;
  rc = RegQueryValueExA(key, name, nullptr, &type, nullptr, &size);
  std::vector<BYTE> data(size);
  if (rc == ERROR_SUCCESS) rc = RegQueryValueExA(key, name, nullptr, &type, data.data(), &size);
  RegCloseKey(key);
  if (rc != ERROR_SUCCESS) return static_cast<int>(rc);
  std::printf("%u %u", static_cast<unsigned>(type), static_cast<unsigned>(size));
  if (size > 0) std::printf(" ");
  for (DWORD i = 0; i < size; ++i) std::printf("%02x", data[i]);
  std::printf("\n");
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 6 && std::strcmp(argv[1], "set") == 0) return set_value(argv[2], argv[3], argv[4], argv[5]);
  if (argc == 4 && std::strcmp(argv[1], "show") == 0) return show_value(argv[2], argv[3]);
  std::fprintf(stderr,
               "usage: registry_value set <key> <name> sz|expand_sz|dword <data>\n"
               "       registry_value show <key> <name>\n");
  return 2;
}

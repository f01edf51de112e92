// Writes registry values in a loop, for the tests of concurrent and killed
// writers: registry_writer <key> <prefix> <count>. After each value is written
// it prints its number, so that the test knows what was committed.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: registry_writer <key> <prefix> <count>\n");
    return 2;
  }
  HKEY key = nullptr;
  LONG rc =
      RegCreateKeyExA(HKEY_CURRENT_USER, argv[1], 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
  if (rc != ERROR_SUCCESS) {
    std::fprintf(stderr, "create failed: %ld\n", static_cast<long>(rc));
    return 1;
  }
  const int count = std::atoi(argv[3]);
  for (int i = 0; i < count; ++i) {
    std::string name = std::string(argv[2]) + std::to_string(i);
    std::string data = "value of " + name;
    rc = RegSetValueExA(key, name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                        static_cast<DWORD>(data.size() + 1));
    if (rc != ERROR_SUCCESS) {
      std::fprintf(stderr, "write %d failed: %ld\n", i, static_cast<long>(rc));
      RegCloseKey(key);
      return 1;
    }
    std::printf("%d\n", i);
    std::fflush(stdout);
  }
  RegCloseKey(key);
  return 0;
}

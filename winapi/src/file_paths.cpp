#include <windows.h>

#include <cctype>
#include <cstdlib>

std::string NativePathFromWindows(const char* windows_path) {
  std::string path = windows_path ? windows_path : "";
  std::string prefix;
  if (path.size() >= 2 && path[1] == ':' && std::isalpha(static_cast<unsigned char>(path[0]))) {
    std::string variable = "WINAPI_DRIVE_";
    variable += static_cast<char>(std::toupper(static_cast<unsigned char>(path[0])));
    const char* root = std::getenv(variable.c_str());
    prefix = root != nullptr ? root : "";
    path.erase(0, 2);
  }
  for (char& c : path)
    if (c == '\\') c = '/';
  if (!prefix.empty() && prefix.back() == '/' && !path.empty() && path.front() == '/') prefix.pop_back();
  return prefix + path;
}

std::FILE* WinFopen(const char* windows_path, const char* mode) {
  return std::fopen(NativePathFromWindows(windows_path).c_str(), mode);
}

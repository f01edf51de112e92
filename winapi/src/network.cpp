#include <windows.h>

#include <unistd.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

namespace {

struct Mount {
  std::string point;   // where it is mounted
  std::string type;    // file-system type
  std::string source;  // what is mounted, e.g. //server/share/dir
};

// mountinfo escapes blanks, tabs, newlines and backslashes as \ooo.
std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    auto octal = [&](std::size_t at) { return text[at] >= '0' && text[at] <= '7'; };
    if (text[i] == '\\' && i + 3 < text.size() && octal(i + 1) && octal(i + 2) && octal(i + 3)) {
      out += static_cast<char>((text[i + 1] - '0') * 64 + (text[i + 2] - '0') * 8 + (text[i + 3] - '0'));
      i += 3;
    } else {
      out += text[i];
    }
  }
  return out;
}

// One line: id parent major:minor root mount-point options [fields...] - type source options
bool parse_line(const std::string& line, Mount& mount) {
  std::istringstream in(line);
  std::string id, parent, device, root, point, options, field;
  if (!(in >> id >> parent >> device >> root >> point >> options)) return false;
  while (in >> field && field != "-") {
  }
  if (field != "-") return false;
  std::string type, source;
  if (!(in >> type >> source)) return false;
  mount = Mount{unescape(point), type, unescape(source)};
  return true;
}

std::string mount_table_path() {
  const char* path = std::getenv("WINAPI_MOUNTINFO");
  return (path != nullptr && *path != '\0') ? path : "/proc/self/mountinfo";
}

// Makes a path absolute and drops "." parts, doubled and trailing slashes.
std::string absolute(const std::string& path) {
  std::string full = path;
  if (full.empty() || full[0] != '/') {
    char* cwd = ::getcwd(nullptr, 0);
    if (cwd == nullptr) return {};
    full = std::string(cwd) + "/" + full;
    std::free(cwd);
  }
  std::string out;
  std::istringstream parts(full);
  std::string part;
  while (std::getline(parts, part, '/')) {
    if (part.empty() || part == ".") continue;
    out += "/" + part;
  }
  return out.empty() ? "/" : out;
}

bool under(const std::string& path, const std::string& point) {
  if (point == "/") return true;
  return path.compare(0, point.size(), point) == 0 &&
         (path.size() == point.size() || path[point.size()] == '/');
}

bool is_network_share(const std::string& type) { return type == "cifs" || type == "smb3" || type == "smbfs"; }

std::string to_backslashes(std::string text) {
  for (char& c : text) {
    if (c == '/') c = '\\';
  }
  return text;
}

}  // namespace

DWORD WNetGetUniversalNameA(LPCSTR localPath, DWORD infoLevel, LPVOID buffer, LPDWORD bufferSize) {
  if (localPath == nullptr || bufferSize == nullptr || (buffer == nullptr && *bufferSize != 0)) {
    return ERROR_INVALID_PARAMETER;
  }
  if (infoLevel != UNIVERSAL_NAME_INFO_LEVEL) return ERROR_NOT_SUPPORTED;
  const std::string path = absolute(localPath);
  if (path.empty()) return ERROR_NOT_CONNECTED;

  // The innermost mount that holds the path decides.
  std::ifstream table(mount_table_path());
  if (!table) return ERROR_NOT_CONNECTED;
  Mount best;
  bool found = false;
  for (std::string line; std::getline(table, line);) {
    Mount mount;
    if (!parse_line(line, mount) || !under(path, mount.point)) continue;
    if (!found || mount.point.size() >= best.point.size()) {
      best = mount;
      found = true;
    }
  }
  if (!found || !is_network_share(best.type)) return ERROR_NOT_CONNECTED;

  std::string share = best.source;
  while (!share.empty() && share.back() == '/') share.pop_back();
  std::string rest = best.point == "/" ? path : path.substr(best.point.size());
  std::string name = to_backslashes(share + rest);
  if (name.rfind("\\\\", 0) != 0) return ERROR_NOT_CONNECTED;

  const std::size_t needed = sizeof(UNIVERSAL_NAME_INFOA) + name.size() + 1;
  if (*bufferSize < needed) {
    *bufferSize = static_cast<DWORD>(needed);
    return ERROR_MORE_DATA;
  }
  // The record's one field points at the text that follows it in the buffer.
  char* text = static_cast<char*>(buffer) + sizeof(UNIVERSAL_NAME_INFOA);
  std::memcpy(text, name.c_str(), name.size() + 1);
  UNIVERSAL_NAME_INFOA info{text};
  std::memcpy(buffer, &info, sizeof info);
  return ERROR_SUCCESS;
}

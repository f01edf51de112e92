#include <windows.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <mutex>
#include <set>
#include <string>

#include "errno_map.h"

namespace {

constexpr int kFacilityUser = 1;
constexpr std::size_t kMaxMessage = 8192;

// One registered source: its name and a datagram socket connected to the log.
class EventSource {
 public:
  explicit EventSource(std::string name) : name_(std::move(name)) {}
  ~EventSource() {
    if (socket_ >= 0) ::close(socket_);
  }
  EventSource(const EventSource&) = delete;
  EventSource& operator=(const EventSource&) = delete;

  // Connects to the log socket; errno tells why it failed.
  bool connect_log() {
    if (socket_ >= 0) ::close(socket_);
    socket_ = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (socket_ < 0) return false;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::string path = socket_path();
    if (path.size() >= sizeof address.sun_path) {
      errno = ENAMETOOLONG;
      return false;
    }
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    if (::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      int saved = errno;
      ::close(socket_);
      socket_ = -1;
      errno = saved;
      return false;
    }
    return true;
  }

  // Sends one message; reconnects once when the log was restarted.
  bool send(int severity, const std::string& text) {
    std::string line = format(severity, text);
    std::lock_guard guard(lock_);
    for (int attempt = 0; attempt < 2; ++attempt) {
      // A stalled log drops the message rather than stall the program.
      if (socket_ >= 0 && ::send(socket_, line.data(), line.size(), MSG_NOSIGNAL | MSG_DONTWAIT) >= 0) {
        return true;
      }
      if (errno == EAGAIN) return false;
      if (!connect_log()) return false;
    }
    return false;
  }

 private:
  static std::string socket_path() {
    const char* path = std::getenv("WINAPI_SYSLOG_SOCKET");
    return (path != nullptr && *path != '\0') ? path : "/dev/log";
  }

  // A classic syslog line: "<PRI>Mmm dd hh:mm:ss source[pid]: text".
  std::string format(int severity, const std::string& text) const {
    char stamp[32] = "";
    std::time_t now = std::time(nullptr);
    std::tm local{};
    if (localtime_r(&now, &local) != nullptr) std::strftime(stamp, sizeof stamp, "%b %e %T", &local);
    std::string line = "<" + std::to_string(kFacilityUser * 8 + severity) + ">" + stamp + " " + name_ + "[" +
                       std::to_string(::getpid()) + "]: " + text;
    return line;
  }

  std::string name_;
  int socket_ = -1;
  std::mutex lock_;
};

struct Sources {
  std::mutex lock;
  std::set<EventSource*> open;
};

Sources& sources() {
  static Sources s;
  return s;
}

int severity_of(WORD type) {
  switch (type) {
    case EVENTLOG_ERROR_TYPE:
    case EVENTLOG_AUDIT_FAILURE:
      return 3;  // err
    case EVENTLOG_WARNING_TYPE:
      return 4;  // warning
    case EVENTLOG_AUDIT_SUCCESS:
      return 5;  // notice
    default:
      return 6;  // info
  }
}

}  // namespace

HANDLE RegisterEventSourceA(LPCSTR serverName, LPCSTR sourceName) {
  if (serverName != nullptr && *serverName != '\0') {
    SetLastError(ERROR_NOT_SUPPORTED);  // no remote event logs
    return nullptr;
  }
  if (sourceName == nullptr || *sourceName == '\0') {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto source = std::make_unique<EventSource>(sourceName);
  if (!source->connect_log()) {
    SetLastError(winapi::win32_error_from_errno(errno));
    return nullptr;
  }
  auto& s = sources();
  std::lock_guard guard(s.lock);
  s.open.insert(source.get());
  return source.release();
}

BOOL ReportEventA(HANDLE eventLog, WORD type, WORD, DWORD, PSID, WORD numStrings, DWORD, LPCSTR* strings,
                  LPVOID) {
  auto* source = static_cast<EventSource*>(eventLog);
  std::string text;
  for (WORD i = 0; strings != nullptr && i < numStrings; ++i) {
    if (strings[i] == nullptr) continue;
    if (!text.empty()) text += ' ';
    text += strings[i];
  }
  if (text.size() > kMaxMessage) text.resize(kMaxMessage);
  auto& s = sources();
  std::lock_guard guard(s.lock);  // keeps the source open while it sends
  if (source == nullptr || s.open.count(source) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  if (!source->send(severity_of(type), text)) {
    SetLastError(winapi::win32_error_from_errno(errno));
    return FALSE;
  }
  return TRUE;
}

BOOL DeregisterEventSource(HANDLE eventLog) {
  auto* source = static_cast<EventSource*>(eventLog);
  auto& s = sources();
  std::lock_guard guard(s.lock);
  if (source == nullptr || s.open.erase(source) == 0) {
    SetLastError(ERROR_INVALID_HANDLE);
    return FALSE;
  }
  delete source;
  return TRUE;
}

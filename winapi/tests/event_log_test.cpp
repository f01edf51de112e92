// The event log writes to a syslog socket; here the test itself is the
// receiver, bound to a socket in a temporary folder.
#include <windows.h>

#include "temp_dir.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <optional>
#include <regex>
#include <string>

namespace {

class SyslogReceiver {
 public:
  explicit SyslogReceiver(const std::string& path) : path_(path) {
    fd_ = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    if (bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      close(fd_);
      fd_ = -1;
    }
  }
  ~SyslogReceiver() {
    if (fd_ >= 0) close(fd_);
    unlink(path_.c_str());
  }
  bool ok() const { return fd_ >= 0; }
  // The next datagram; nothing if none came within the guard time.
  std::optional<std::string> next(int timeout_ms = 5000) {
    pollfd p{fd_, POLLIN, 0};
    if (poll(&p, 1, timeout_ms) <= 0) return std::nullopt;
    char buffer[65536];
    ssize_t got = recv(fd_, buffer, sizeof buffer, 0);
    if (got < 0) return std::nullopt;
    return std::string(buffer, static_cast<std::size_t>(got));
  }
  // Whether a datagram is waiting right now.
  bool pending() {
    pollfd p{fd_, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
  }

 private:
  std::string path_;
  int fd_ = -1;
};

class EventLogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    socket_path_ = dir_.file("log");
    setenv("WINAPI_SYSLOG_SOCKET", socket_path_.c_str(), 1);
  }
  void TearDown() override { unsetenv("WINAPI_SYSLOG_SOCKET"); }
  test_support::TempDir dir_;
  std::string socket_path_;
};

// "<PRI>Mmm dd hh:mm:ss Source[pid]: message"
std::string expected_pattern(int priority, const std::string& source, const std::string& message) {
  return "<" + std::to_string(priority) + ">[A-Z][a-z]{2} [ 0-9]\\d \\d\\d:\\d\\d:\\d\\d " + source + "\\[" +
         std::to_string(getpid()) + "\\]: " + message;
}

TEST_F(EventLogTest, EventsArriveUnderTheSourceAtTheirLevel) {
  SyslogReceiver receiver(socket_path_);
  ASSERT_TRUE(receiver.ok());
  HANDLE source = RegisterEventSourceA(nullptr, "Hotbind");
  ASSERT_NE(source, nullptr);

  struct Case {
    WORD type;
    int priority;  // user facility (8) + severity
    const char* text;
  };
  for (const Case& c : {Case{EVENTLOG_ERROR_TYPE, 11, "Shortcut ' Shortcut 01' failed."},
                        Case{EVENTLOG_WARNING_TYPE, 12, "a warning"},
                        Case{EVENTLOG_INFORMATION_TYPE, 14, "for your information"}}) {
    LPCSTR strings[] = {c.text};
    ASSERT_TRUE(ReportEventA(source, c.type, 0, 1, nullptr, 1, 0, strings, nullptr));
    auto message = receiver.next();
    ASSERT_TRUE(message.has_value());
    std::string escaped = std::regex_replace(c.text, std::regex(R"([.'\[\]()])"), R"(\$&)");
    EXPECT_TRUE(std::regex_match(*message, std::regex(expected_pattern(c.priority, "Hotbind", escaped))))
        << *message;
  }
  LPCSTR two[] = {"first", "second"};
  ASSERT_TRUE(ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 2, 0, two, nullptr));
  auto joined = receiver.next();
  ASSERT_TRUE(joined.has_value());
  EXPECT_TRUE(joined->ends_with("]: first second")) << *joined;
  EXPECT_TRUE(DeregisterEventSource(source));
}

TEST_F(EventLogTest, LongMessagesAreCutNotOverrun) {
  SyslogReceiver receiver(socket_path_);
  HANDLE source = RegisterEventSourceA(nullptr, "Long");
  ASSERT_NE(source, nullptr);
  std::string text(100000, 'm');
  LPCSTR strings[] = {text.c_str()};
  ASSERT_TRUE(ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr));
  auto message = receiver.next();
  ASSERT_TRUE(message.has_value());
  EXPECT_TRUE(message->ends_with("]: " + std::string(8192, 'm')));
  DeregisterEventSource(source);
}

TEST_F(EventLogTest, NoLogMeansNoHandleAndReportsWithoutOneDoNothing) {
  // Nobody listens on the socket path.
  EXPECT_EQ(RegisterEventSourceA(nullptr, "Hotbind"), nullptr);
  EXPECT_NE(GetLastError(), 0u);
  LPCSTR strings[] = {"dropped"};
  EXPECT_FALSE(ReportEventA(nullptr, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  EXPECT_FALSE(DeregisterEventSource(nullptr));

  SyslogReceiver receiver(socket_path_);
  EXPECT_EQ(RegisterEventSourceA(nullptr, ""), nullptr);
  EXPECT_EQ(RegisterEventSourceA("otherhost", "Hotbind"), nullptr);
  HANDLE source = RegisterEventSourceA(nullptr, "Hotbind");
  ASSERT_NE(source, nullptr);
  ASSERT_TRUE(DeregisterEventSource(source));
  // A deregistered handle is refused, and nothing reaches the log.
  EXPECT_FALSE(ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr));
  EXPECT_FALSE(receiver.pending());
}

TEST_F(EventLogTest, ReachesALogThatWasRestarted) {
  auto receiver = std::make_unique<SyslogReceiver>(socket_path_);
  HANDLE source = RegisterEventSourceA(nullptr, "Restart");
  ASSERT_NE(source, nullptr);
  receiver.reset();  // the log goes away and comes back on the same path
  receiver = std::make_unique<SyslogReceiver>(socket_path_);
  LPCSTR strings[] = {"after restart"};
  ASSERT_TRUE(ReportEventA(source, EVENTLOG_INFORMATION_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr));
  auto message = receiver->next();
  ASSERT_TRUE(message.has_value());
  EXPECT_TRUE(message->ends_with("]: after restart"));
  DeregisterEventSource(source);
}

TEST_F(EventLogTest, StalledLogDropsMessagesInsteadOfBlocking) {
  SyslogReceiver receiver(socket_path_);  // never reads
  HANDLE source = RegisterEventSourceA(nullptr, "Stalled");
  ASSERT_NE(source, nullptr);
  std::string text(1000, 's');
  LPCSTR strings[] = {text.c_str()};
  int sent = 0;
  while (sent < 100000 &&
         ReportEventA(source, EVENTLOG_ERROR_TYPE, 0, 1, nullptr, 1, 0, strings, nullptr)) {
    ++sent;
  }
  EXPECT_LT(sent, 100000);  // the socket filled up and reporting failed instead of waiting
  EXPECT_GT(sent, 0);
  auto first = receiver.next();
  ASSERT_TRUE(first.has_value());
  EXPECT_TRUE(first->ends_with("]: " + text));
  DeregisterEventSource(source);
}

}  // namespace

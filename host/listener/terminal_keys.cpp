#include "terminal_keys.h"

#include <poll.h>
#include <unistd.h>
#include <windows.h>
#include <winapi/keyboard_feed.h>

#include <array>
#include <chrono>
#include <cctype>
#include <csignal>

namespace host::listener {

namespace {

using Clock = std::chrono::steady_clock;

// A terminal reports presses, not releases: a key counts as held while its
// auto-repeat keeps arriving, and as released once it has been quiet this long.
constexpr auto kReleaseAfter = std::chrono::milliseconds(500);
constexpr int kPollMs = 50;

// A listener stopped by a signal still gives the terminal back as it was.
termios g_saved_for_signals;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP};

void restore_and_reraise(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_for_signals);
  std::signal(signal_number, SIG_DFL);
  std::raise(signal_number);
}

}  // namespace

int virtual_key_of(unsigned char byte) {
  if (byte == 0x1B) return VK_ESCAPE;
  if (byte == '\r' || byte == '\n') return VK_RETURN;
  if (byte == '\t') return VK_TAB;
  if (byte == 0x7F || byte == 0x08) return VK_BACK;
  if (byte == ' ') return VK_SPACE;
  if (std::isalpha(byte)) return std::toupper(byte);
  if (std::isdigit(byte)) return byte;
  return 0;
}

TerminalKeys::TerminalKeys() {
  // Only a listener in the terminal's foreground may change its mode (a
  // background one would be stopped for trying).
  if (!isatty(STDIN_FILENO) || tcgetpgrp(STDIN_FILENO) != getpgrp()) return;
  if (tcgetattr(STDIN_FILENO, &saved_) != 0) return;
  termios raw = saved_;
  raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);  // keys arrive at once, unseen; Ctrl+C still works
  raw.c_cc[VMIN] = 0;
  raw.c_cc[VTIME] = 0;
  g_saved_for_signals = saved_;
  if (tcsetattr(STDIN_FILENO, TCSANOW, &raw) != 0) return;
  for (int sig : kSignals) std::signal(sig, restore_and_reraise);
  active_ = true;
  thread_ = std::thread([this] { watch(); });
}

TerminalKeys::~TerminalKeys() {
  if (!active_) return;
  stop_ = true;
  thread_.join();
  tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  for (int sig : kSignals) std::signal(sig, SIG_DFL);
  ResetKeyStates();
}

void TerminalKeys::watch() {
  std::array<Clock::time_point, 256> last_seen{};
  std::array<bool, 256> down{};
  while (!stop_) {
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    if (poll(&pfd, 1, kPollMs) > 0 && (pfd.revents & POLLIN)) {
      unsigned char buf[64];
      ssize_t n = read(STDIN_FILENO, buf, sizeof buf);
      if (n <= 0) break;  // end of input: nothing more to watch
      for (ssize_t i = 0; i < n; ++i) {
        // Esc followed at once by more bytes is a cursor or function key's
        // escape sequence, not the Esc key.
        if (buf[i] == 0x1B && i + 1 < n && (buf[i + 1] == '[' || buf[i + 1] == 'O')) break;
        int vk = virtual_key_of(buf[i]);
        if (vk == 0) continue;
        FeedKeyState(vk, true);
        down[vk] = true;
        last_seen[vk] = Clock::now();
      }
    }
    auto now = Clock::now();
    for (int vk = 0; vk < 256; ++vk)
      if (down[vk] && now - last_seen[vk] > kReleaseAfter) {
        FeedKeyState(vk, false);
        down[vk] = false;
      }
  }
}

}  // namespace host::listener

#include "terminal_keys.h"

#include <poll.h>
#include <unistd.h>
#include <windows.h>
#include <winapi/keyboard_feed.h>

#include <array>
#include <cctype>
#include <csignal>

namespace host::listener {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kPollMs = 50;

// A listener that dies of a signal, a crash included, still gives the
// terminal back as it was; then the signal goes on to what handled it before
// (the default action, or a sanitizer's report).
termios g_saved_for_signals;
constexpr int kSignals[] = {SIGINT, SIGTERM, SIGQUIT, SIGHUP, SIGSEGV, SIGBUS, SIGFPE, SIGILL, SIGABRT};
struct sigaction g_previous[NSIG];

void restore_and_reraise(int signal_number) {
  tcsetattr(STDIN_FILENO, TCSANOW, &g_saved_for_signals);
  sigaction(signal_number, &g_previous[signal_number], nullptr);
  // Blocked until this handler returns; a fault's instruction would fault again anyway.
  raise(signal_number);
}

// A stack overflow leaves no stack for the handler: it runs on its own.
void ensure_signal_stack() {
  static thread_local std::array<char, 64 * 1024> signal_stack;
  stack_t current{};
  if (sigaltstack(nullptr, &current) == 0 && !(current.ss_flags & SS_DISABLE)) return;
  stack_t own{};
  own.ss_sp = signal_stack.data();
  own.ss_size = signal_stack.size();
  sigaltstack(&own, nullptr);
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

TerminalKeys::TerminalKeys(std::chrono::milliseconds hold_time) : hold_time_(hold_time) {
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
  ensure_signal_stack();
  struct sigaction restore {};
  restore.sa_handler = restore_and_reraise;
  restore.sa_flags = SA_ONSTACK;
  sigemptyset(&restore.sa_mask);
  for (int sig : kSignals) sigaction(sig, &restore, &g_previous[sig]);
  active_ = true;
  thread_ = std::thread([this] { watch(); });
}

TerminalKeys::~TerminalKeys() {
  if (!active_) return;
  stop_ = true;
  thread_.join();
  tcsetattr(STDIN_FILENO, TCSANOW, &saved_);
  for (int sig : kSignals) sigaction(sig, &g_previous[sig], nullptr);
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
      if (down[vk] && now - last_seen[vk] > hold_time_) {
        FeedKeyState(vk, false);
        down[vk] = false;
      }
  }
}

}  // namespace host::listener

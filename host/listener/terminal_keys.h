// Feeds the Windows layer's key states from the terminal while scripts run,
// so a long script can poll for the Esc key as it would on Windows.
#pragma once

#include <termios.h>

#include <atomic>
#include <chrono>
#include <thread>

namespace host::listener {

class TerminalKeys {
 public:
  // A terminal reports presses, not releases: a key counts as held while its
  // auto-repeat keeps arriving, and as released once it has been quiet for
  // hold_time (longer than the terminal's auto-repeat delay).
  // Starts watching when standard input is a terminal; does nothing otherwise.
  explicit TerminalKeys(std::chrono::milliseconds hold_time);
  ~TerminalKeys();
  TerminalKeys(const TerminalKeys&) = delete;
  TerminalKeys& operator=(const TerminalKeys&) = delete;
  bool active() const { return active_; }

 private:
  void watch();
  std::chrono::milliseconds hold_time_;
  bool active_ = false;
  termios saved_{};
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

// The virtual-key code of one byte typed at a terminal, or 0 for none.
int virtual_key_of(unsigned char byte);

}  // namespace host::listener

#include "commands.h"

#include <winapi/process.h>
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <ctime>
#include <thread>

namespace dlgpress {
namespace {

// The pause between two looks for the window: short against a person's
// reaction, long enough to leave the processor idle.
constexpr auto kPause = std::chrono::milliseconds(25);

constexpr int kTitleBuffer = 512;

BOOL print_title(HWND window, LPARAM) {
  char title[kTitleBuffer];
  if (GetWindowTextA(window, title, kTitleBuffer) > 0) std::printf("<%s>\n", title);
  return TRUE;
}

// Posts the command if the window is there.
bool press(const std::string& title, std::int32_t id) {
  HWND window = FindWindowA(nullptr, title.c_str());
  if (window == nullptr) return false;
  // The identifier is the low word, the notification code the high word.
  PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(static_cast<std::uint32_t>(id)), 0);
  return true;
}

}  // namespace

int list_windows() {
  EnumWindows(print_title, 0);
  return 0;
}

int send_once(const std::string& title, std::int32_t id) {
  if (press(title, id)) return 0;
  std::printf("Window: \"%s\" not found\n", title.c_str());
  return 1;
}

int start_waiting_copy(const std::string& program, const std::string& title, const std::string& id_word,
                       const std::string& seconds_word) {
  // The title goes over as one argument as it is, blanks, quotes and all.
  const std::vector<std::string> arguments = {program, title, id_word, seconds_word, "spawn"};
  if (!StartDetachedProcess(program, arguments)) {
    StartDetachedProcess("/proc/self/exe", arguments);  // e.g. started by a relative name elsewhere
  }
  return 0;
}

int wait_and_send(const std::string& title, std::int32_t id, std::int32_t seconds) {
  const std::time_t start = std::time(nullptr);
  for (;;) {
    if (press(title, id)) return 0;
    if (std::time(nullptr) - start > seconds) return 0;
    std::this_thread::sleep_for(kPause);
  }
}

}  // namespace dlgpress

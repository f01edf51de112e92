#include <winapi/keyboard_feed.h>
#include <windows.h>

#include <array>
#include <mutex>

namespace {

struct KeyStates {
  std::mutex lock;
  std::array<bool, 256> down{};
  std::array<bool, 256> pressed{};
  std::array<unsigned long, 256> press_count{};
};

KeyStates& key_states() {
  static KeyStates states;
  return states;
}

bool valid(int virtualKey) { return virtualKey >= 0 && virtualKey < 256; }

}  // namespace

void FeedKeyState(int virtualKey, bool down) {
  if (!valid(virtualKey)) return;
  auto& states = key_states();
  std::lock_guard guard(states.lock);
  if (down && !states.down[virtualKey]) {
    states.pressed[virtualKey] = true;
    ++states.press_count[virtualKey];
  }
  states.down[virtualKey] = down;
}

void ResetKeyStates() {
  auto& states = key_states();
  std::lock_guard guard(states.lock);
  states.down.fill(false);
  states.pressed.fill(false);
}

SHORT GetAsyncKeyState(int virtualKey) {
  if (!valid(virtualKey)) return 0;
  auto& states = key_states();
  std::lock_guard guard(states.lock);
  unsigned result = (states.down[virtualKey] ? 0x8000u : 0u) | (states.pressed[virtualKey] ? 0x0001u : 0u);
  states.pressed[virtualKey] = false;
  return static_cast<SHORT>(static_cast<USHORT>(result));
}

unsigned long KeyPressCount(int virtualKey) {
  if (!valid(virtualKey)) return 0;
  auto& states = key_states();
  std::lock_guard guard(states.lock);
  return states.press_count[virtualKey];
}

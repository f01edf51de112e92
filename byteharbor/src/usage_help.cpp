#include "usage_help.h"

#include <richedit.h>

#include "names.h"

namespace {
constexpr COLORREF kHelpColour = 0x00A60066;  // red 0x66, green 0x00, blue 0xA6
}

void SetHelpTextColour() {
  if (the_listener == nullptr || the_listener->edit_box == nullptr) return;
  CHARFORMAT format{};
  format.cbSize = sizeof(CHARFORMAT);
  format.dwMask = CFM_COLOR;
  format.dwEffects = 0;
  format.crTextColor = kHelpColour;
  SendMessage(the_listener->edit_box, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
}

bool asks_for_help(Value** arg_list, int count) {
  return count >= 1 && interned.help != nullptr && arg_list[0] == interned.help;
}

Value* show_usage(const char* text) {
  SetHelpTextColour();
  thread_local_output()->puts(text);
  return &ok;
}

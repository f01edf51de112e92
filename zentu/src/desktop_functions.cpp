// What scripts reach of the user's desktop: PlaySound and StopSound, the Esc
// key poll EscapeHit, and IsActiveViewportEnabled.
#include <mmsystem.h>
#include <windows.h>

#include "host/core_interface.h"

#include "messages.h"
#include "names.h"
#include "zentu_functions.h"

namespace {

constexpr DWORD kPlayWait = SND_FILENAME | SND_NODEFAULT;
constexpr DWORD kPlayNoWait = SND_FILENAME | SND_NODEFAULT | SND_ASYNC;
constexpr DWORD kPlayLoop = SND_FILENAME | SND_NODEFAULT | SND_LOOP | SND_ASYNC;

// GetAsyncKeyState's answer for a key that is down and was pressed since the
// previous query: a press not yet reported.
constexpr USHORT kNewPress = 0x8001;

DWORD play_flags(Value* play_type) {
  if (play_type == zentu_names.wait) return kPlayWait;
  // The host's own name #loop, which every module shares.
  if (play_type == Name::intern("loop")) return kPlayLoop;
  if (play_type == zentu_names.nowait) return kPlayNoWait;
  return kPlayWait;
}

}  // namespace

Value* PlaySound_cf(Value** arg_list, int count) {
  check_positional_count("PlaySound", 1, arg_list, count);
  const char* file_name = arg_list[0]->to_string();
  Value* play_type = _get_key_arg_or_default(arg_list, count, zentu_names.playtype, zentu_names.wait);
  // A file that cannot be played plays nothing, silently.
  PlaySoundA(file_name, nullptr, play_flags(play_type));
  return &ok;
}

Value* StopSound_cf(Value**, int count) {
  check_arg_count("StopSound", 0, count);
  PlaySoundA(nullptr, nullptr, 0);
  return &ok;
}

// Takes any arguments and ignores them.
Value* EscapeHit_cf(Value**, int) {
  return bool_result(static_cast<USHORT>(GetAsyncKeyState(VK_ESCAPE)) == kNewPress);
}

Value* IsActiveViewportEnabled_cf(Value**, int count) {
  check_arg_count("IsActiveViewportEnabled", 0, count);
  Interface* core = GetCOREInterface();
  ViewExp* viewport = core->GetActiveViewport();
  if (viewport == nullptr) throw RuntimeError(zentu::msg::kNoActiveViewport);
  bool enabled = viewport->IsEnabled() != FALSE;
  core->ReleaseViewport(viewport);
  return bool_result(enabled);
}

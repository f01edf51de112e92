// The five script functions: three ways to play a sound file, one to stop
// it, and a tone on the speaker. A failed playback answers false; only wrong
// arguments raise.
#include <mmsystem.h>

#include "host/maxscript.h"

#include "messages.h"

namespace {

// PlaySoundA's flags for each way of playing.
constexpr DWORD kPlayAsync = SND_ASYNC | SND_NODEFAULT;
constexpr DWORD kPlayLocked = SND_SYNC | SND_NODEFAULT;
constexpr DWORD kPlayLoop = SND_LOOP | SND_ASYNC | SND_NODEFAULT;

Value* play(Value** arg_list, int count, const char* fn_name, const char* usage, DWORD flags) {
  check_arg_count(fn_name, 1, count);
  check_exact_class(arg_list[0], &String_class, usage);
  return bool_result(PlaySoundA(arg_list[0]->to_string(), nullptr, flags) != FALSE);
}

Value* play_wav_cf(Value** arg_list, int count) {
  return play(arg_list, count, msg::kPlayWavName, msg::kPlayWavUsage, kPlayAsync);
}

Value* play_wav_locked_cf(Value** arg_list, int count) {
  return play(arg_list, count, msg::kPlayWavLockedName, msg::kPlayWavLockedUsage, kPlayLocked);
}

Value* play_wav_loop_cf(Value** arg_list, int count) {
  return play(arg_list, count, msg::kPlayWavLoopName, msg::kPlayWavLoopUsage, kPlayLoop);
}

// Takes any arguments and ignores them.
Value* play_wav_stop_cf(Value**, int) { return bool_result(PlaySoundA(nullptr, nullptr, 0) != FALSE); }

Value* beep_cf(Value** arg_list, int count) {
  check_arg_count(msg::kBeepName, 2, count);
  check_exact_class(arg_list[0], &Integer_class, msg::kBeepUsage);
  check_exact_class(arg_list[1], &Integer_class, msg::kBeepUsage);
  auto frequency = static_cast<DWORD>(arg_list[0]->to_int());
  auto duration = static_cast<DWORD>(arg_list[1]->to_int());
  return bool_result(Beep(frequency, duration) != FALSE);
}

}  // namespace

// Registered when the module loads, in this order; unregistered in reverse
// when it unloads.
Primitive play_wav_pf("PlayWav", play_wav_cf);
Primitive play_wav_locked_pf("PlayWavLocked", play_wav_locked_cf);
Primitive play_wav_loop_pf("PlayWavLoop", play_wav_loop_cf);
Primitive play_wav_stop_pf("PlayWavStop", play_wav_stop_cf);
Primitive beep_pf("Beep", beep_cf);

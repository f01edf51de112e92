// Every text chimekit shows a user: the load banner, the module's
// description and the usage shown by its argument errors.
#pragma once

namespace msg {

// ---- Module ---------------------------------------------------------------
#define CHIMEKIT_CREDITS "Chimekit authors, https://chimekit.example"
inline constexpr char kBanner[] = "Chimekit 1.0 Loaded   [by " CHIMEKIT_CREDITS "]\n\n";
inline constexpr char kDescription[] = "Chimekit 1.0, by " CHIMEKIT_CREDITS;
#undef CHIMEKIT_CREDITS

// ---- Argument errors: the function's internal name, then its usage ---------
inline constexpr char kPlayWavName[] = "play_wav";
inline constexpr char kPlayWavUsage[] = "PlayWav [WAV File Name]";
inline constexpr char kPlayWavLockedName[] = "play_wav_l";
inline constexpr char kPlayWavLockedUsage[] = "PlayWavLocked [WAV File Name]";
inline constexpr char kPlayWavLoopName[] = "play_wav_p";
inline constexpr char kPlayWavLoopUsage[] = "PlayWavLoop [WAV File Name]";
inline constexpr char kBeepName[] = "do_beep";
inline constexpr char kBeepUsage[] = "Beep [Freq.] [Duration]";

}  // namespace msg

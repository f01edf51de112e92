// Sound playback through ALSA (device "default"): PCM WAV files (8 or 16 bits,
// mono or stereo) and speaker tones. One sound plays at a time; asynchronous
// and looping sounds play on the layer's playback thread.
#pragma once

#define SND_SYNC 0x0000
#define SND_ASYNC 0x0001
#define SND_NODEFAULT 0x0002
#define SND_MEMORY 0x0004
#define SND_LOOP 0x0008
#define SND_NOSTOP 0x0010
#define SND_PURGE 0x0040
#define SND_ALIAS 0x00010000
#define SND_FILENAME 0x00020000
#define SND_RESOURCE 0x00040004

// Plays a file or a sound alias (a name with neither SND_FILENAME nor
// SND_ALIAS is tried as an alias, then as a file). Aliases are read from
// HKEY_CURRENT_USER\AppEvents\Schemes\Apps\.Default\<name>\.Current. Without
// SND_NODEFAULT, a sound that cannot be found is replaced by the ".Default"
// alias. PlaySoundA(NULL, NULL, 0) stops the sound that is playing.
BOOL PlaySoundA(LPCSTR sound, HMODULE module, DWORD flags);

// A sine tone of 37 to 32767 Hz for `duration` milliseconds; returns when it
// has played.
BOOL Beep(DWORD frequency, DWORD duration);

#define PlaySound PlaySoundA

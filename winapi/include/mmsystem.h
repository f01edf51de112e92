// Multimedia: sound playback (declared in winapi/sound.h, included by windows.h).
#pragma once

#include <windows.h>

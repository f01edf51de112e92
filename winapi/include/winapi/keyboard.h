// Asynchronous key state. The states come from the feed of keyboard_feed.h,
// which the host program drives from its input.
#pragma once

#define VK_BACK 0x08
#define VK_TAB 0x09
#define VK_RETURN 0x0D
#define VK_SHIFT 0x10
#define VK_CONTROL 0x11
#define VK_MENU 0x12
#define VK_ESCAPE 0x1B
#define VK_SPACE 0x20

// 0x8000: the key is down now; 0x0001: it was pressed since the previous
// query of this key (the query clears that bit).
SHORT GetAsyncKeyState(int virtualKey);

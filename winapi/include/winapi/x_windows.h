// Top-level windows of the X display named by $DISPLAY, found as the common X
// tools find them: the client windows, also below a reparenting window
// manager's frames. Their handles are tagged so that they are never mistaken
// for the process's own windows (windows_local.h). Titles come from
// _NET_WM_NAME (UTF-8), else WM_NAME. With no display there are no windows.
#pragma once

#define WM_NULL 0x0000
#define WM_CLOSE 0x0010
#define WM_COMMAND 0x0111

#define IDOK 1
#define IDCANCEL 2
#define IDABORT 3
#define IDRETRY 4
#define IDIGNORE 5
#define IDYES 6
#define IDNO 7
#define IDCLOSE 8
#define IDHELP 9

using WNDENUMPROC = BOOL (*)(HWND, LPARAM);

// Calls `callback` for each top-level window, topmost first, until it returns
// FALSE.
BOOL EnumWindows(WNDENUMPROC callback, LPARAM lParam);

// The window whose title equals `windowName` as a whole (ignoring ASCII case,
// as Windows does) and, when `className` is given, whose WM_CLASS class
// matches it. NULL arguments match any window.
HWND FindWindowA(LPCSTR className, LPCSTR windowName);

// Copies at most maxCount - 1 bytes of the title and a terminating zero;
// returns the number of bytes copied. Works for X and in-process windows.
int GetWindowTextA(HWND window, LPSTR text, int maxCount);
int GetWindowTextLengthA(HWND window);

// To an X window: sends a ClientMessage (format 32) whose type is the atom
// "WM_COMMAND" for WM_COMMAND, with data.l[0] = wParam and data.l[1] =
// lParam; other messages use the atom "WIN32_MESSAGE" with data.l[0] = message,
// data.l[1] = wParam, data.l[2] = lParam. To an in-process window: calls its
// window procedure at once (the host runs no message loop).
BOOL PostMessageA(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

#define PostMessage PostMessageA
#define FindWindow FindWindowA
#define GetWindowText GetWindowTextA

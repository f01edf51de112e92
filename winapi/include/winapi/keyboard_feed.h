// The source of the key states that GetAsyncKeyState reports: the host program
// tells the layer when a key goes down or up.
#pragma once

#include <windows.h>

// Records that `virtualKey` (0..255) went down or up. A key going down marks
// it as pressed until the next GetAsyncKeyState query of it.
void FeedKeyState(int virtualKey, bool down);

// Forgets every key state (all keys up, none pressed). The press counts stay.
void ResetKeyStates();

// How many times `virtualKey` has gone down since the program started: a
// watcher that remembers the count can tell whether the key was pressed
// since, without taking the pressed bit from GetAsyncKeyState's callers.
unsigned long KeyPressCount(int virtualKey);

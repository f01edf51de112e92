// The fixed numbers of the plug-in: its class, its shortcut table and the
// commands and resources of the table's entries.
#pragma once

#include <windows.h>

#include <array>

namespace hotbind {

constexpr DWORD kTableId = 0x3E0548BB;
constexpr ULONG kClassIdA = 0x6E8673FC;
constexpr ULONG kClassIdB = 0x273661A8;
constexpr ULONG kLibVersion = 0x0BB80700;  // host release 3000, API 7, SDK revision 0
// The module's own version, in its file's version information.
constexpr std::array<WORD, 4> kFileVersion = {1, 0, 0, 0};

constexpr int kShortcutCount = 50;
constexpr int kTableEntries = kShortcutCount + 1;  // the reload command first
constexpr int kReloadCommand = 999;
constexpr int kFirstShortcutCommand = 1000;  // shortcut k (1 to 50) is 999 + k

constexpr UINT kTableNameString = 116;
constexpr UINT kFirstShortcutString = 117;  // "Shortcut 01"
constexpr UINT kReloadString = 167;
constexpr UINT kAcceleratorTable = 202;

// The plug-in's slots: a full script path (at most 199 characters) and the
// name given to the entry (a blank and at most 39 characters).
constexpr int kScriptSlotSize = 201;
constexpr int kNameSlotSize = 41;
constexpr int kPathLimit = 200;
constexpr int kNameLimit = 39;

}  // namespace hotbind

// Every text hotbind shows: its descriptions and the event-log reports.
#pragma once

namespace msg {

inline constexpr char kLibDescription[] = "Hotbind";
inline constexpr char kClassName[] = "Hotbind";
inline constexpr char kCategory[] = "Global Utility PlugIn";
inline constexpr char kEventSource[] = "Hotbind";
inline constexpr char kUnusedShortcut[] = "( unused shortcut )";

// The module file's version information.
inline constexpr char kFileDescription[] = "MAXScript keyboard shortcuts (global utility plug-in)";
inline constexpr char kVersionComments[] = "Built for host release 3000 (LibVersion 0x0BB80700)";

// Reports written to the event log (printf formats).
inline constexpr char kNoScriptBound[] = "Shortcut '%s' was pressed, but no MAXScript was bound to it.";
inline constexpr char kScriptFailed[] = "Execution of MAXScript '%s' bound to shortcut '%s' failed.";
inline constexpr char kScriptsDirTooLong[] =
    "3DS MAX script directory path '%s' is too long.  Limit %ld characters.";
inline constexpr char kConfigMissing[] = "Can't find config file '%s'";
inline constexpr char kScriptPathTooLong[] = "Script filename '%s%.*s' is too long.  Limit %ld characters.";
inline constexpr char kTooManyEntries[] =
    "Config file '%s' binds more than %d shortcuts; the lines after the last one are ignored.";

}  // namespace msg

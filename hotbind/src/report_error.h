// Problems go to the Windows event log, never to the screen.
#pragma once

#include <windows.h>

namespace hotbind {

// Registered on process attach; null when registration failed, which
// silences every report.
extern HANDLE event_source;

// Formats the message as printf does (at most 4095 characters) and writes it
// to the event log as an error.
void ReportError(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace hotbind

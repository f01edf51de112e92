// The event log, kept in the system log (syslog). Each event goes to the log
// under its source's name, at the level that matches its type. The log socket
// is $WINAPI_SYSLOG_SOCKET when that is set, else /dev/log.
#pragma once

#define EVENTLOG_SUCCESS 0x0000
#define EVENTLOG_ERROR_TYPE 0x0001
#define EVENTLOG_WARNING_TYPE 0x0002
#define EVENTLOG_INFORMATION_TYPE 0x0004
#define EVENTLOG_AUDIT_SUCCESS 0x0008
#define EVENTLOG_AUDIT_FAILURE 0x0010

using PSID = void*;

// Fails (no handle) when the source name is empty, a remote server is named or
// the system log cannot be reached.
HANDLE RegisterEventSourceA(LPCSTR serverName, LPCSTR sourceName);
// Writes one message: the insertion strings joined by blanks. With no handle it
// does nothing and fails with ERROR_INVALID_HANDLE.
BOOL ReportEventA(HANDLE eventLog, WORD type, WORD category, DWORD eventId, PSID userSid, WORD numStrings,
                  DWORD dataSize, LPCSTR* strings, LPVOID rawData);
BOOL DeregisterEventSource(HANDLE eventLog);

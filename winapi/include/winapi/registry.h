// The registry: keys below the predefined roots, holding typed values. Kept in
// an SQLite database file shared by every process of the user. The file is
// $WINAPI_REGISTRY when that is set, else $XDG_CONFIG_HOME/winapi/registry.db
// (or ~/.config/winapi/registry.db).
#pragma once

struct HKEY__;
using HKEY = HKEY__*;
using PHKEY = HKEY*;

#define HKEY_CLASSES_ROOT ((HKEY)(std::uintptr_t)0x80000000)
#define HKEY_CURRENT_USER ((HKEY)(std::uintptr_t)0x80000001)
#define HKEY_LOCAL_MACHINE ((HKEY)(std::uintptr_t)0x80000002)
#define HKEY_USERS ((HKEY)(std::uintptr_t)0x80000003)
#define HKEY_PERFORMANCE_DATA ((HKEY)(std::uintptr_t)0x80000004)
#define HKEY_CURRENT_CONFIG ((HKEY)(std::uintptr_t)0x80000005)

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_MULTI_SZ 7
#define REG_QWORD 11

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_READ 0x20019
#define KEY_WRITE 0x20006
#define KEY_ALL_ACCESS 0xF003F

#define REG_OPTION_NON_VOLATILE 0x00000000
#define REG_CREATED_NEW_KEY 0x00000001
#define REG_OPENED_EXISTING_KEY 0x00000002

struct SECURITY_ATTRIBUTES;

// Each call returns ERROR_SUCCESS or a Win32 error code: ERROR_FILE_NOT_FOUND
// for a missing key or value, ERROR_MORE_DATA for a too small buffer,
// ERROR_ACCESS_DENIED when the key was opened without the needed right,
// ERROR_BADDB for a corrupt database file, ERROR_LOCK_VIOLATION when another
// process keeps the file locked too long.
LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD options, REGSAM access, PHKEY result);
LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD reserved, LPSTR keyClass, DWORD options, REGSAM access,
                     const SECURITY_ATTRIBUTES* security, PHKEY result, LPDWORD disposition);
LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type, LPBYTE data,
                      LPDWORD dataSize);
LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD reserved, DWORD type, const BYTE* data, DWORD dataSize);
LONG RegDeleteValueA(HKEY key, LPCSTR valueName);
LONG RegCloseKey(HKEY key);

// Network names. A path on a mounted SMB/CIFS share (from the mount table,
// /proc/self/mountinfo, or $WINAPI_MOUNTINFO) has a universal name
// \\server\share\rest.
#pragma once

#define UNIVERSAL_NAME_INFO_LEVEL 0x00000001
#define REMOTE_NAME_INFO_LEVEL 0x00000002

struct UNIVERSAL_NAME_INFOA {
  LPSTR lpUniversalName;
};

// Fills `buffer` with a UNIVERSAL_NAME_INFOA whose text lies in the same
// buffer. A local path gives ERROR_NOT_CONNECTED; a buffer that is too small
// gives ERROR_MORE_DATA and the needed size in *bufferSize.
DWORD WNetGetUniversalNameA(LPCSTR localPath, DWORD infoLevel, LPVOID buffer, LPDWORD bufferSize);

// Windows file names on POSIX: a backslash separates folders as a slash
// does, and a drive letter ("C:\tools\x.ms") names a folder chosen by
// $WINAPI_DRIVE_<letter> (the root, "/", when that is not set).
#pragma once

#include <cstdio>
#include <string>

// The POSIX path of a Windows file name; other names come back unchanged
// but for their separators.
std::string NativePathFromWindows(const char* windows_path);

// The C runtime's fopen as it treats Windows file names.
std::FILE* WinFopen(const char* windows_path, const char* mode);

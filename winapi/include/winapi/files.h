// File-system calls with their Windows meaning, on POSIX. Names are Windows
// file names as file_paths.h reads them: either slash, drive letters.
#pragma once

// Removes an empty directory. A directory that still holds entries fails with
// ERROR_DIR_NOT_EMPTY, a file with ERROR_DIRECTORY.
BOOL RemoveDirectoryA(LPCSTR path);

// Moves or renames a file or directory. Never replaces an existing target
// (ERROR_ALREADY_EXISTS). A file is copied and its original deleted when the
// target lies on another file system; a directory is not (ERROR_NOT_SAME_DEVICE).
BOOL MoveFileA(LPCSTR existingName, LPCSTR newName);

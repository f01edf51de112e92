// Directories, file moves and network names for scripts: DeleteDirectory,
// MoveFile and GetUNCPath. A failure of the system is an answer (false or
// undefined), never an error.
#include <windows.h>

#include "zentu_functions.h"

namespace {

// The size of the universal-name record the system fills, its text included.
constexpr DWORD kUniversalNameBufferSize = 256;

}  // namespace

Value* DeleteDirectory_cf(Value** arg_list, int count) {
  check_arg_count("DeleteDirectory", 1, count);
  const char* path = arg_list[0]->to_string();
  return bool_result(RemoveDirectoryA(path) != FALSE);
}

Value* MoveFile_cf(Value** arg_list, int count) {
  check_arg_count("MoveFile", 2, count);
  const char* from = arg_list[0]->to_string();
  const char* to = arg_list[1]->to_string();
  return bool_result(MoveFileA(from, to) != FALSE);
}

Value* GetUNCPath_cf(Value** arg_list, int count) {
  check_arg_count("GetUNCPath", 1, count);
  const char* path = arg_list[0]->to_string();
  alignas(UNIVERSAL_NAME_INFOA) char buffer[kUniversalNameBufferSize];
  DWORD size = kUniversalNameBufferSize;
  if (WNetGetUniversalNameA(path, UNIVERSAL_NAME_INFO_LEVEL, buffer, &size) != ERROR_SUCCESS)
    return &undefined;
  const auto* info = reinterpret_cast<const UNIVERSAL_NAME_INFOA*>(buffer);
  return new String(info->lpUniversalName);
}

#include <windows.h>

#include "errno_map.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string system_text(DWORD code) {
  LPSTR text = nullptr;
  DWORD length =
      FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM, nullptr, code,
                     MAKELANGID(LANG_NEUTRAL, SUBLANG_DEFAULT), reinterpret_cast<LPSTR>(&text), 0, nullptr);
  std::string result = length ? std::string(text, length) : "<none>";
  LocalFree(text);
  return result;
}

TEST(FormatMessage, GivesTheSystemTextsWithTheirLineEnd) {
  EXPECT_EQ(system_text(2), "The system cannot find the file specified.\r\n");
  EXPECT_EQ(system_text(5), "Access is denied.\r\n");
  EXPECT_EQ(system_text(183), "Cannot create a file when that file already exists.\r\n");
  EXPECT_EQ(system_text(234), "More data is available.\r\n");
  EXPECT_EQ(system_text(1009), "The configuration registry database is corrupt.\r\n");
  EXPECT_EQ(system_text(2250), "This network connection does not exist.\r\n");
}

TEST(FormatMessage, UnknownCodeFailsWithMessageNotFound) {
  LPSTR text = nullptr;
  EXPECT_EQ(FormatMessageA(0x1100, nullptr, 123456, 0x0400, reinterpret_cast<LPSTR>(&text), 0, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(text, nullptr);
}

TEST(FormatMessage, CallerBufferIsNeverOverrun) {
  char small[8] = "xxxxxxx";
  EXPECT_EQ(FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 2, 0, small, sizeof small, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_STREQ(small, "xxxxxxx");

  char room[64];
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 5, 0, room, sizeof room, nullptr);
  EXPECT_EQ(length, 19u);
  EXPECT_STREQ(room, "Access is denied.\r\n");
}

TEST(FormatMessage, EveryCodeTheLayerReportsHasAText) {
  for (DWORD code :
       {ERROR_SUCCESS, ERROR_FILE_NOT_FOUND, ERROR_PATH_NOT_FOUND, ERROR_INVALID_HANDLE, ERROR_NOT_READY,
        ERROR_LOCK_VIOLATION, ERROR_INVALID_PARAMETER, ERROR_DIR_NOT_EMPTY, ERROR_BAD_PATHNAME,
        ERROR_DIRECTORY, ERROR_NOT_SAME_DEVICE, ERROR_REGISTRY_IO_FAILED, ERROR_INVALID_WINDOW_HANDLE,
        ERROR_RESOURCE_DATA_NOT_FOUND, ERROR_RESOURCE_NAME_NOT_FOUND, ERROR_INVALID_ACCEL_HANDLE,
        ERROR_NOT_SUPPORTED, ERROR_IO_DEVICE, ERROR_INVALID_DATA, ERROR_RESOURCE_TYPE_NOT_FOUND}) {
    std::string text = system_text(code);
    EXPECT_NE(text, "<none>") << code;
    EXPECT_TRUE(text.ends_with(".\r\n")) << code;
  }
}

TEST(FormatMessage, EveryMappedSystemErrorHasAText) {
  for (int error = 0; error < 134; ++error) {
    DWORD code = winapi::win32_error_from_errno(error);
    EXPECT_NE(system_text(code), "<none>") << "errno " << error << " -> " << code;
  }
}

}  // namespace

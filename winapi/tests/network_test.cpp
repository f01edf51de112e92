#include <windows.h>

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

class UniversalNameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const std::string table = dir_.file("mountinfo");
    test_support::write_file(
        table,
        "22 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
        "40 22 0:40 / /mnt/projects rw,relatime shared:20 - cifs //fileserver/projects rw,vers=3.0\n"
        "41 40 0:41 /sub /mnt/projects/local rw - ext4 /dev/sdb1 rw\n"
        "42 22 0:42 / /mnt/with\\040blank rw - smb3 //nas/Media\\040Share rw\n"
        "43 22 0:43 / /mnt/deep rw master:3 propagation:x - cifs //srv/share/sub/dir/ rw\n"
        "garbage line\n");
    setenv("WINAPI_MOUNTINFO", table.c_str(), 1);
  }
  void TearDown() override { unsetenv("WINAPI_MOUNTINFO"); }

  // The universal name of a path, or "<error N>".
  static std::string universal(const char* path) {
    alignas(UNIVERSAL_NAME_INFOA) char buffer[256];
    DWORD size = sizeof buffer;
    DWORD rc = WNetGetUniversalNameA(path, UNIVERSAL_NAME_INFO_LEVEL, buffer, &size);
    if (rc != ERROR_SUCCESS) return "<error " + std::to_string(rc) + ">";
    auto* info = reinterpret_cast<UNIVERSAL_NAME_INFOA*>(buffer);
    EXPECT_GE(info->lpUniversalName, buffer);
    EXPECT_LT(info->lpUniversalName, buffer + sizeof buffer);
    return info->lpUniversalName;
  }

  test_support::TempDir dir_;
};

TEST_F(UniversalNameTest, PathsOnSharesBecomeUncNames) {
  EXPECT_EQ(universal("/mnt/projects/scenes/car.max"), "\\\\fileserver\\projects\\scenes\\car.max");
  EXPECT_EQ(universal("/mnt/projects"), "\\\\fileserver\\projects");
  EXPECT_EQ(universal("/mnt/projects//a/./b"), "\\\\fileserver\\projects\\a\\b");
  EXPECT_EQ(universal("/mnt/with blank/x y.wav"), "\\\\nas\\Media Share\\x y.wav");
  EXPECT_EQ(universal("/mnt/deep/f"), "\\\\srv\\share\\sub\\dir\\f");
}

TEST_F(UniversalNameTest, LocalPathsAreNotConnected) {
  EXPECT_EQ(universal("/home/user/scene.max"), "<error 2250>");
  EXPECT_EQ(universal("/mnt/projects/local/file"), "<error 2250>");  // a local mount inside the share
  EXPECT_EQ(universal("/mnt/projectsX/file"), "<error 2250>");
  EXPECT_EQ(universal("relative/file"), "<error 2250>");
}

TEST_F(UniversalNameTest, TooSmallBufferGivesMoreDataAndTheSize) {
  char buffer[16];
  std::memset(buffer, 0x5A, sizeof buffer);
  DWORD size = sizeof buffer;
  EXPECT_EQ(WNetGetUniversalNameA("/mnt/projects/scenes/car.max", UNIVERSAL_NAME_INFO_LEVEL, buffer, &size),
            static_cast<DWORD>(ERROR_MORE_DATA));
  EXPECT_EQ(size, sizeof(UNIVERSAL_NAME_INFOA) + 37);
  for (char c : buffer) EXPECT_EQ(c, 0x5A);

  std::string long_path = "/mnt/projects/" + std::string(300, 'n');
  EXPECT_EQ(universal(long_path.c_str()), "<error 234>");
}

TEST_F(UniversalNameTest, BadArgumentsAreRefused) {
  char buffer[256];
  DWORD size = sizeof buffer;
  EXPECT_EQ(WNetGetUniversalNameA(nullptr, UNIVERSAL_NAME_INFO_LEVEL, buffer, &size),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_EQ(WNetGetUniversalNameA("/mnt/projects/x", REMOTE_NAME_INFO_LEVEL, buffer, &size),
            static_cast<DWORD>(ERROR_NOT_SUPPORTED));
  EXPECT_EQ(WNetGetUniversalNameA("/mnt/projects/x", UNIVERSAL_NAME_INFO_LEVEL, buffer, nullptr),
            static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(UniversalNameOfThisMachine, LocalFoldersAreNotConnected) {
  alignas(UNIVERSAL_NAME_INFOA) char buffer[256];
  DWORD size = sizeof buffer;
  EXPECT_EQ(WNetGetUniversalNameA("/tmp", UNIVERSAL_NAME_INFO_LEVEL, buffer, &size),
            static_cast<DWORD>(ERROR_NOT_CONNECTED));
}

}  // namespace

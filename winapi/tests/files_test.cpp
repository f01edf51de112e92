#include <windows.h>

#include "temp_dir.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>

namespace fs = std::filesystem;
using test_support::read_file;
using test_support::TempDir;
using test_support::write_file;

namespace {

TEST(RemoveDirectory, RemovesOnlyEmptyDirectories) {
  TempDir dir;
  const std::string empty = dir.file("empty");
  const std::string full = dir.file("full");
  fs::create_directory(empty);
  fs::create_directory(full);
  write_file(full + "/inside.txt", "x");

  EXPECT_TRUE(RemoveDirectoryA(empty.c_str()));
  EXPECT_FALSE(fs::exists(empty));

  EXPECT_FALSE(RemoveDirectoryA(full.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIR_NOT_EMPTY));
  EXPECT_TRUE(fs::exists(full + "/inside.txt"));
}

TEST(RemoveDirectory, ReportsWhatIsWrongWithThePath) {
  TempDir dir;
  write_file(dir.file("plain"), "x");
  EXPECT_FALSE(RemoveDirectoryA(dir.file("plain").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_DIRECTORY));
  EXPECT_TRUE(fs::exists(dir.file("plain")));

  EXPECT_FALSE(RemoveDirectoryA(dir.file("missing").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  std::string too_long = dir.file(std::string(5000, 'd'));
  EXPECT_FALSE(RemoveDirectoryA(too_long.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILENAME_EXCED_RANGE));
}

// Names as Windows code writes them: backslashes separate folders.
TEST(FileNames, BackslashesSeparateFolders) {
  TempDir dir;
  fs::create_directories(dir.file("a/b"));
  write_file(dir.file("a/x.txt"), "x");
  auto windows_name = [&dir](const std::string& relative) {
    std::string name = dir.file(relative);
    for (char& c : name)
      if (c == '/') c = '\\';
    return name;
  };
  ASSERT_TRUE(MoveFileA(windows_name("a/x.txt").c_str(), windows_name("a/b/y.txt").c_str()));
  EXPECT_EQ(read_file(dir.file("a/b/y.txt")), "x");
  ASSERT_TRUE(fs::remove(dir.file("a/b/y.txt")));
  EXPECT_TRUE(RemoveDirectoryA(windows_name("a/b").c_str()));
  EXPECT_FALSE(fs::exists(dir.file("a/b")));
}

TEST(MoveFile, RenamesFilesAndDirectories) {
  TempDir dir;
  write_file(dir.file("a.txt"), "alpha");
  ASSERT_TRUE(MoveFileA(dir.file("a.txt").c_str(), dir.file("b.txt").c_str()));
  EXPECT_FALSE(fs::exists(dir.file("a.txt")));
  EXPECT_EQ(read_file(dir.file("b.txt")), "alpha");

  fs::create_directory(dir.file("d1"));
  write_file(dir.file("d1/x"), "1");
  ASSERT_TRUE(MoveFileA(dir.file("d1").c_str(), dir.file("d2").c_str()));
  EXPECT_EQ(read_file(dir.file("d2/x")), "1");
}

TEST(MoveFile, NeverReplacesAnExistingTarget) {
  TempDir dir;
  write_file(dir.file("from"), "new");
  write_file(dir.file("to"), "old");
  EXPECT_FALSE(MoveFileA(dir.file("from").c_str(), dir.file("to").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
  EXPECT_EQ(read_file(dir.file("from")), "new");
  EXPECT_EQ(read_file(dir.file("to")), "old");

  fs::create_directory(dir.file("dir"));
  EXPECT_FALSE(MoveFileA(dir.file("from").c_str(), dir.file("dir").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ALREADY_EXISTS));
}

TEST(MoveFile, MissingSourceOrTargetFolderFails) {
  TempDir dir;
  EXPECT_FALSE(MoveFileA(dir.file("none").c_str(), dir.file("other").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));

  write_file(dir.file("here"), "x");
  EXPECT_FALSE(MoveFileA(dir.file("here").c_str(), dir.file("no/such/dir/f").c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PATH_NOT_FOUND));
  EXPECT_TRUE(fs::exists(dir.file("here")));
}

// /dev/shm is a memory file system; the temporary folder usually is not.
bool on_other_file_system(const std::string& a, const std::string& b) {
  struct stat sa {
  }, sb{};
  return stat(a.c_str(), &sa) == 0 && stat(b.c_str(), &sb) == 0 && sa.st_dev != sb.st_dev;
}

TEST(MoveFile, CopiesFilesAcrossFileSystemsButNotDirectories) {
  TempDir dir;
  const std::string other = "/dev/shm";
  if (!on_other_file_system(dir.path().string(), other)) {
    GTEST_SKIP() << "no second file system next to " << dir.path();
  }
  const std::string target = other + "/winapi-move-" + std::to_string(getpid());
  std::string content(300000, 'q');
  write_file(dir.file("big"), content);
  chmod(dir.file("big").c_str(), 0640);
  ASSERT_TRUE(MoveFileA(dir.file("big").c_str(), target.c_str()));
  EXPECT_FALSE(fs::exists(dir.file("big")));
  EXPECT_EQ(read_file(target), content);
  struct stat info {};
  ASSERT_EQ(stat(target.c_str(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0640u);
  fs::remove(target);

  fs::create_directory(dir.file("folder"));
  EXPECT_FALSE(MoveFileA(dir.file("folder").c_str(), target.c_str()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_NOT_SAME_DEVICE));
  EXPECT_TRUE(fs::exists(dir.file("folder")));
  EXPECT_FALSE(fs::exists(target));
}

}  // namespace

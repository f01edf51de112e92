// Version information read back from module files: the sizes, the fixed
// part, the texts and the translation, and what files without it, damaged
// files and small buffers give.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "subprocess.h"
#include "temp_dir.h"

namespace {

std::string module_path() { return test_support::helper_path("version_module.so"); }

std::vector<unsigned char> read_bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void write_bytes(const std::string& path, const std::vector<unsigned char>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// The whole block of a file, or nothing (with the last error as it was left).
std::optional<std::vector<unsigned char>> version_info(const std::string& path) {
  DWORD handle = 99;
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), &handle);
  EXPECT_EQ(handle, 0u);
  if (size == 0) return std::nullopt;
  std::vector<unsigned char> block(size);
  if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data())) return std::nullopt;
  return block;
}

std::optional<std::string> text(const std::vector<unsigned char>& block, const std::string& path) {
  LPVOID value = nullptr;
  UINT length = 0;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length)) return std::nullopt;
  const char* chars = static_cast<const char*>(value);
  EXPECT_GT(length, 0u) << path;
  EXPECT_EQ(chars[length - 1], '\0') << path;  // the length counts the NUL
  return std::string(chars, length - 1);
}

// Where the block starts in a module file's bytes.
std::size_t block_offset(const std::vector<unsigned char>& file) {
  const std::string key = "VS_VERSION_INFO";
  auto found = std::search(file.begin(), file.end(), key.begin(), key.end());
  EXPECT_NE(found, file.end());
  return static_cast<std::size_t>(found - file.begin()) - 4;
}

TEST(VersionInfo, TheFixedPartHoldsTheVersionsAndFlags) {
  auto block = version_info(module_path());
  ASSERT_TRUE(block) << GetLastError();
  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block->data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, 0xFEEF04BDu);
  EXPECT_EQ(fixed.dwStrucVersion, 0x00010000u);
  EXPECT_EQ(fixed.dwFileVersionMS, (2u << 16) | 15u);
  EXPECT_EQ(fixed.dwFileVersionLS, (300u << 16) | 65535u);
  EXPECT_EQ(fixed.dwProductVersionMS, (7u << 16) | 1u);
  EXPECT_EQ(fixed.dwProductVersionLS, 0u);
  EXPECT_EQ(fixed.dwFileFlagsMask, 0x3Fu);
  EXPECT_EQ(fixed.dwFileFlags, VS_FF_PRERELEASE | VS_FF_PRIVATEBUILD);
  EXPECT_EQ(fixed.dwFileOS, VOS_NT_WINDOWS32);
  EXPECT_EQ(fixed.dwFileType, VFT_DLL);
  EXPECT_EQ(fixed.dwFileSubtype, VFT2_UNKNOWN);
  EXPECT_EQ(fixed.dwFileDateMS, 0u);
  EXPECT_EQ(fixed.dwFileDateLS, 0u);
  // The block's own length is the size asked for.
  EXPECT_EQ(block->size(), static_cast<std::size_t>((*block)[0] | (*block)[1] << 8));
}

TEST(VersionInfo, TextsAreFoundUnderTheTranslationsLanguageAndCodePage) {
  auto block = version_info(module_path());
  ASSERT_TRUE(block) << GetLastError();
  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block->data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  WORD translation[2];
  std::memcpy(translation, value, sizeof translation);
  EXPECT_EQ(translation[0], 0x0407);
  EXPECT_EQ(translation[1], 1252);

  const std::string table = "\\StringFileInfo\\040704E4\\";
  EXPECT_EQ(text(*block, table + "CompanyName"), "Test Company");
  EXPECT_EQ(text(*block, table + "FileDescription"), "Version test module");
  EXPECT_EQ(text(*block, table + "FileVersion"), "2.15.300.65535 (test build)");
  EXPECT_EQ(text(*block, table + "InternalName"), "version_module");
  EXPECT_EQ(text(*block, table + "OriginalFilename"), "version_module.so");
  EXPECT_EQ(text(*block, table + "ProductName"), "Version Tests");
  // Written from the numbers when the module gives no text.
  EXPECT_EQ(text(*block, table + "ProductVersion"), "7.1.0.0");
  std::optional<std::string> comments = text(*block, table + "Comments");
  ASSERT_TRUE(comments);
  EXPECT_EQ(comments->size(), 171u);
  EXPECT_TRUE(comments->starts_with("A comment that runs on and on: 0123"));
  // Keys match without regard to case; empty fields are left out.
  EXPECT_EQ(text(*block, "\\stringfileinfo\\040704e4\\companyname"), "Test Company");
  EXPECT_EQ(text(*block, table + "LegalCopyright"), std::nullopt);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(text(*block, "\\StringFileInfo\\040904E4\\CompanyName"), std::nullopt);
  EXPECT_EQ(text(*block, table + "CompanyName\\More"), std::nullopt);
  EXPECT_FALSE(VerQueryValueA(block->data(), "\\Company", &value, &length));
  EXPECT_FALSE(VerQueryValueA(nullptr, "\\", &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  EXPECT_FALSE(VerQueryValueA(block->data(), nullptr, &value, &length));
  EXPECT_FALSE(VerQueryValueA(block->data(), "\\", nullptr, &length));
}

TEST(VersionInfo, WindowsFileNamesAreRead) {
  std::string windows_name = module_path();
  std::replace(windows_name.begin(), windows_name.end(), '/', '\\');
  auto block = version_info(windows_name);
  ASSERT_TRUE(block) << GetLastError();
  EXPECT_EQ(text(*block, "\\StringFileInfo\\040704E4\\InternalName"), "version_module");
}

TEST(VersionInfo, FilesWithoutVersionInformationSaySo) {
  test_support::TempDir dir;
  DWORD handle = 0;
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("missing.dll").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  write_bytes(dir.file("notes.txt"), {'n', 'o', 't', ' ', 'a', ' ', 'm', 'o', 'd', 'u', 'l', 'e'});
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("notes.txt").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  write_bytes(dir.file("empty.dll"), {});
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("empty.dll").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.path().string().c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  // A module with strings and accelerators but no version information.
  std::string plain = test_support::helper_path("resource_module.so");
  EXPECT_EQ(GetFileVersionInfoSizeA(plain.c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  std::vector<unsigned char> block(64);
  EXPECT_FALSE(GetFileVersionInfoA(plain.c_str(), 0, 64, block.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_TYPE_NOT_FOUND));
  EXPECT_EQ(GetFileVersionInfoSizeA(nullptr, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

TEST(VersionInfo, DamagedFilesGiveErrorsNotCrashes) {
  test_support::TempDir dir;
  const std::vector<unsigned char> good = read_bytes(module_path());
  ASSERT_GT(good.size(), 64u);
  const std::size_t at = block_offset(good);
  DWORD handle = 0;

  std::vector<unsigned char> bad = good;
  bad[at + 4] = 'X';  // the root's key
  write_bytes(dir.file("key.so"), bad);
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("key.so").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));

  bad = good;
  bad[at] = 0xFF;  // a root longer than the section
  bad[at + 1] = 0xFF;
  write_bytes(dir.file("length.so"), bad);
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("length.so").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));

  // A section table beyond the file's end, and a file cut anywhere.
  bad = good;
  std::fill_n(bad.begin() + 0x28, 8, 0x7F);  // e_shoff
  write_bytes(dir.file("table.so"), bad);
  EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("table.so").c_str(), &handle), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
  for (std::size_t cut : {std::size_t{3}, std::size_t{63}, std::size_t{64}, at + 10, good.size() - 1}) {
    write_bytes(dir.file("cut.so"), std::vector<unsigned char>(good.begin(), good.begin() + cut));
    EXPECT_EQ(GetFileVersionInfoSizeA(dir.file("cut.so").c_str(), &handle), 0u) << cut;
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND)) << cut;
  }

  // A child that claims more than its parent holds is not followed.
  auto block = version_info(module_path());
  ASSERT_TRUE(block);
  const std::string key = "StringFileInfo";
  auto child = std::search(block->begin(), block->end(), key.begin(), key.end()) - 4;
  child[0] = 0xF0;
  child[1] = 0xFF;
  LPVOID value = nullptr;
  UINT length = 0;
  EXPECT_FALSE(VerQueryValueA(block->data(), "\\StringFileInfo\\040704E4\\CompanyName", &value, &length));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_DATA));
  EXPECT_TRUE(VerQueryValueA(block->data(), "\\", &value, &length));
}

TEST(VersionInfo, ASmallBufferGetsTheStartMarkedAsThatLong) {
  const std::string path = module_path();
  DWORD size = GetFileVersionInfoSizeA(path.c_str(), nullptr);
  ASSERT_GT(size, 200u);
  // The fixed part fits, the texts do not.
  const DWORD small = 120;
  std::vector<unsigned char> block(size, 0xEE);
  ASSERT_TRUE(GetFileVersionInfoA(path.c_str(), 0, small, block.data()));
  EXPECT_EQ(block[0] | block[1] << 8, static_cast<int>(small));
  EXPECT_TRUE(std::all_of(block.begin() + small, block.end(), [](unsigned char b) { return b == 0xEE; }));
  LPVOID value = nullptr;
  UINT length = 0;
  EXPECT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\StringFileInfo\\040704E4\\CompanyName", &value, &length));
  EXPECT_FALSE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));

  EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, 3, block.data()));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  EXPECT_FALSE(GetFileVersionInfoA(path.c_str(), 0, size, nullptr));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace

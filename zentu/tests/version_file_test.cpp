// Zentu.dlx's version information, read back from the built module file.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

// The file's whole block, or nothing (with the error in the last error).
std::vector<unsigned char> zentu_version_info() {
  DWORD size = GetFileVersionInfoSizeA(ZENTU_MODULE_FILE, nullptr);
  std::vector<unsigned char> block(size);
  if (size == 0 || !GetFileVersionInfoA(ZENTU_MODULE_FILE, 0, size, block.data())) return {};
  return block;
}

std::optional<std::string> version_text(const std::vector<unsigned char>& block, const char* key) {
  LPVOID value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) return std::nullopt;
  return std::string(static_cast<const char*>(value), length - 1);
}

TEST(ZentuModuleFile, SaysItIsVersion13BuiltForHostRelease5100) {
  std::vector<unsigned char> block = zentu_version_info();
  ASSERT_FALSE(block.empty()) << "error " << GetLastError();
  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwSignature, VS_FFI_SIGNATURE);
  EXPECT_EQ(HIWORD(fixed.dwFileVersionMS), 13);
  EXPECT_EQ(LOWORD(fixed.dwFileVersionMS), 0);
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  EXPECT_EQ(fixed.dwProductVersionMS, 13u << 16);
  EXPECT_EQ(fixed.dwProductVersionLS, 0u);
  EXPECT_EQ(fixed.dwFileType, VFT_DLL);
  EXPECT_EQ(fixed.dwFileOS, VOS_NT_WINDOWS32);

  ASSERT_TRUE(VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length));
  ASSERT_EQ(length, 4u);
  WORD translation[2];
  std::memcpy(translation, value, sizeof translation);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 1252);

  EXPECT_EQ(version_text(block, "FileVersion"), "13.0.0.0");
  EXPECT_EQ(version_text(block, "ProductVersion"), "13.0.0.0");
  EXPECT_EQ(version_text(block, "FileDescription"), "Zentu MaxScript Extension");
  EXPECT_EQ(version_text(block, "ProductName"), "Zentu");
  EXPECT_EQ(version_text(block, "InternalName"), "Zentu");
  EXPECT_EQ(version_text(block, "OriginalFilename"), "Zentu.dlx");
  EXPECT_EQ(version_text(block, "Comments"), "Built for host release 5100 (LibVersion 0x13EC0800)");
  EXPECT_EQ(version_text(block, "LegalCopyright"), std::nullopt);
}

}  // namespace

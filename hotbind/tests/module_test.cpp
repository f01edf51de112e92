// The module as the host sees it: its exports, its one class and the
// shortcut table the class offers, with names and keys from its resources.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "host/maxscript.h"

#include "hotbind_class_desc.h"
#include "hotbind_gup.h"
#include "hotbind_ids.h"

MODULE_EXPORT BOOL DllMain(HINSTANCE instance, DWORD reason, LPVOID);
MODULE_EXPORT const char* LibDescription();
MODULE_EXPORT int LibNumberClasses();
MODULE_EXPORT ClassDesc* LibClassDesc(int i);
MODULE_EXPORT ULONG LibVersion();

namespace {

class HotbindModule : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_ATTACH, nullptr); }
  static void TearDownTestSuite() { DllMain(GetModuleHandleA(nullptr), DLL_PROCESS_DETACH, nullptr); }
};

TEST_F(HotbindModule, ExportsOneGlobalUtilityClass) {
  EXPECT_STREQ(LibDescription(), "Hotbind");
  EXPECT_EQ(LibVersion(), 0x0BB80700u);
  EXPECT_EQ(LibNumberClasses(), 1);
  EXPECT_EQ(LibClassDesc(1), nullptr);
  EXPECT_EQ(LibClassDesc(-1), nullptr);
  ClassDesc* cd = LibClassDesc(0);
  ASSERT_NE(cd, nullptr);
  EXPECT_EQ(cd->IsPublic(), 1);
  EXPECT_STREQ(cd->ClassName(), "Hotbind");
  EXPECT_EQ(cd->SuperClassID(), 0x10E0u);
  EXPECT_EQ(cd->ClassID(), Class_ID(0x6E8673FC, 0x273661A8));
  EXPECT_STREQ(cd->Category(), "Global Utility PlugIn");
  EXPECT_EQ(cd->NumShortcutTables(), 1);
}

TEST_F(HotbindModule, TheTableIsBuiltOnceFromTheStringResources) {
  ClassDesc* cd = LibClassDesc(0);
  ShortcutTable* table = cd->GetShortcutTable(0);
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(cd->GetShortcutTable(0), table);
  EXPECT_EQ(cd->GetShortcutTable(3), table);
  EXPECT_EQ(table->GetId(), 0x3E0548BBu);
  EXPECT_STREQ(table->GetName(), "MAXScript Shortcuts");
  ASSERT_EQ(table->Count(), 51);
  EXPECT_EQ((*table)[0]->GetId(), 999);
  EXPECT_STREQ((*table)[0]->GetName(), " * Reload MAXScriptShortcuts.txt");
  EXPECT_EQ((*table)[1]->GetId(), 1000);
  EXPECT_STREQ((*table)[1]->GetName(), "Shortcut 01");
  EXPECT_EQ((*table)[9]->GetId(), 1008);
  EXPECT_STREQ((*table)[9]->GetName(), "Shortcut 09");
  EXPECT_EQ((*table)[50]->GetId(), 1049);
  EXPECT_STREQ((*table)[50]->GetName(), "Shortcut 50");
  EXPECT_EQ((*table)[51], nullptr);
  EXPECT_EQ(table->GetIndex(1010), 11);
}

TEST_F(HotbindModule, OnlyTheReloadCommandHasADefaultKey) {
  ShortcutTable* table = LibClassDesc(0)->GetShortcutTable(0);
  ASSERT_NE(table, nullptr);
  ACCEL keys[60] = {};
  ASSERT_EQ(CopyAcceleratorTableA(table->GetHAccel(), nullptr, 0), 51);
  ASSERT_EQ(CopyAcceleratorTableA(table->GetHAccel(), keys, 60), 51);
  // Stored as 1001, 1000, 1002 ... 1049, then 999.
  EXPECT_EQ(keys[0].cmd, 1001);
  EXPECT_EQ(keys[1].cmd, 1000);
  for (int i = 2; i < 50; ++i) EXPECT_EQ(keys[i].cmd, 1000 + i) << i;
  for (int i = 0; i < 50; ++i) {
    EXPECT_EQ(keys[i].key, 0) << i;
    EXPECT_EQ(keys[i].fVirt, FNOINVERT) << i;
  }
  EXPECT_EQ(keys[50].cmd, 999);
  EXPECT_EQ(keys[50].key, 'M');
  EXPECT_EQ(keys[50].fVirt, FVIRTKEY | FNOINVERT | FCONTROL | FALT);
}

TEST_F(HotbindModule, FiredCommandsOutsideTheTableDoNothing) {
  auto* plugin = static_cast<HotbindGUP*>(LibClassDesc(0)->Create(FALSE));
  ASSERT_NE(plugin, nullptr);
  EXPECT_EQ(plugin->Dispatch(998), FALSE);
  EXPECT_EQ(plugin->Dispatch(1050), FALSE);
  EXPECT_EQ(plugin->Control(7), 0u);
  delete plugin;
}

// A text of the version information in hotbind.gup's file.
std::optional<std::string> version_text(const std::vector<unsigned char>& block, const char* key) {
  LPVOID value = nullptr;
  UINT length = 0;
  std::string path = std::string("\\StringFileInfo\\040904E4\\") + key;
  if (!VerQueryValueA(block.data(), path.c_str(), &value, &length) || length == 0) return std::nullopt;
  return std::string(static_cast<const char*>(value), length - 1);
}

TEST(HotbindModuleFile, CarriesItsVersionInformation) {
  DWORD size = GetFileVersionInfoSizeA(HOTBIND_MODULE_FILE, nullptr);
  ASSERT_GT(size, 0u) << "error " << GetLastError();
  std::vector<unsigned char> block(size);
  ASSERT_TRUE(GetFileVersionInfoA(HOTBIND_MODULE_FILE, 0, size, block.data()));
  LPVOID value = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueA(block.data(), "\\", &value, &length));
  ASSERT_EQ(length, sizeof(VS_FIXEDFILEINFO));
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, value, sizeof fixed);
  EXPECT_EQ(fixed.dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwFileVersionLS, 0u);
  EXPECT_EQ(fixed.dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed.dwFileType, VFT_DLL);
  EXPECT_EQ(fixed.dwFileFlags, 0u);
  EXPECT_EQ(version_text(block, "FileVersion"), "1.0.0.0");
  EXPECT_EQ(version_text(block, "ProductVersion"), "1.0.0.0");
  EXPECT_EQ(version_text(block, "ProductName"), LibDescription());
  EXPECT_EQ(version_text(block, "FileDescription"), "MAXScript keyboard shortcuts (global utility plug-in)");
  EXPECT_EQ(version_text(block, "InternalName"), "hotbind");
  EXPECT_EQ(version_text(block, "OriginalFilename"), "hotbind.gup");
  // The comment names the host release LibVersion gives.
  char built_for[80];
  std::snprintf(built_for, sizeof built_for, "Built for host release %u (LibVersion 0x%08X)",
                static_cast<unsigned>(LibVersion() >> 16), static_cast<unsigned>(LibVersion()));
  EXPECT_EQ(version_text(block, "Comments"), built_for);
  EXPECT_EQ(version_text(block, "CompanyName"), std::nullopt);
}

}  // namespace

#include <commctrl.h>
#include <winapi/resource_table.h>
#include <windows.h>

#include "subprocess.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

// Resources of the test program itself.
const ModuleResources own_resources{
    {{1, "Own one"}, {2, std::string(600, 's')}, {3, ""}},
    {{10, {{FVIRTKEY, 'A', 100}, {FVIRTKEY | FSHIFT, 'B', 101}, {FVIRTKEY | FCONTROL, 'C', 102}}}}};

struct ModuleCloser {
  void operator()(void* handle) const { dlclose(handle); }
};
using LoadedModule = std::unique_ptr<void, ModuleCloser>;

LoadedModule load_module() {
  std::string path = test_support::helper_path("resource_module.so");
  return LoadedModule(dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL));
}

TEST(LoadString, ReadsTheProgramsOwnStrings) {
  HINSTANCE self = GetModuleHandleA(nullptr);
  ASSERT_NE(self, nullptr);
  char buffer[256];
  EXPECT_EQ(LoadStringA(self, 1, buffer, sizeof buffer), 7);
  EXPECT_STREQ(buffer, "Own one");
  EXPECT_EQ(LoadStringA(self, 2, buffer, sizeof buffer), 255);
  EXPECT_EQ(std::string(buffer), std::string(255, 's'));
  EXPECT_EQ(LoadStringA(self, 1, buffer, 4), 3);
  EXPECT_STREQ(buffer, "Own");
  EXPECT_EQ(LoadStringA(self, 99, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_STREQ(buffer, "");
  EXPECT_EQ(LoadStringA(self, 1, buffer, 0), 0);
}

TEST(LoadString, EachModuleHasItsOwnResources) {
  LoadedModule module = load_module();
  ASSERT_NE(module, nullptr) << dlerror();
  auto instance = static_cast<HINSTANCE>(module.get());
  char buffer[64];
  EXPECT_EQ(LoadStringA(instance, 116, buffer, sizeof buffer), 14);
  EXPECT_STREQ(buffer, "Module Strings");
  EXPECT_EQ(LoadStringA(instance, 1, buffer, sizeof buffer), 0);  // the program's, not the module's
  EXPECT_EQ(LoadStringA(GetModuleHandleA(nullptr), 116, buffer, sizeof buffer), 0);
  EXPECT_EQ(LoadStringA(nullptr, 116, buffer, sizeof buffer), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_DATA_NOT_FOUND));
}

TEST(LoadAccelerators, GivesTheTableInItsStoredOrder) {
  LoadedModule module = load_module();
  ASSERT_NE(module, nullptr) << dlerror();
  HACCEL table = LoadAcceleratorsA(static_cast<HINSTANCE>(module.get()), MAKEINTRESOURCEA(202));
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(CopyAcceleratorTableA(table, nullptr, 0), 2);
  ACCEL entries[4]{};
  ASSERT_EQ(CopyAcceleratorTableA(table, entries, 4), 2);
  EXPECT_EQ(entries[0].cmd, 1001);
  EXPECT_EQ(entries[0].key, 0);
  EXPECT_EQ(entries[0].fVirt, FVIRTKEY | FNOINVERT);
  EXPECT_EQ(entries[1].cmd, 999);
  EXPECT_EQ(entries[1].key, 'M');
  EXPECT_EQ(entries[1].fVirt, FVIRTKEY | FCONTROL | FALT | FNOINVERT);
  EXPECT_EQ(CopyAcceleratorTableA(table, entries, 1), 1);

  EXPECT_EQ(LoadAcceleratorsA(static_cast<HINSTANCE>(module.get()), MAKEINTRESOURCEA(203)), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_NAME_NOT_FOUND));
  EXPECT_EQ(LoadAcceleratorsA(static_cast<HINSTANCE>(module.get()), "NAMED"), nullptr);
}

TEST(LoadAccelerators, TablesOfAnUnloadedModuleAreNoLongerAccepted) {
  HACCEL own = LoadAcceleratorsA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(10));
  ASSERT_NE(own, nullptr);
  EXPECT_EQ(CopyAcceleratorTableA(own, nullptr, 0), 3);

  LoadedModule module = load_module();
  ASSERT_NE(module, nullptr);
  HACCEL table = LoadAcceleratorsA(static_cast<HINSTANCE>(module.get()), MAKEINTRESOURCEA(202));
  ASSERT_NE(table, nullptr);
  module.reset();  // unloading destroys the module's resources
  if (dlopen(test_support::helper_path("resource_module.so").c_str(), RTLD_NOW | RTLD_NOLOAD)) {
    GTEST_SKIP() << "the module stayed loaded";
  }
  ACCEL entry{};
  EXPECT_EQ(CopyAcceleratorTableA(table, &entry, 1), 0);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_ACCEL_HANDLE));
  EXPECT_EQ(CopyAcceleratorTableA(reinterpret_cast<HACCEL>(&entry), nullptr, 0), 0);
}

TEST(CommonControls, InitialisationIsRecorded) {
  EXPECT_FALSE(CommonControlsInitialized());
  INITCOMMONCONTROLSEX bad{0, ICC_WIN95_CLASSES};
  EXPECT_FALSE(InitCommonControlsEx(&bad));
  EXPECT_FALSE(CommonControlsInitialized());
  InitCommonControls();
  EXPECT_TRUE(CommonControlsInitialized());
}

}  // namespace

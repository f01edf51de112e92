// The folders plug-ins ask the host for, and how the listener and the
// environment choose them.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "host/paths.h"
#include "script/system_dirs.h"

namespace {

namespace fs = std::filesystem;

class PathsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    base_ = fs::temp_directory_path() / ("paths_test_" + std::to_string(getpid()));
    fs::remove_all(base_);
    setenv("HOST_USER_DIR", base_.c_str(), 1);
    unsetenv("HOST_SCRIPTS_DIR");
    host::script::set_scripts_dir("");
  }
  void TearDown() override {
    unsetenv("HOST_USER_DIR");
    unsetenv("HOST_SCRIPTS_DIR");
    host::script::set_scripts_dir("");
    fs::remove_all(base_);
  }
  std::string dir(int which) { return IPathConfigMgr::GetPathConfigMgr()->GetDir(which); }
  fs::path base_;
};

TEST_F(PathsTest, UserFoldersLieUnderTheBaseAndAreMadeWhenAskedFor) {
  EXPECT_EQ(dir(APP_PLUGCFG_DIR), base_.string() + "/plugcfg");
  EXPECT_TRUE(fs::is_directory(base_ / "plugcfg"));
  EXPECT_EQ(dir(APP_SCRIPTS_DIR), base_.string() + "/scripts");
  EXPECT_EQ(dir(APP_STARTUPSCRIPTS_DIR), base_.string() + "/scripts/startup");
  EXPECT_EQ(dir(APP_MAXDATA_DIR), base_.string());
  EXPECT_STREQ(IPathConfigMgr::GetPathConfigMgr()->GetDir(-1), "");
  EXPECT_STREQ(IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_MAXDATA_DIR + 1), "");
}

TEST_F(PathsTest, TheListenerOptionWinsOverTheEnvironment) {
  setenv("HOST_SCRIPTS_DIR", "/from/env", 1);
  EXPECT_EQ(dir(APP_SCRIPTS_DIR), "/from/env");
  host::script::set_scripts_dir((base_ / "option").string());
  EXPECT_EQ(dir(APP_SCRIPTS_DIR), (base_ / "option").string());
  EXPECT_EQ(dir(APP_STARTUPSCRIPTS_DIR), (base_ / "option" / "startup").string());
}

TEST_F(PathsTest, TextsHandedOutStayValidWhenTheFolderChanges) {
  const char* first = IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_SCRIPTS_DIR);
  std::string kept = first;
  EXPECT_EQ(IPathConfigMgr::GetPathConfigMgr()->GetDir(APP_SCRIPTS_DIR), first);
  host::script::set_scripts_dir((base_ / "elsewhere").string());
  EXPECT_NE(dir(APP_SCRIPTS_DIR), kept);
  EXPECT_EQ(std::string(first), kept);
}

TEST_F(PathsTest, TheRootEndsInASeparator) {
  std::string root = dir(APP_MAXROOT_DIR);
  ASSERT_FALSE(root.empty());
  EXPECT_EQ(root.back(), '/');
}

}  // namespace

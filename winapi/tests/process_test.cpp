#include <winapi/process.h>

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

using test_support::read_file;
using test_support::TempDir;

namespace {

// Waits (guarded, 20 s) until a file has the wanted content.
bool wait_for_content(const std::string& path, const std::string& wanted) {
  for (int attempt = 0; attempt < 400; ++attempt) {
    if (std::filesystem::exists(path) && read_file(path) == wanted) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return false;
}

TEST(StartDetachedProcess, ArgumentsArriveIntact) {
  TempDir dir;
  const std::string out = dir.file("args");
  const std::string tricky = "a title with  blanks, \"quotes\", 'single' and $HOME " + std::string(2000, 'x');
  // The copy writes its arguments, one per line, to the file.
  ASSERT_TRUE(StartDetachedProcess(
      "sh",
      {"sh", "-c", "printf '%s\\n' \"$@\" > \"$0.tmp\" && mv \"$0.tmp\" \"$0\"", out, tricky, "", "last"}));
  EXPECT_TRUE(wait_for_content(out, tricky + "\n\nlast\n"));
}

TEST(StartDetachedProcess, CopyRunsInASessionOfItsOwnWithoutTheTerminal) {
  TempDir dir;
  const std::string out = dir.file("ids");
  // The copy reports its session, its parent and what its standard input is.
  const std::string script =
      "echo \"$(ps -o sid= -p $$) $(ps -o ppid= -p $$) $(readlink /proc/$$/fd/0)\" > \"$0.tmp\" && "
      "mv \"$0.tmp\" \"$0\"";
  ASSERT_TRUE(StartDetachedProcess("sh", {"sh", "-c", script, out}));
  for (int attempt = 0; attempt < 400 && !std::filesystem::exists(out); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  std::string ids = read_file(out);
  int session = 0, parent = 0;
  char input[256] = "";
  ASSERT_EQ(std::sscanf(ids.c_str(), "%d %d %255s", &session, &parent, input), 3) << ids;
  EXPECT_NE(session, getsid(0));  // a session of its own
  EXPECT_NE(parent, getpid());    // not this process's child: no zombie here when it ends
  EXPECT_STREQ(input, "/dev/null");
}

TEST(StartDetachedProcess, MissingProgramFails) {
  EXPECT_FALSE(StartDetachedProcess("/no/such/program", {"x"}));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  EXPECT_FALSE(StartDetachedProcess("", {}));
}

}  // namespace

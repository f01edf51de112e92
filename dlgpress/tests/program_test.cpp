#include <windows.h>

#include "subprocess.h"
#include "x_display_fixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <thread>
#include <sstream>

using test_support::run;
using test_support::RunResult;
using test_support::Subprocess;

namespace {

RunResult dlgpress(std::vector<std::string> arguments) {
  arguments.insert(arguments.begin(), DLGPRESS_PATH);
  return run(arguments);
}

std::vector<std::string> lines_of(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

TEST(DlgpressUsage, NoArgumentsPrintTheUsageText) {
  RunResult result = dlgpress({});
  EXPECT_EQ(result.exit_code, 0);
  std::vector<std::string> lines = lines_of(result.output);
  std::vector<std::string> expected = {
      "usage: dlgpress <WindowTitle> <ID>   -- or",
      "usage: dlgpress <WindowTitle> <ID> <seconds>  -- or",
      "usage: dlgpress -l",
      "example: doscommand \"dlgpress \" VRML 2.0 Exporter\" 1 15\"",
      "         exportfile \"demo.wrl\" #noprompt",
      "dlgpress sends a WM_COMMAND message to a window with a",
      "given name. If you use it to \"batch\" drive a dialogbox",
      "you have to use the dialog title to identify the dialog box",
      "If the title contains blanks - you must quote the title",
      "Use the -l option to list all windows (watch out for blanks in title!)",
      "Put the call of dlgpress in front of the dialogboxcall and add a time",
      "in seconds on the commandline. Dlgpress will start a subprocess which",
      "waits for the dialogbox to come up",
      "",
      "The most used Command ID's are:",
      "IDOK: ID=1IDCANCEL: ID=2IDABORT:ID=3IDRETRY:ID=4",
      "IDIGNORE:ID=5IDYES:ID=6IDNO:ID=7IDCLOSE:ID=8IDHELP:ID=9",
      "",
  };
  ASSERT_EQ(lines.size(), expected.size() + 1);
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(lines[i], expected[i]) << "line " << i;
  EXPECT_NE(lines.back().find("dlgpress 1.0"), std::string::npos);
}

TEST(DlgpressUsage, FiveOrMoreArgumentsDoNothing) {
  for (auto arguments : {std::vector<std::string>{"a", "1", "2", "spawn", "e"},
                         std::vector<std::string>{"a", "1", "2", "3", "4", "5"}}) {
    RunResult result = dlgpress(arguments);
    EXPECT_EQ(result.exit_code, 0);
    EXPECT_EQ(result.output, "");
  }
}

using DlgpressTest = XDisplayTest;

TEST_F(DlgpressTest, AnySingleWordListsTheTitledWindows) {
  auto first = open_window({"--title", "Alpha Dialog"});
  auto second = open_window({"--net-name", "Beta \"quoted\" Dialog"});
  auto untitled = open_window({});
  for (const std::string word : {"-l", "list", "x"}) {
    RunResult result = dlgpress({word});
    EXPECT_EQ(result.exit_code, 0);
    std::vector<std::string> lines = lines_of(result.output);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<Alpha Dialog>"), lines.end()) << word;
    EXPECT_NE(std::find(lines.begin(), lines.end(), "<Beta \"quoted\" Dialog>"), lines.end());
    EXPECT_EQ(lines.size(), 2u) << result.output;  // the untitled window is left out
  }
}

TEST_F(DlgpressTest, ListingCutsTitlesAt511Characters) {
  auto window = open_window({"--title", std::string(700, 'w')});
  RunResult result = dlgpress({"-l"});
  EXPECT_EQ(result.output, "<" + std::string(511, 'w') + ">\n");
}

TEST_F(DlgpressTest, SendsTheCommandToTheWindowWithThatTitle) {
  auto window = open_window({"--title", "VRML 2.0 Exporter"});
  RunResult result = dlgpress({"VRML 2.0 Exporter", "1"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(window->read_line(), "WM_COMMAND 1 0");

  EXPECT_EQ(dlgpress({"VRML 2.0 Exporter", "Cancel"}).exit_code, 0);
  EXPECT_EQ(window->read_line(), "WM_COMMAND 0 0");
  EXPECT_EQ(dlgpress({"VRML 2.0 Exporter", "-1"}).exit_code, 0);
  EXPECT_EQ(window->read_line(), "WM_COMMAND 4294967295 0");
  EXPECT_EQ(dlgpress({"VRML 2.0 Exporter", " 9x"}).exit_code, 0);
  EXPECT_EQ(window->read_line(), "WM_COMMAND 9 0");
}

TEST_F(DlgpressTest, MissingWindowOrPartOfATitleIsNotFound) {
  auto window = open_window({"--title", "Export Scene"});
  RunResult result = dlgpress({"Export", "1"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.output, "Window: \"Export\" not found\n");
  result = dlgpress({"No \"Such\" Window", "2"});
  EXPECT_EQ(result.exit_code, 1);
  EXPECT_EQ(result.output, "Window: \"No \"Such\" Window\" not found\n");
  // Nothing was posted by the failed calls: the first command to arrive is this one.
  EXPECT_EQ(dlgpress({"Export Scene", "7"}).exit_code, 0);
  EXPECT_EQ(window->read_line(), "WM_COMMAND 7 0");
}

TEST_F(DlgpressTest, PressesARealClientsWindow) {
  Subprocess xmessage({"xmessage", "-title", "Real Client Dialog", "press me"});
  // Wait (guarded: 20 s) until xmessage's window is up.
  for (int attempt = 0; attempt < 400 && FindWindowA(nullptr, "Real Client Dialog") == nullptr;
       ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  RunResult result = dlgpress({"Real Client Dialog", "1"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "");
}

TEST_F(DlgpressTest, BackgroundCopyWaitsForTheWindowAndPressesIt) {
  const std::string title = "Options \"for\" export " + std::string(600, 't');
  RunResult result = dlgpress({title, "6", "20"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "");
  // The starter has ended; the window comes up only now.
  auto window = open_window({"--title", title});
  EXPECT_EQ(window->read_line(), "WM_COMMAND 6 0");
}

TEST_F(DlgpressTest, CopyPressesAWindowThatIsAlreadyThere) {
  auto window = open_window({"--title", "Already Open"});
  RunResult result = dlgpress({"Already Open", "2", "5", "spawn"});
  EXPECT_EQ(result.exit_code, 0);
  EXPECT_EQ(result.output, "");
  EXPECT_EQ(window->read_line(), "WM_COMMAND 2 0");
}

TEST_F(DlgpressTest, CopyGivesUpSilentlyWhenTheTimeIsUp) {
  for (const std::string seconds : {"0", "-3", "none"}) {
    RunResult result = dlgpress({"Never Shown", "1", seconds, "spawn"});
    EXPECT_EQ(result.exit_code, 0) << seconds;
    EXPECT_EQ(result.output, "") << seconds;
  }
}

TEST(DlgpressWithoutDisplay, FindsNothingAndStillEndsCleanly) {
  setenv("DISPLAY", ":9999", 1);
  RunResult once = dlgpress({"Anything", "1"});
  EXPECT_EQ(once.exit_code, 1);
  EXPECT_EQ(once.output, "Window: \"Anything\" not found\n");
  RunResult list = dlgpress({"-l"});
  EXPECT_EQ(list.exit_code, 0);
  EXPECT_EQ(list.output, "");
  RunResult copy = dlgpress({"Anything", "1", "-1", "spawn"});
  EXPECT_EQ(copy.exit_code, 0);
  unsetenv("DISPLAY");
}

}  // namespace

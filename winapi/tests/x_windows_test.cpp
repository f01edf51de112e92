#include <windows.h>

#include "x_display_fixture.h"

#include <X11/Xlib.h>

#include <chrono>
#include <cstdint>
#include <thread>

using test_support::Subprocess;

namespace {

// Starts xmessage, a client no one here wrote, and waits until its window can
// be found by its title.
std::unique_ptr<Subprocess> open_xmessage(const std::string& title) {
  auto client = std::make_unique<Subprocess>(
      std::vector<std::string>{"xmessage", "-title", title, "-buttons", "", "hello"});
  // xmessage tells nothing when its window is up: look for it (a guard of
  // 20 s against a client that never comes up, not a timing check).
  for (int attempt = 0; attempt < 400 && FindWindowA(nullptr, title.c_str()) == nullptr; ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  return client;
}

BOOL collect(HWND window, LPARAM list) {
  char title[512];
  GetWindowTextA(window, title, sizeof title);
  reinterpret_cast<std::vector<std::string>*>(list)->push_back(title);
  return TRUE;
}

std::vector<std::string> all_titles() {
  std::vector<std::string> titles;
  EXPECT_TRUE(EnumWindows(collect, reinterpret_cast<LPARAM>(&titles)));
  return titles;
}

bool contains(const std::vector<std::string>& list, const std::string& item) {
  return std::find(list.begin(), list.end(), item) != list.end();
}

using XWindowsTest = XDisplayTest;

TEST_F(XWindowsTest, FindsRealClientsByTheirWholeTitle) {
  auto xmessage = open_xmessage("Export Options");
  HWND found = FindWindowA(nullptr, "Export Options");
  ASSERT_NE(found, nullptr);
  EXPECT_TRUE(IsWindow(found));
  char text[64];
  EXPECT_EQ(GetWindowTextA(found, text, sizeof text), 14);
  EXPECT_STREQ(text, "Export Options");
  EXPECT_EQ(GetWindowTextLengthA(found), 14);
  // Case does not matter, parts of the title do not match.
  EXPECT_EQ(FindWindowA(nullptr, "export options"), found);
  EXPECT_EQ(FindWindowA(nullptr, "Export"), nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "Export Options!"), nullptr);
  EXPECT_TRUE(contains(all_titles(), "Export Options"));
}

TEST_F(XWindowsTest, PostedCommandReachesTheWindow) {
  auto window = open_window({"--title", "Command Target"});
  HWND found = FindWindowA(nullptr, "Command Target");
  ASSERT_NE(found, nullptr);
  ASSERT_TRUE(PostMessageA(found, WM_COMMAND, 1, 0));
  EXPECT_EQ(window->read_line(), "WM_COMMAND 1 0");
  ASSERT_TRUE(PostMessageA(found, WM_COMMAND, static_cast<WPARAM>(static_cast<DWORD>(-2)), 77));
  EXPECT_EQ(window->read_line(), "WM_COMMAND 4294967294 77");
}

TEST_F(XWindowsTest, FindsClientsInsideWindowManagerFrames) {
  auto framed = open_window({"--title", "Framed Dialog", "--frame", "--class", "DialogClass"});
  HWND found = FindWindowA(nullptr, "Framed Dialog");
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(FindWindowA("dialogclass", "Framed Dialog"), found);
  EXPECT_EQ(FindWindowA("OtherClass", "Framed Dialog"), nullptr);
  EXPECT_EQ(FindWindowA("DialogClass", nullptr), found);
  ASSERT_TRUE(PostMessageA(found, WM_COMMAND, 2, 0));
  EXPECT_EQ(framed->read_line(), "WM_COMMAND 2 0");
}

TEST_F(XWindowsTest, TitlesComeFromNetWmNameFirstAndMayBeLong) {
  auto utf8 = open_window({"--title", "plain", "--net-name",
                           "Gr\xC3\xBC\xC3\x9F"
                           "e"});
  EXPECT_NE(FindWindowA(nullptr,
                        "Gr\xC3\xBC\xC3\x9F"
                        "e"),
            nullptr);
  EXPECT_EQ(FindWindowA(nullptr, "plain"), nullptr);

  const std::string long_title(3000, 'L');
  auto window = open_window({"--title", long_title});
  HWND found = FindWindowA(nullptr, long_title.c_str());
  ASSERT_NE(found, nullptr);
  EXPECT_EQ(GetWindowTextLengthA(found), 3000);
  char text[512];
  text[511] = 'x';
  EXPECT_EQ(GetWindowTextA(found, text, sizeof text), 511);
  EXPECT_EQ(std::string(text), std::string(511, 'L'));
  EXPECT_EQ(GetWindowTextA(found, text, 1), 0);
  EXPECT_STREQ(text, "");
}

TEST_F(XWindowsTest, EnumerationStopsWhenTheCallbackSaysSo) {
  auto a = open_window({"--title", "First"});
  auto b = open_window({"--title", "Second"});
  int calls = 0;
  EXPECT_TRUE(EnumWindows(
      [](HWND, LPARAM count) {
        ++*reinterpret_cast<int*>(count);
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&calls)));
  EXPECT_EQ(calls, 1);
  EXPECT_FALSE(EnumWindows(nullptr, 0));
}

TEST_F(XWindowsTest, GoneWindowsAndForeignHandlesAreRecognisedSafely) {
  HWND found;
  {
    auto window = open_window({"--title", "Short Lived"});
    found = FindWindowA(nullptr, "Short Lived");
    ASSERT_NE(found, nullptr);
  }  // the client is killed here, its window goes with it
  // The server drops the window once it has seen the client go.
  for (int attempt = 0; attempt < 200 && IsWindow(found); ++attempt) {
    std::this_thread::sleep_for(std::chrono::milliseconds(25));
  }
  EXPECT_FALSE(IsWindow(found));
  EXPECT_FALSE(PostMessageA(found, WM_COMMAND, 1, 0));
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_WINDOW_HANDLE));
  char text[16] = "unchanged";
  EXPECT_EQ(GetWindowTextA(found, text, sizeof text), 0);
  EXPECT_STREQ(text, "");

  // A handle that is neither an X window nor one of ours.
  HWND bogus = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(0x12345670));
  EXPECT_FALSE(IsWindow(bogus));
  EXPECT_FALSE(PostMessageA(bogus, WM_COMMAND, 1, 0));
  EXPECT_EQ(GetWindowTextA(bogus, text, sizeof text), 0);
}

TEST_F(XWindowsTest, InProcessWindowsKeepWorkingBesideXWindows) {
  WNDCLASSA wc{};
  wc.lpszClassName = "XTestLocalClass";
  static int received = 0;
  wc.lpfnWndProc = [](HWND, UINT message, WPARAM wParam, LPARAM) -> LRESULT {
    if (message == WM_COMMAND) received = static_cast<int>(wParam);
    return 0;
  };
  ASSERT_NE(RegisterClassA(&wc), 0);
  HWND local =
      CreateWindowExA(0, "XTestLocalClass", "Local Edit", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(local, nullptr);
  char text[32];
  EXPECT_EQ(GetWindowTextA(local, text, sizeof text), 10);
  EXPECT_STREQ(text, "Local Edit");
  EXPECT_TRUE(PostMessageA(local, WM_COMMAND, 5, 0));
  EXPECT_EQ(received, 5);
  EXPECT_TRUE(DestroyWindow(local));
  EXPECT_FALSE(IsWindow(local));
}

TEST(XWindowsWithoutDisplay, NoDisplayMeansNoWindows) {
  const char* saved = std::getenv("DISPLAY");
  std::string keep = saved ? saved : "";
  setenv("DISPLAY", ":9999", 1);  // nothing listens there
  EXPECT_EQ(FindWindowA(nullptr, "Anything"), nullptr);
  int calls = 0;
  EXPECT_TRUE(EnumWindows(
      [](HWND, LPARAM count) {
        ++*reinterpret_cast<int*>(count);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&calls)));
  EXPECT_EQ(calls, 0);
  if (saved)
    setenv("DISPLAY", keep.c_str(), 1);
  else
    unsetenv("DISPLAY");
}

}  // namespace

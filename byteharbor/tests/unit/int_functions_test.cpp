#include "int_functions.h"

#include <gtest/gtest.h>

#include <richedit.h>

#include "messages.h"
#include "usage_help.h"
#include "value_test_support.h"

using namespace test_support;

namespace {

// Stands in for the listener: a window that records the character format
// requests it receives, and a stream that keeps the script output.
struct ListenerDouble {
  static inline int format_requests = 0;
  static inline CHARFORMAT last_format{};
  static inline WPARAM last_wparam = 0;

  static LRESULT CALLBACK window_proc(HWND, UINT message, WPARAM wparam, LPARAM lparam) {
    if (message == EM_SETCHARFORMAT) {
      ++format_requests;
      last_wparam = wparam;
      last_format = *reinterpret_cast<const CHARFORMAT*>(lparam);
    }
    return 0;
  }

  ListenerDouble() {
    static const WORD registered = [] {
      WNDCLASSA wc{};
      wc.lpfnWndProc = window_proc;
      wc.lpszClassName = "ByteHarborTestEdit";
      return RegisterClassA(&wc);
    }();
    (void)registered;
    edit = CreateWindowExA(0, "ByteHarborTestEdit", "", 0, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
    saved_listener = the_listener;
    listener.edit_box = edit;
    listener.edit_stream = &output;
    the_listener = &listener;
    saved_output = set_thread_local_output(&output);
    format_requests = 0;
  }
  ~ListenerDouble() {
    set_thread_local_output(saved_output);
    the_listener = saved_listener;
    DestroyWindow(edit);
  }

  HWND edit;
  Listener listener;
  Listener* saved_listener;
  StringCharStream output;
  CharStream* saved_output;
};

TEST(UsageHelp, HelpComesInPurple) {
  intern_names();
  ListenerDouble listener;
  EXPECT_EQ(call(global_fn("int2char"), {Name::intern("help")}), &ok);
  EXPECT_EQ(listener.output.text(), msg::kInt2CharHelp);
  ASSERT_EQ(ListenerDouble::format_requests, 1);
  EXPECT_EQ(ListenerDouble::last_wparam, static_cast<WPARAM>(SCF_SELECTION));
  const CHARFORMAT& cf = ListenerDouble::last_format;
  EXPECT_EQ(cf.cbSize, 60u);
  EXPECT_EQ(cf.dwMask, static_cast<DWORD>(CFM_COLOR));
  EXPECT_EQ(cf.dwEffects, 0u);
  EXPECT_EQ(cf.crTextColor, 0x00A60066u);
  EXPECT_EQ(cf.yHeight, 0);
  EXPECT_EQ(cf.szFaceName[0], '\0');
}

// The texts themselves are in the golden script usage_help.ms.
TEST(UsageHelp, EveryFunctionColoursItsHelp) {
  intern_names();
  ListenerDouble listener;
  const char* const functions[] = {"int2char", "char2int", "htonl",    "htons",  "ntohl",  "ntohs",  "setBit",
                                   "testBit",  "signIt",   "unsignIt", "binNot", "binAnd", "binXor", "binOr"};
  for (const char* name : functions) {
    int before = ListenerDouble::format_requests;
    EXPECT_EQ(call(global_fn(name), {Name::intern("help")}), &ok) << name;
    EXPECT_EQ(ListenerDouble::format_requests, before + 1) << name;
  }
}

TEST(UsageHelp, NoListenerWindowMeansNoColourRequest) {
  intern_names();
  Listener* saved = the_listener;
  the_listener = nullptr;
  StringCharStream out;
  CharStream* previous = set_thread_local_output(&out);
  EXPECT_EQ(call(global_fn("binOr"), {Name::intern("help")}), &ok);
  set_thread_local_output(previous);
  the_listener = saved;
  EXPECT_EQ(out.text(), msg::kBinOrHelp);
}

}  // namespace

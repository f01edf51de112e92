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

TEST(UsageHelp, HelpComesInPurpleBeforeTheCountTest) {
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
  // extra arguments after #help do not matter
  listener.output.clear();
  EXPECT_EQ(call(global_fn("setBit"), {Name::intern("HELP"), Integer::intern(1), Integer::intern(2)}), &ok);
  EXPECT_EQ(listener.output.text(), msg::kSetBitHelp);
}

TEST(UsageHelp, EveryFunctionHasItsOwnText) {
  intern_names();
  ListenerDouble listener;
  const std::pair<const char*, const char*> help[] = {
      {"int2char", msg::kInt2CharHelp}, {"char2int", msg::kChar2IntHelp}, {"htonl", msg::kHtonlHelp},
      {"htons", msg::kHtonsHelp},       {"ntohl", msg::kNtohlHelp},       {"ntohs", msg::kNtohsHelp},
      {"setBit", msg::kSetBitHelp},     {"testBit", msg::kTestBitHelp},   {"signIt", msg::kSignItHelp},
      {"unsignIt", msg::kUnsignItHelp}, {"binNot", msg::kBinNotHelp},     {"binAnd", msg::kBinAndHelp},
      {"binXor", msg::kBinXorHelp},     {"binOr", msg::kBinOrHelp}};
  for (const auto& [name, text] : help) {
    listener.output.clear();
    EXPECT_EQ(call(global_fn(name), {Name::intern("help")}), &ok) << name;
    EXPECT_EQ(listener.output.text(), text) << name;
    EXPECT_EQ(listener.output.text().rfind("Usage:\n", 0), 0u) << name;
  }
  EXPECT_EQ(ListenerDouble::format_requests, 14);
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

TEST(IntFunctions, ResultsComeAsScriptValues) {
  intern_names();
  EXPECT_EQ(as_int(call(global_fn("setBit"), {Integer::intern(0), Integer::intern(31)})), INT32_MIN);
  EXPECT_EQ(call(global_fn("testBit"), {Integer::intern(4), Integer::intern(2)}), &true_value);
  EXPECT_EQ(printed(call(global_fn("int2char"), {Integer::intern(321)})), "\"A\"");
  EXPECT_EQ(as_int(call(global_fn("char2int"), {new String("\xE9")})), -23);
  EXPECT_EQ(as_int(call(global_fn("unsignIt"), {Integer::intern(-1), new Float(16.0f)})), 65535);
}

TEST(IntFunctions, CountsBeforeConversionsBeforeRanges) {
  intern_names();
  EXPECT_EQ(raised([] { call(global_fn("setBit"), {new String("x")}); }),
            "-- Argument count error: setbit wanted 2, got 1");
  EXPECT_EQ(raised([] {
              call(global_fn("setBit"), {new String("x"), Integer::intern(40)});
            }),
            "-- Unable to convert: \"x\" to type: Integer");
  EXPECT_EQ(raised([] {
              call(global_fn("testBit"), {Integer::intern(1), Integer::intern(40)});
            }),
            "-- Runtime error: Bit index out of range.");
  EXPECT_EQ(raised([] {
              call(global_fn("signIt"), {Integer::intern(1), Integer::intern(9)});
            }),
            "-- Runtime error: Incorrect data size.");
  EXPECT_EQ(raised([] { call(global_fn("int2char"), {}); }),
            "-- Argument count error: int2char wanted 1, got 0");
  EXPECT_EQ(raised([] { call(global_fn("char2int"), {Integer::intern(5)}); }),
            "-- Unable to convert: 5 to type: String");
}

}  // namespace

#include <commctrl.h>
#include <gtest/gtest.h>

#include "help_registry.h"
#include "host/maxscript.h"
#include "value_test_support.h"

extern "C" {
BOOL DllMain(HINSTANCE, DWORD, LPVOID);
void LibInit();
const char* LibDescription();
ULONG LibVersion();
}

using namespace test_support;

namespace {

TEST(ModuleEntry, ExportsDescribeTheModule) {
  EXPECT_STREQ(LibDescription(), "ByteHarbor Access Extension for MAXscript");
  EXPECT_EQ(LibVersion(), 0x0BB80700u);
}

TEST(ModuleEntry, AttachInitialisesCommonControlsAndEveryNotificationSucceeds) {
  EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), TRUE);
  EXPECT_TRUE(CommonControlsInitialized());
  EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_ATTACH, nullptr), TRUE);
  EXPECT_EQ(DllMain(nullptr, DLL_PROCESS_DETACH, nullptr), TRUE);
}

TEST(ModuleEntry, LibInitCreatesTheRegistryAndPrintsTheBannerOnce) {
  Listener listener;
  StringCharStream banner;
  listener.edit_stream = &banner;
  Listener* saved = the_listener;
  the_listener = &listener;
  EXPECT_FALSE(owns_help_registry());
  LibInit();
  the_listener = saved;
  EXPECT_TRUE(owns_help_registry());
  EXPECT_EQ(banner.text(),
            "QVX Studio's MAXScript extension(s) loaded.\n"
            "To get help about loaded modules execute \"qvxHelp ()\" command at listener.\n");
  Value* modules = globals->get(Name::intern("qvxModules"));
  ASSERT_NE(modules, nullptr);
  EXPECT_EQ(printed(modules->eval()), "#(\"ByteHarbor.dlx 1.04\")");
  EXPECT_NE(modules->eval(), modules->eval());  // a new array on every read
  Value* help = global_fn("qvxHelp");
  ASSERT_NE(help, nullptr);
  EXPECT_EQ(help->tag, &Primitive_class);
  // Names are interned: #help now asks for help.
  StringCharStream out;
  CharStream* previous = set_thread_local_output(&out);
  EXPECT_EQ(call(global_fn("htons"), {Name::intern("help")}), &ok);
  EXPECT_EQ(call(help, {Integer::intern(2)}), &ok);
  set_thread_local_output(previous);
  EXPECT_NE(out.text().find("Usage:\n  htons <integer>\n"), std::string::npos);
  EXPECT_NE(out.text().find("Invalid index.\n"), std::string::npos);
}

}  // namespace

// What a module defined through its code must not outlive the module.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include "host/module.h"
#include "runtime/runtime_internal.h"

namespace {

TEST(ModuleUnload, ForgetsTheGlobalsAndStructMembersTheModuleDefined) {
  void* handle = dlopen(TESTPLUG_PATH, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(handle, nullptr) << dlerror();
  reinterpret_cast<LibInitFn>(dlsym(handle, "LibInit"))();
  Value* counter = Name::intern("tpCounter");
  ASSERT_NE(globals->get(counter), nullptr);
  Value* test_struct = globals->get(Name::intern("TestStruct"))->eval();
  EXPECT_NO_THROW(test_struct->get_property(Name::intern("level")));

  Dl_info info;
  ASSERT_NE(dladdr(dlsym(handle, "LibVersion"), &info), 0);
  // At least the system global, the struct property and the struct member
  // function; the module's global primitives go too.
  EXPECT_GE(host::forget_module_globals(info.dli_fbase), 3);
  EXPECT_EQ(globals->get(counter), nullptr);
  EXPECT_EQ(globals->get(Name::intern("tpAdd")), nullptr);
  EXPECT_THROW(test_struct->get_property(Name::intern("level")), AccessorError);
  EXPECT_THROW(test_struct->get_property(Name::intern("twice")), AccessorError);
  EXPECT_NE(globals->get(Name::intern("print")), nullptr);  // the host's own stay
  EXPECT_NE(globals->get(Name::intern("tpEof")), nullptr);  // a generic runs host code: its own destructor undoes it
  dlclose(handle);
  EXPECT_EQ(globals->get(Name::intern("tpEof")), nullptr);
}

}  // namespace

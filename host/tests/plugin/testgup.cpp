// A global utility plug-in built only for the tests: the loader must read
// its exports and ask its class descriptor for its class.
#include "host/maxscript.h"
#include "host/plugin_classes.h"

namespace {

class TestGupDesc : public ClassDesc {
 public:
  int IsPublic() override { return 1; }
  void* Create(BOOL) override { return nullptr; }
  const char* ClassName() override { return "TestGup"; }
  SClass_ID SuperClassID() override { return GUP_CLASS_ID; }
  Class_ID ClassID() override { return Class_ID(0x1234, 0x5678); }
  const char* Category() override { return "Global Utility PlugIn"; }
};
TestGupDesc desc;

}  // namespace

MODULE_EXPORT const char* LibDescription() { return "Test utility"; }
MODULE_EXPORT int LibNumberClasses() { return 1; }
MODULE_EXPORT ClassDesc* LibClassDesc(int i) { return i == 0 ? &desc : nullptr; }
MODULE_EXPORT ULONG LibVersion() { return 0x0BB80700; }

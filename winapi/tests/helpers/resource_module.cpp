// A loadable module with resources of its own, as a plug-in has them.
#include <winapi/resource_table.h>
#include <windows.h>

namespace {

const ModuleResources resources{
    {{116, "Module Strings"}, {117, "Second string"}},
    {{202, {{FVIRTKEY | FNOINVERT, 0, 1001}, {FVIRTKEY | FCONTROL | FALT | FNOINVERT, 'M', 999}}}}};

}  // namespace

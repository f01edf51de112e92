// The module file's version information, for whoever reads Zentu.dlx's
// version (a file's properties, an installer) without loading it.
#include <winapi/version_resource.h>

#include "messages.h"
#include "module_version.h"

namespace {

constexpr WORD kMajor = static_cast<WORD>(zentu::kVersion);

constexpr VersionResource kVersion{.file_version = {kMajor, 0, 0, 0},
                                   .product_version = {kMajor, 0, 0, 0},
                                   .strings = {.comments = zentu::msg::kVersionComments,
                                               .file_description = zentu::msg::kDescription,
                                               .internal_name = "Zentu",
                                               .original_filename = "Zentu.dlx",
                                               .product_name = "Zentu"}};
WINAPI_VERSION_RESOURCE(kVersion);

}  // namespace

// The module file's version information, for whoever reads hotbind.gup's
// version (a file's properties, an installer) without loading it.
#include <winapi/version_resource.h>

#include "hotbind_ids.h"
#include "messages.h"

namespace {

constexpr VersionResource kVersion{.file_version = hotbind::kFileVersion,
                                   .product_version = hotbind::kFileVersion,
                                   .strings = {.comments = msg::kVersionComments,
                                               .file_description = msg::kFileDescription,
                                               .internal_name = "hotbind",
                                               .original_filename = "hotbind.gup",
                                               .product_name = msg::kLibDescription}};
WINAPI_VERSION_RESOURCE(kVersion);

}  // namespace

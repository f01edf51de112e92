// A module with version information, as a plug-in carries it, read back by
// the version tests from its file.
#include <winapi/version_resource.h>
#include <windows.h>

namespace {

constexpr VersionResource kVersion{
    .file_version = {2, 15, 300, 65535},
    .product_version = {7, 1, 0, 0},
    .file_flags = VS_FF_PRERELEASE | VS_FF_PRIVATEBUILD,
    .language = 0x0407,
    .code_page = 1252,
    .strings = {.comments = "A comment that runs on and on: "
                            "0123456789012345678901234567890123456789012345678901234567890123456789"
                            "0123456789012345678901234567890123456789012345678901234567890123456789",
                .company_name = "Test Company",
                .file_description = "Version test module",
                .file_version = "2.15.300.65535 (test build)",
                .internal_name = "version_module",
                .original_filename = "version_module.so",
                .product_name = "Version Tests"}};
WINAPI_VERSION_RESOURCE(kVersion);

}  // namespace

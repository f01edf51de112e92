// The bytes of one named section of an ELF file (64-bit, little-endian: the
// machines the layer runs on), read from the file without loading it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace winapi {

// ERROR_SUCCESS and the section's bytes; the file's own error when it cannot
// be read, ERROR_RESOURCE_DATA_NOT_FOUND when it is not such an ELF file (or
// its headers lie outside it), ERROR_RESOURCE_TYPE_NOT_FOUND when it has no
// section of that name, ERROR_INVALID_DATA when the section is larger than
// `limit` bytes.
DWORD read_elf_section(const std::string& path, std::string_view name, std::size_t limit,
                       std::vector<unsigned char>& bytes);

}  // namespace winapi

#include <windows.h>

#include <strings.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "elf_sections.h"

namespace {

constexpr std::size_t kHeaderSize = 2 * sizeof(WORD);  // the node's length and its value's length
constexpr std::size_t kMaxBlock = 0xFFFF;              // a node's length is a WORD

std::size_t align4(std::size_t offset) { return (offset + 3) & ~std::size_t{3}; }

WORD word_at(const unsigned char* at) { return static_cast<WORD>(at[0] | at[1] << 8); }

// One node of a block, its parts as offsets from the block's start.
struct Node {
  std::size_t start = 0;
  std::size_t end = 0;  // start + its length
  std::string_view key;
  std::size_t value = 0;
  std::size_t value_length = 0;
  std::size_t children = 0;
};

// The node at `start` if it lies whole within `limit` bytes of the block.
bool read_node(const unsigned char* block, std::size_t start, std::size_t limit, Node& node) {
  if (start + kHeaderSize > limit) return false;
  const std::size_t length = word_at(block + start);
  if (length < kHeaderSize || length > limit - start) return false;
  node.start = start;
  node.end = start + length;
  const char* key = reinterpret_cast<const char*>(block + start + kHeaderSize);
  const void* key_end = std::memchr(key, '\0', node.end - start - kHeaderSize);
  if (key_end == nullptr) return false;
  node.key = std::string_view(key, static_cast<const char*>(key_end) - key);
  node.value = align4(start + kHeaderSize + node.key.size() + 1);
  node.value_length = word_at(block + start + sizeof(WORD));
  if (node.value > node.end || node.value_length > node.end - node.value) return false;
  node.children = std::min(align4(node.value + node.value_length), node.end);
  return true;
}

// The root node, as GetFileVersionInfoA accepts it: VS_VERSION_INFO with a
// VS_FIXEDFILEINFO of the right signature.
bool read_root(const unsigned char* block, std::size_t size, Node& root) {
  if (!read_node(block, 0, std::min(size, kMaxBlock), root)) return false;
  if (root.key != "VS_VERSION_INFO" || root.value_length != sizeof(VS_FIXEDFILEINFO)) return false;
  VS_FIXEDFILEINFO fixed;
  std::memcpy(&fixed, block + root.value, sizeof fixed);
  return fixed.dwSignature == VS_FFI_SIGNATURE;
}

// The module file's whole block, checked, or 0 with the last error set.
DWORD load_version_info(LPCSTR fileName, std::vector<unsigned char>& block) {
  if (fileName == nullptr) return ERROR_INVALID_PARAMETER;
  DWORD error =
      winapi::read_elf_section(NativePathFromWindows(fileName), WINAPI_VERSION_SECTION, kMaxBlock, block);
  if (error != ERROR_SUCCESS) return error;
  Node root;
  if (!read_root(block.data(), block.size(), root)) return ERROR_INVALID_DATA;
  block.resize(root.end);
  return ERROR_SUCCESS;
}

}  // namespace

DWORD GetFileVersionInfoSizeA(LPCSTR fileName, LPDWORD handle) {
  if (handle != nullptr) *handle = 0;
  std::vector<unsigned char> block;
  if (DWORD error = load_version_info(fileName, block); error != ERROR_SUCCESS) {
    SetLastError(error);
    return 0;
  }
  return static_cast<DWORD>(block.size());
}

BOOL GetFileVersionInfoA(LPCSTR fileName, DWORD, DWORD length, LPVOID data) {
  if (data == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<unsigned char> block;
  if (DWORD error = load_version_info(fileName, block); error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  if (length < kHeaderSize) {
    SetLastError(ERROR_INSUFFICIENT_BUFFER);
    return FALSE;
  }
  const std::size_t copied = std::min<std::size_t>(length, block.size());
  auto* out = static_cast<unsigned char*>(data);
  std::memcpy(out, block.data(), copied);
  // A cut copy says how long it is, so no query reads past the buffer.
  out[0] = static_cast<unsigned char>(copied & 0xFF);
  out[1] = static_cast<unsigned char>(copied >> 8);
  return TRUE;
}

BOOL VerQueryValueA(LPCVOID block, LPCSTR subBlock, LPVOID* buffer, PUINT length) {
  if (block == nullptr || subBlock == nullptr || buffer == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const auto* bytes = static_cast<const unsigned char*>(block);
  Node node;
  if (!read_node(bytes, 0, kMaxBlock, node)) {
    SetLastError(ERROR_INVALID_DATA);
    return FALSE;
  }
  std::string_view path(subBlock);
  while (!path.empty()) {
    const std::size_t skip = path.find_first_not_of('\\');
    if (skip == std::string_view::npos) break;
    path.remove_prefix(skip);
    const std::string_view key = path.substr(0, path.find('\\'));
    path.remove_prefix(key.size());

    bool found = false;
    Node child;
    for (std::size_t at = node.children; at < node.end; at = align4(child.end)) {
      if (!read_node(bytes, at, node.end, child)) {
        SetLastError(ERROR_INVALID_DATA);
        return FALSE;
      }
      if (child.key.size() == key.size() && strncasecmp(child.key.data(), key.data(), key.size()) == 0) {
        found = true;
        break;
      }
    }
    if (!found) {
      SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
      return FALSE;
    }
    node = child;
  }
  *buffer = const_cast<unsigned char*>(bytes + node.value);
  if (length != nullptr) *length = static_cast<UINT>(node.value_length);
  return TRUE;
}

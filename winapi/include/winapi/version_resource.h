// A module's version information, written at compile time into a section of
// the module file of its own (as a Windows module holds it in its resources),
// where GetFileVersionInfoA reads it. One a module:
//
//   constexpr VersionResource kVersion{
//       .file_version = {13, 0, 0, 0},
//       .product_version = {13, 0, 0, 0},
//       .strings = {.file_description = "Zentu MaxScript Extension",
//                   .original_filename = "Zentu.dlx"}};
//   WINAPI_VERSION_RESOURCE(kVersion);
//
// The layout is the one version.h describes. An information block beyond
// 64 KiB does not compile.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <string_view>

// The StringFileInfo texts; empty ones are left out, but for the two version
// texts, which are then written from the numbers ("13.0.0.0").
struct VersionStrings {
  std::string_view comments{};
  std::string_view company_name{};
  std::string_view file_description{};
  std::string_view file_version{};
  std::string_view internal_name{};
  std::string_view legal_copyright{};
  std::string_view original_filename{};
  std::string_view product_name{};
  std::string_view product_version{};
};

struct VersionResource {
  std::array<WORD, 4> file_version{};  // major, minor, build, revision
  std::array<WORD, 4> product_version{};
  DWORD file_flags = 0;  // VS_FF_...
  DWORD file_os = VOS_NT_WINDOWS32;
  DWORD file_type = VFT_DLL;
  DWORD file_subtype = VFT2_UNKNOWN;
  WORD language = 0x0409;  // U.S. English
  WORD code_page = 1252;   // Windows Latin 1
  VersionStrings strings;
};

namespace winapi {

// Writes the block's bytes, or only counts them when given no buffer.
class VersionWriter {
 public:
  constexpr explicit VersionWriter(unsigned char* out) : out_(out) {}
  constexpr std::size_t size() const { return size_; }

  constexpr void byte(unsigned value) {
    if (out_ != nullptr) out_[size_] = static_cast<unsigned char>(value);
    ++size_;
  }
  constexpr void word(unsigned value) {
    byte(value & 0xFF);
    byte((value >> 8) & 0xFF);
  }
  constexpr void dword(DWORD value) {
    word(value & 0xFFFF);
    word(value >> 16);
  }
  constexpr void text(std::string_view s) {
    for (char c : s) byte(static_cast<unsigned char>(c));
    byte(0);
  }
  constexpr void align() {
    while (size_ % 4 != 0) byte(0);
  }
  // Starts a node; its length is filled in by close.
  constexpr std::size_t open(std::string_view key, std::size_t value_length) {
    if (value_length > 0xFFFF) throw "a version value longer than 64 KiB";
    std::size_t start = size_;
    word(0);
    word(static_cast<unsigned>(value_length));
    text(key);
    align();
    return start;
  }
  constexpr void close(std::size_t start) {
    std::size_t length = size_ - start;
    if (length > 0xFFFF) throw "version information longer than 64 KiB";
    if (out_ != nullptr) {
      out_[start] = static_cast<unsigned char>(length & 0xFF);
      out_[start + 1] = static_cast<unsigned char>(length >> 8);
    }
  }

 private:
  unsigned char* out_;
  std::size_t size_ = 0;
};

// "13.0.0.0" for {13, 0, 0, 0}.
struct DottedVersion {
  std::array<char, 24> chars{};
  std::size_t length = 0;
  constexpr std::string_view view() const { return {chars.data(), length}; }
};

constexpr DottedVersion dotted(const std::array<WORD, 4>& version) {
  DottedVersion d;
  for (std::size_t i = 0; i < version.size(); ++i) {
    if (i > 0) d.chars[d.length++] = '.';
    char digits[5] = {};
    std::size_t n = 0;
    unsigned v = version[i];
    do {
      digits[n++] = static_cast<char>('0' + v % 10);
      v /= 10;
    } while (v != 0);
    while (n > 0) d.chars[d.length++] = digits[--n];
  }
  return d;
}

constexpr void write_string(VersionWriter& w, std::string_view key, std::string_view value) {
  if (value.empty()) return;
  std::size_t node = w.open(key, value.size() + 1);
  w.text(value);
  w.close(node);
  w.align();
}

constexpr void write_version_info(VersionWriter& w, const VersionResource& r) {
  constexpr std::size_t kFixedInfoSize = 13 * sizeof(DWORD);
  static_assert(sizeof(VS_FIXEDFILEINFO) == kFixedInfoSize);
  std::size_t root = w.open("VS_VERSION_INFO", kFixedInfoSize);
  w.dword(VS_FFI_SIGNATURE);
  w.dword(VS_FFI_STRUCVERSION);
  w.dword(DWORD{r.file_version[0]} << 16 | r.file_version[1]);
  w.dword(DWORD{r.file_version[2]} << 16 | r.file_version[3]);
  w.dword(DWORD{r.product_version[0]} << 16 | r.product_version[1]);
  w.dword(DWORD{r.product_version[2]} << 16 | r.product_version[3]);
  w.dword(VS_FFI_FILEFLAGSMASK);
  w.dword(r.file_flags);
  w.dword(r.file_os);
  w.dword(r.file_type);
  w.dword(r.file_subtype);
  w.dword(0);  // no file date
  w.dword(0);
  w.align();

  std::size_t string_info = w.open("StringFileInfo", 0);
  constexpr char kHex[] = "0123456789ABCDEF";
  char table_key[9] = {};
  DWORD language_and_code_page = DWORD{r.language} << 16 | r.code_page;
  for (int i = 0; i < 8; ++i) table_key[i] = kHex[(language_and_code_page >> (28 - 4 * i)) & 0xF];
  std::size_t table = w.open(std::string_view(table_key, 8), 0);
  const VersionStrings& s = r.strings;
  const DottedVersion file_version = dotted(r.file_version);
  const DottedVersion product_version = dotted(r.product_version);
  write_string(w, "Comments", s.comments);
  write_string(w, "CompanyName", s.company_name);
  write_string(w, "FileDescription", s.file_description);
  write_string(w, "FileVersion", s.file_version.empty() ? file_version.view() : s.file_version);
  write_string(w, "InternalName", s.internal_name);
  write_string(w, "LegalCopyright", s.legal_copyright);
  write_string(w, "OriginalFilename", s.original_filename);
  write_string(w, "ProductName", s.product_name);
  write_string(w, "ProductVersion", s.product_version.empty() ? product_version.view() : s.product_version);
  w.close(table);
  w.align();
  w.close(string_info);
  w.align();

  std::size_t var_info = w.open("VarFileInfo", 0);
  std::size_t translation = w.open("Translation", 2 * sizeof(WORD));
  w.word(r.language);
  w.word(r.code_page);
  w.close(translation);
  w.align();
  w.close(var_info);
  w.align();
  w.close(root);
}

constexpr std::size_t version_info_size(const VersionResource& r) {
  VersionWriter counter(nullptr);
  write_version_info(counter, r);
  return counter.size();
}

template <std::size_t N>
constexpr std::array<unsigned char, N> version_info_bytes(const VersionResource& r) {
  std::array<unsigned char, N> bytes{};
  VersionWriter writer(bytes.data());
  write_version_info(writer, r);
  return bytes;
}

}  // namespace winapi

// Places the module's version information in its file. `used`: nothing in
// the module reads it, yet it must stay.
#define WINAPI_VERSION_RESOURCE(resource)                                                  \
  [[gnu::used, gnu::section(WINAPI_VERSION_SECTION)]] constexpr auto winapi_version_info = \
      ::winapi::version_info_bytes<::winapi::version_info_size(resource)>(resource)

#include "elf_sections.h"

#include <elf.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "errno_map.h"

namespace winapi {

namespace {

// Bounds on what a module's headers may claim, so a damaged file cannot
// make the reader allocate without end.
constexpr std::uint64_t kMaxSections = 1u << 16;
constexpr std::uint64_t kMaxNameTable = 1u << 20;

class ReadOnlyFile {
 public:
  explicit ReadOnlyFile(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
  ~ReadOnlyFile() {
    if (fd_ >= 0) ::close(fd_);
  }
  ReadOnlyFile(const ReadOnlyFile&) = delete;
  ReadOnlyFile& operator=(const ReadOnlyFile&) = delete;
  int fd() const { return fd_; }

 private:
  int fd_;
};

struct Reader {
  int fd;
  std::uint64_t file_size;
  DWORD error = ERROR_SUCCESS;

  // Reads `size` bytes at `offset`, which must lie inside the file.
  bool read(std::uint64_t offset, void* out, std::uint64_t size) {
    if (offset > file_size || size > file_size - offset) {
      error = ERROR_RESOURCE_DATA_NOT_FOUND;
      return false;
    }
    auto* at = static_cast<unsigned char*>(out);
    while (size > 0) {
      ssize_t n = ::pread(fd, at, size, static_cast<off_t>(offset));
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) {
        error = n < 0 ? win32_error_from_errno(errno) : ERROR_RESOURCE_DATA_NOT_FOUND;
        return false;
      }
      at += n;
      offset += static_cast<std::uint64_t>(n);
      size -= static_cast<std::uint64_t>(n);
    }
    return true;
  }
};

bool is_our_elf(const Elf64_Ehdr& header) {
  return std::memcmp(header.e_ident, ELFMAG, SELFMAG) == 0 && header.e_ident[EI_CLASS] == ELFCLASS64 &&
         header.e_ident[EI_DATA] == ELFDATA2LSB && header.e_shentsize == sizeof(Elf64_Shdr);
}

}  // namespace

DWORD read_elf_section(const std::string& path, std::string_view name, std::size_t limit,
                       std::vector<unsigned char>& bytes) {
  bytes.clear();
  ReadOnlyFile file(path);
  if (file.fd() < 0) return win32_error_from_errno(errno);
  struct stat info {};
  if (::fstat(file.fd(), &info) != 0) return win32_error_from_errno(errno);
  if (!S_ISREG(info.st_mode)) return ERROR_RESOURCE_DATA_NOT_FOUND;
  Reader reader{file.fd(), static_cast<std::uint64_t>(info.st_size)};

  Elf64_Ehdr header{};
  if (!reader.read(0, &header, sizeof header)) return reader.error;
  if (!is_our_elf(header) || header.e_shoff == 0) return ERROR_RESOURCE_DATA_NOT_FOUND;

  // Many sections: the count and the name table's index move to section 0.
  std::uint64_t count = header.e_shnum;
  std::uint64_t names_index = header.e_shstrndx;
  if (count == 0 || names_index == SHN_XINDEX) {
    Elf64_Shdr first{};
    if (!reader.read(header.e_shoff, &first, sizeof first)) return reader.error;
    if (count == 0) count = first.sh_size;
    if (names_index == SHN_XINDEX) names_index = first.sh_link;
  }
  if (count == 0 || count > kMaxSections || names_index >= count) return ERROR_RESOURCE_DATA_NOT_FOUND;

  std::vector<Elf64_Shdr> sections(count);
  if (!reader.read(header.e_shoff, sections.data(), count * sizeof(Elf64_Shdr))) return reader.error;
  const Elf64_Shdr& names_section = sections[names_index];
  if (names_section.sh_type != SHT_STRTAB || names_section.sh_size > kMaxNameTable)
    return ERROR_RESOURCE_DATA_NOT_FOUND;
  std::vector<char> names(names_section.sh_size);
  if (!reader.read(names_section.sh_offset, names.data(), names.size())) return reader.error;

  for (const Elf64_Shdr& section : sections) {
    if (section.sh_name >= names.size() || section.sh_type == SHT_NOBITS) continue;
    const char* start = names.data() + section.sh_name;
    const void* end = std::memchr(start, '\0', names.size() - section.sh_name);
    if (end == nullptr || std::string_view(start, static_cast<const char*>(end) - start) != name) continue;
    if (section.sh_size > limit) return ERROR_INVALID_DATA;
    bytes.resize(section.sh_size);
    if (!reader.read(section.sh_offset, bytes.data(), bytes.size())) {
      bytes.clear();
      return reader.error;
    }
    return ERROR_SUCCESS;
  }
  return ERROR_RESOURCE_TYPE_NOT_FOUND;
}

}  // namespace winapi

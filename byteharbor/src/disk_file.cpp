#include "disk_file.h"

#include <sys/stat.h>

std::unique_ptr<DiskFile> DiskFile::open(const char* path) {
  std::FILE* f = std::fopen(path, "r+b");
  if (f == nullptr) f = std::fopen(path, "w+b");
  if (f == nullptr) return nullptr;
  return std::unique_ptr<DiskFile>(new DiskFile(f, path));
}

DiskFile::DiskFile(std::FILE* f, const char* path) : file_(f), path_(path) { read_status(); }

void DiskFile::read_status() {
  struct stat status {};
  size_ = fstat(fileno(file_.get()), &status) == 0 ? static_cast<std::int64_t>(status.st_size) : 0;
}

void DiskFile::refresh() {
  if (!size_stale_) return;
  std::fflush(file_.get());
  last_ = Direction::none;
  size_stale_ = false;
  read_status();
}

// The C library wants a flush or a positioning call between writing and
// reading on one stream; a seek by zero bytes is both harmless and enough.
void DiskFile::turn_to(Direction d) {
  if (last_ != Direction::none && last_ != d) std::fseek(file_.get(), 0, SEEK_CUR);
  last_ = d;
}

bool DiskFile::flush() {
  last_ = Direction::none;
  return std::fflush(file_.get()) == 0;
}

std::int64_t DiskFile::size() {
  refresh();
  return size_;
}

std::int64_t DiskFile::tell() {
  refresh();
  return static_cast<std::int64_t>(std::ftell(file_.get()));
}

bool DiskFile::at_end() {
  refresh();
  return static_cast<std::int64_t>(std::ftell(file_.get())) >= size_;
}

bool DiskFile::seek(std::int64_t offset, int origin) {
  refresh();
  std::int64_t base = 0;
  if (origin == 1) base = std::ftell(file_.get());
  if (origin == 2) base = size_;
  std::int64_t target = base + offset;
  if (base < 0 || target < 0 || target > kMaxPosition) return false;
  last_ = Direction::none;
  return std::fseek(file_.get(), static_cast<long>(target), SEEK_SET) == 0;
}

bool DiskFile::read(void* destination, std::size_t length) {
  turn_to(Direction::reading);
  return std::fread(destination, 1, length, file_.get()) == length;
}

bool DiskFile::write(const void* source, std::size_t length) {
  turn_to(Direction::writing);
  long position = std::ftell(file_.get());
  if (position < 0 || static_cast<std::int64_t>(position) + static_cast<std::int64_t>(length) > kMaxPosition)
    return false;
  size_stale_ = true;
  return std::fwrite(source, length, 1, file_.get()) == 1;
}

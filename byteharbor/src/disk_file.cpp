#include "disk_file.h"

#include <sys/stat.h>

std::unique_ptr<DiskFile> DiskFile::open(const char* path) {
  std::FILE* f = std::fopen(path, "r+b");
  if (f == nullptr) f = std::fopen(path, "w+b");
  if (f == nullptr) return nullptr;
  return std::unique_ptr<DiskFile>(new DiskFile(f, path));
}

DiskFile::DiskFile(std::FILE* f, const char* path) : file_(f), path_(path) { read_status(); }

// The C stream's own pending writes are not in the status yet; callers
// settle first.
void DiskFile::read_status() {
  struct stat status {};
  size_ = fstat(fileno(file_.get()), &status) == 0 ? static_cast<std::int64_t>(status.st_size) : 0;
}

// The C library wants a flush or a positioning call between writing and
// reading on one stream; a seek by zero bytes is both harmless and enough.
void DiskFile::turn_to(Direction d) {
  if (last_ != Direction::none && last_ != d) std::fseek(file_.get(), 0, SEEK_CUR);
  last_ = d;
}

bool DiskFile::settle() {
  if (last_ != Direction::writing) return true;
  last_ = Direction::none;
  return std::fflush(file_.get()) == 0;
}

bool DiskFile::flush() {
  last_ = Direction::none;
  std::clearerr(file_.get());
  return std::fflush(file_.get()) == 0;
}

std::int64_t DiskFile::size() {
  settle();
  read_status();
  return size_;
}

std::int64_t DiskFile::tell() { return static_cast<std::int64_t>(std::ftell(file_.get())); }

// A read loop asks this before every read, so the status is read only when
// the answer would otherwise be true: the file may have grown since. A file
// that shrank is noticed by the read that comes short.
bool DiskFile::at_end() {
  std::int64_t position = std::ftell(file_.get());
  if (position < size_) return false;
  settle();
  read_status();
  return position >= size_;
}

bool DiskFile::seek(std::int64_t offset, int origin) {
  if (!settle()) return false;
  std::int64_t base = 0;
  if (origin == 1) base = std::ftell(file_.get());
  if (origin == 2) {
    read_status();
    base = size_;
  }
  std::int64_t target = base + offset;
  if (base < 0 || target < 0 || target > kMaxPosition) return false;
  last_ = Direction::none;
  return std::fseek(file_.get(), static_cast<long>(target), SEEK_SET) == 0;
}

bool DiskFile::read(void* destination, std::size_t length) {
  turn_to(Direction::reading);
  // One thread owns the file: the unlocked read skips a lock per value.
  if (fread_unlocked(destination, 1, length, file_.get()) == length) return true;
  // The C library keeps end-of-file until cleared; clearing lets a later
  // read find what was appended meanwhile.
  std::clearerr(file_.get());
  read_status();
  return false;
}

bool DiskFile::write(const void* source, std::size_t length) {
  turn_to(Direction::writing);
  long position = std::ftell(file_.get());
  if (position < 0 || static_cast<std::int64_t>(position) + static_cast<std::int64_t>(length) > kMaxPosition)
    return false;
  std::int64_t end = static_cast<std::int64_t>(position) + static_cast<std::int64_t>(length);
  if (end > size_) size_ = end;
  return fwrite_unlocked(source, length, 1, file_.get()) == 1;
}

bool DiskFile::close() {
  std::FILE* f = file_.release();
  bool flushed = std::fflush(f) == 0;
  return (std::fclose(f) == 0) && flushed;
}

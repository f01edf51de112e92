// A file on disk opened for binary reading and writing through a buffered
// C stream, with a cached size. Writes mark the cached size stale; size,
// tell, end-of-file tests and seeks flush and re-read it first. The file
// switches between reading and writing safely on its own, and keeps every
// position within what a signed 32-bit script integer can hold.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

class DiskFile {
 public:
  static constexpr std::int64_t kMaxPosition = INT32_MAX;

  // Opens an existing file ("r+b"), else creates it ("w+b"). Gives nullptr
  // when neither open succeeds.
  static std::unique_ptr<DiskFile> open(const char* path);

  const std::string& path() const { return path_; }

  bool flush();
  // The size after flushing pending writes (may exceed kMaxPosition for a
  // file that something else made that large).
  std::int64_t size();
  // The position after flushing pending writes.
  std::int64_t tell();
  // True when the position is at or past the size.
  bool at_end();
  // Origin 0: from the start, 1: from the position, 2: from the size. Fails,
  // moving nothing, when the target lies outside 0 ... kMaxPosition.
  bool seek(std::int64_t offset, int origin);
  // Reads length bytes; true only when all of them came. A short read still
  // consumes what it found.
  bool read(void* destination, std::size_t length);
  // Writes length bytes as one item; true when all were written. Refuses a
  // write that would end beyond kMaxPosition.
  bool write(const void* source, std::size_t length);

  // The size as last read from the file's status (no refresh).
  std::int64_t cached_size() const { return size_; }
  bool size_stale() const { return size_stale_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  enum class Direction { none, reading, writing };

  DiskFile(std::FILE* f, const char* path);
  void refresh();
  void read_status();
  void turn_to(Direction d);

  std::unique_ptr<std::FILE, Closer> file_;
  std::string path_;
  bool size_stale_ = false;
  std::int64_t size_ = 0;
  Direction last_ = Direction::none;
};

// A file on disk opened for binary reading and writing through a buffered
// C stream. The file may change through other handles at any time, so the
// size is read from the file's status whenever an answer depends on it: for
// size, for seeks from the end, when an end-of-file test finds the position
// at the last size known, and after a read comes short. Plain reads and
// writes never ask. The file switches between reading and writing safely on
// its own, and keeps every position within what a signed 32-bit script
// integer can hold. Writes, flushes and the close report whether the system
// took the bytes.
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

  // Hands pending writes to the system; false when it refused them.
  bool flush();
  // Hands pending writes, if any, to the system; false when it refused them.
  bool settle();
  // The current size (may exceed kMaxPosition for a file that something
  // else made that large).
  std::int64_t size();
  // The position (pending writes count).
  std::int64_t tell();
  // True when the position is at or past the size.
  bool at_end();
  // Origin 0: from the start, 1: from the position, 2: from the current
  // size. Fails, moving nothing, when the target lies outside
  // 0 ... kMaxPosition, or when pending writes could not be written.
  bool seek(std::int64_t offset, int origin);
  // Reads length bytes; true only when all of them came. A short read still
  // consumes what it found; a later read tries again, so bytes that another
  // handle appends meanwhile are found.
  bool read(void* destination, std::size_t length);
  // Writes length bytes as one item; false when they could not be written
  // (buffered bytes reach the system later: flush and close tell then).
  // Refuses a write that would end beyond kMaxPosition.
  bool write(const void* source, std::size_t length);
  // Writes what is pending and closes; false when the final writes or the
  // close failed. The file is unusable afterwards either way.
  bool close();

  // The size as last read from the file's status (no refresh).
  std::int64_t cached_size() const { return size_; }

 private:
  struct Closer {
    void operator()(std::FILE* f) const { std::fclose(f); }
  };
  enum class Direction { none, reading, writing };

  DiskFile(std::FILE* f, const char* path);
  void read_status();
  void turn_to(Direction d);

  std::unique_ptr<std::FILE, Closer> file_;
  std::string path_;
  std::int64_t size_ = 0;
  Direction last_ = Direction::none;
};

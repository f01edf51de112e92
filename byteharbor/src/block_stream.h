// Growable in-memory byte storage with a current position: a singly linked
// list of 4000-byte blocks that are never moved while the storage lives. A
// cursor stays on the block that holds the position, so sequential reads and
// writes touch the list only when they cross a block boundary.
#pragma once

#include <cstdint>
#include <cstring>

class BlockStream {
 public:
  static constexpr int kBlockSize = 4000;
  // The largest capacity that a signed 32-bit count can hold; the content is
  // always at least one byte smaller.
  static constexpr int kMaxCapacity = (INT32_MAX / kBlockSize) * kBlockSize;
  static constexpr int kMaxSize = kMaxCapacity - 1;

  enum class WriteResult { written, too_large };

  BlockStream();
  ~BlockStream();
  BlockStream(const BlockStream&) = delete;
  BlockStream& operator=(const BlockStream&) = delete;

  // Copies length bytes at the position to destination and moves past them.
  // Fails, changing nothing, when they would end beyond the size.
  bool read(void* destination, int length) {
    if (fits_in_current_block(length) && position_ + length <= size_) {
      std::memcpy(destination, cursor_, static_cast<std::size_t>(length));
      advance_within_block(length);
      return true;
    }
    return read_across_blocks(destination, length);
  }
  // Copies length bytes to the position, growing as needed, and moves past
  // them. Refuses, changing nothing, a write that would end beyond kMaxSize.
  // Raises std::bad_alloc, changing nothing, when memory runs out.
  WriteResult write(const void* source, int length) {
    // Ending short of the current block's end also ends short of the
    // capacity, so no block is needed.
    if (fits_in_current_block(length)) {
      std::memcpy(cursor_, source, static_cast<std::size_t>(length));
      advance_within_block(length);
      if (position_ > size_) size_ = position_;
      return WriteResult::written;
    }
    return write_across_blocks(source, length);
  }
  // Origin 0 counts from 0, 1 from the position, 2 from the last content
  // byte (size - 1); any other origin counts from 0. The result is kept
  // within 0 ... INT32_MAX.
  void seek(std::int64_t offset, int origin);
  void add_block();

  int position() const { return position_; }
  int size() const { return size_; }
  int capacity() const { return capacity_; }
  bool at_end() const { return position_ >= size_; }

 private:
  struct Block {
    unsigned char data[kBlockSize] = {};
    Block* next = nullptr;
  };
  // The usual case of a read or write: the bytes lie inside the current
  // block, short of its end, so the cursor stays on it.
  bool fits_in_current_block(int length) const {
    return current_ != nullptr && length >= 0 && length < block_end_ - position_;
  }
  void advance_within_block(int length) {
    position_ += length;
    cursor_ += length;
  }
  bool read_across_blocks(void* destination, int length);
  WriteResult write_across_blocks(const void* source, int length);
  void place_cursor(Block* walk_from, int walk_start);
  void step_to_next_block();

  Block* first_;
  Block* last_;
  Block* current_;         // nullptr when the position lies beyond the last block
  unsigned char* cursor_;  // the byte at the position inside current_
  int block_start_ = 0;    // offset of current_'s first byte
  int block_end_ = kBlockSize;
  int position_ = 0;
  int size_ = 0;
  int capacity_ = kBlockSize;
};

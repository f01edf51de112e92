#include "block_stream.h"

#include <cstring>
#include <new>

BlockStream::BlockStream() : first_(new Block), last_(first_), current_(first_), cursor_(first_->data) {}

BlockStream::~BlockStream() {
  Block* block = first_;
  while (block != nullptr) {
    Block* next = block->next;
    delete block;
    block = next;
  }
}

void BlockStream::add_block() {
  Block* block = new Block;
  last_->next = block;
  last_ = block;
  capacity_ += kBlockSize;
}

// Walks forward from walk_from (whose first offset is walk_start) to the block
// that holds the position; leaves no current block when the walk runs off the
// end of the list.
void BlockStream::place_cursor(Block* walk_from, int walk_start) {
  Block* block = walk_from;
  int start = walk_start;
  while (block != nullptr && position_ >= start + kBlockSize) {
    block = block->next;
    start += kBlockSize;
  }
  current_ = block;
  block_start_ = start;
  block_end_ = start + kBlockSize;
  cursor_ = block != nullptr ? block->data + (position_ - start) : nullptr;
}

void BlockStream::step_to_next_block() {
  current_ = current_->next;
  cursor_ = current_ != nullptr ? current_->data : nullptr;
  block_start_ += kBlockSize;
  block_end_ += kBlockSize;
}

void BlockStream::seek(std::int64_t offset, int origin) {
  std::int64_t base = 0;
  if (origin == 1) base = position_;
  if (origin == 2) base = static_cast<std::int64_t>(size_) - 1;
  std::int64_t target = base + offset;
  if (target < 0) target = 0;
  if (target > INT32_MAX) target = INT32_MAX;
  if (target == position_) return;
  position_ = static_cast<int>(target);
  place_cursor(first_, 0);
}

bool BlockStream::read_across_blocks(void* destination, int length) {
  if (length < 0 || static_cast<std::int64_t>(position_) + length > size_) return false;
  auto* out = static_cast<unsigned char*>(destination);
  while (length > 0) {
    int room = block_end_ - position_;
    if (length < room) {
      std::memcpy(out, cursor_, static_cast<std::size_t>(length));
      position_ += length;
      cursor_ += length;
      return true;
    }
    std::memcpy(out, cursor_, static_cast<std::size_t>(room));
    out += room;
    position_ += room;
    length -= room;
    step_to_next_block();
  }
  return true;
}

BlockStream::WriteResult BlockStream::write_across_blocks(const void* source, int length) {
  if (length < 0 || static_cast<std::int64_t>(position_) + length > kMaxSize) return WriteResult::too_large;
  Block* old_last = last_;
  int old_capacity = capacity_;
  if (position_ + length >= capacity_) {
    // Build the new tail first so that running out of memory leaves the
    // stream as it was.
    Block* head = nullptr;
    Block* tail = nullptr;
    int added = 0;
    try {
      while (position_ + length >= capacity_ + added) {
        Block* block = new Block;
        if (tail != nullptr)
          tail->next = block;
        else
          head = block;
        tail = block;
        added += kBlockSize;
      }
    } catch (const std::bad_alloc&) {
      while (head != nullptr) {
        Block* next = head->next;
        delete head;
        head = next;
      }
      throw;
    }
    last_->next = head;
    last_ = tail;
    capacity_ += added;
  }
  if (current_ == nullptr) place_cursor(old_last, old_capacity - kBlockSize);

  const auto* in = static_cast<const unsigned char*>(source);
  while (length > 0) {
    int room = block_end_ - position_;
    if (length < room) {
      std::memcpy(cursor_, in, static_cast<std::size_t>(length));
      position_ += length;
      cursor_ += length;
      break;
    }
    std::memcpy(cursor_, in, static_cast<std::size_t>(room));
    in += room;
    position_ += room;
    length -= room;
    step_to_next_block();
  }
  if (position_ >= size_) size_ = position_;
  return WriteResult::written;
}

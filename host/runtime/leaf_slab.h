// Fixed-size slots for leaf values: values that refer to no other value and
// free nothing when they die (integers, floats). Loops make and drop these by
// the million, so they skip the collector's value list: a sweep walks the
// slabs and puts every slot whose value was not reached back on a free list.
#pragma once

#include <cstddef>
#include <new>
#include <span>

namespace host {

// Under AddressSanitizer every value gets memory of its own, so a use after
// free is caught rather than hidden by a reused slot.
#if defined(__SANITIZE_ADDRESS__)
inline constexpr bool kPooledValues = false;
#else
inline constexpr bool kPooledValues = true;
#endif

class LeafSlab {
 public:
  static constexpr std::size_t kSlotSize = 32;

  // A slot, taken from the free list or a new slab; null when memory runs out.
  void* allocate() {
    FreeSlot* f = free_;
    if (f == nullptr) [[unlikely]]
      return allocate_from_new_slab();
    free_ = f->next;
    *f->in_use = true;
    return f;
  }
  // Gives back a slot whose value was never finished (its constructor threw).
  void release(void* slot);
  // Counts a value made in a slot from allocate().
  void adopted() {
    ++live_;
    ++made_since_sweep_;
  }
  // Frees the slots whose values are neither marked nor static and clears
  // the marks of the rest; the being_made slots (values whose constructor
  // has not finished) are kept as they are. Returns how many values live on.
  std::size_t sweep(std::span<const void* const> being_made);
  std::size_t live() const { return live_; }
  std::size_t made_since_sweep() const { return made_since_sweep_; }

 private:
  static constexpr std::size_t kSlotsPerSlab = 2048;
  struct Slab {
    alignas(16) unsigned char slots[kSlotsPerSlab][kSlotSize];
    bool in_use[kSlotsPerSlab] = {};
    Slab* next = nullptr;
  };
  // What a free slot holds.
  struct FreeSlot {
    FreeSlot* next;
    bool* in_use;
  };
  static_assert(sizeof(FreeSlot) <= kSlotSize);

  void push_free(Slab& slab, std::size_t index) {
    free_ = ::new (slab.slots[index]) FreeSlot{free_, &slab.in_use[index]};
  }
  void* allocate_from_new_slab();

  // Slabs are never given back: like the collector's own state, they outlive
  // modules that unload after the program's exit handlers.
  Slab* slabs_ = nullptr;
  FreeSlot* free_ = nullptr;
  std::size_t live_ = 0;
  std::size_t made_since_sweep_ = 0;
};

// The one slab of the runtime (script values live on the script thread).
extern constinit LeafSlab g_leaf_slab;

// A slot for a leaf value the runtime makes with placement new and
// Value(Value::kMadeAsLeaf), or null when values are not pooled.
inline void* take_leaf_slot() {
  if constexpr (!kPooledValues) return nullptr;
  void* slot = g_leaf_slab.allocate();
  if (slot == nullptr) [[unlikely]]
    throw std::bad_alloc();
  g_leaf_slab.adopted();
  return slot;
}

}  // namespace host

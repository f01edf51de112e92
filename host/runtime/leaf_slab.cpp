#include "leaf_slab.h"

#include <cstdint>

#include "host/value.h"

namespace host {

constinit LeafSlab g_leaf_slab;

void* LeafSlab::allocate_from_new_slab() {
  auto* slab = new (std::nothrow) Slab;
  if (slab == nullptr) return nullptr;
  slab->next = slabs_;
  slabs_ = slab;
  // Pushed from the top so slots are handed out in address order.
  for (std::size_t i = kSlotsPerSlab; i-- > 0;) push_free(*slab, i);
  return allocate();
}

void LeafSlab::release(void* slot) {
  auto at = reinterpret_cast<std::uintptr_t>(slot);
  for (Slab* slab = slabs_; slab != nullptr; slab = slab->next) {
    auto first = reinterpret_cast<std::uintptr_t>(slab->slots[0]);
    if (at < first || at >= first + sizeof(slab->slots)) continue;
    std::size_t index = (at - first) / kSlotSize;
    slab->in_use[index] = false;
    push_free(*slab, index);
    return;
  }
}

std::size_t LeafSlab::sweep(std::span<const void* const> being_made) {
  auto still_being_made = [&](const void* slot) {
    for (const void* p : being_made)
      if (p == slot) return true;
    return false;
  };
  free_ = nullptr;
  live_ = 0;
  made_since_sweep_ = 0;
  for (Slab* slab = slabs_; slab != nullptr; slab = slab->next)
    for (std::size_t i = kSlotsPerSlab; i-- > 0;) {
      if (slab->in_use[i]) {
        void* slot = slab->slots[i];
        if (!being_made.empty() && still_being_made(slot)) {
          ++live_;
          continue;
        }
        auto* v = std::launder(static_cast<Value*>(slot));
        if (v->gc_flags & (Value::kMarked | Value::kStatic)) {
          v->gc_flags &= ~Value::kMarked;
          ++live_;
          continue;
        }
        // Leaf values have nothing to free: the slot is simply reused.
        slab->in_use[i] = false;
      }
      push_free(*slab, i);
    }
  return live_;
}

}  // namespace host

// Mark-and-sweep collector. Roots: the global table, values made static,
// and the value-local frames of the script thread. Collections happen only at
// safe points in the interpreter (and on gc()), never inside an allocation,
// so host code that allocates and returns without running script code needs
// no protection for its temporaries.
#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <new>
#include <vector>

#include "leaf_slab.h"
#include "runtime_internal.h"

namespace {

// Addresses handed out by Value::operator new (or gc_allocate_leaf) whose
// constructor has not run yet. A constructor finding its own address here was
// made with new and so belongs to the collector. Several can wait at once:
// new A(new B) allocates A before B is made.
enum class Made { Elsewhere, OnHeap, InLeafSlab };
struct Pending {
  const void* memory;
  Made made;
};
constexpr int kMaxPending = 32;
thread_local Pending t_pending[kMaxPending];
thread_local int t_pending_count = 0;

void remember_allocation(const void* p, Made made) {
  if (t_pending_count == kMaxPending) {  // forget the oldest; it cannot be waiting that deep
    for (int i = 1; i < kMaxPending; ++i) t_pending[i - 1] = t_pending[i];
    --t_pending_count;
  }
  t_pending[t_pending_count++] = {p, made};
}

Made take_allocation_slow(const void* p) {
  for (int i = t_pending_count - 1; i >= 0; --i)
    if (t_pending[i].memory == p) {
      Made made = t_pending[i].made;
      for (int j = i + 1; j < t_pending_count; ++j) t_pending[j - 1] = t_pending[j];
      --t_pending_count;
      return made;
    }
  return Made::Elsewhere;
}

// Usually the newest allocation is the one being constructed.
inline Made take_allocation(const void* p) {
  int n = t_pending_count;
  if (n == 0) return Made::Elsewhere;
  if (t_pending[n - 1].memory == p) {
    t_pending_count = n - 1;
    return t_pending[n - 1].made;
  }
  return take_allocation_slow(p);
}

// The leaf slots whose values are still being made.
std::vector<const void*> leaves_being_made() {
  std::vector<const void*> slots;
  for (int i = 0; i < t_pending_count; ++i)
    if (t_pending[i].made == Made::InLeafSlab) slots.push_back(t_pending[i].memory);
  return slots;
}

constexpr std::size_t kMinExternalThreshold = std::size_t{16} << 20;

struct Heap {
  std::vector<Value*> values;
  std::vector<Value*> statics;
  std::vector<Value*> worklist;
  std::size_t allocated_since_collect = 0;
  std::size_t threshold = 200000;
  // Outside memory (gc_add_external_bytes): live total, reported since the
  // last collection, and how much may be reported before the next one.
  std::size_t external_bytes = 0;
  std::size_t external_since_collect = 0;
  std::size_t external_threshold = kMinExternalThreshold;
  std::size_t collections = 0;
  bool shutting_down = false;
};

// Never destroyed: modules may unload after exit handlers.
Heap* g_heap = nullptr;
inline Heap& heap() {
  if (g_heap == nullptr) [[unlikely]]
    g_heap = new Heap;
  return *g_heap;
}

constexpr bool kUsePools = host::kPooledValues;

// Small values come from per-size free lists so a loop that makes a
// temporary each time does not go through malloc each time.
constexpr std::size_t kPoolGranule = 16;
constexpr std::size_t kPoolClasses = 16;  // up to 256 bytes
struct FreeNode {
  FreeNode* next;
};
FreeNode* g_free[kPoolClasses] = {};

void* pool_allocate(std::size_t size) {
  if (kUsePools && size <= kPoolGranule * kPoolClasses) {
    std::size_t c = (size + kPoolGranule - 1) / kPoolGranule - 1;
    if (FreeNode* n = g_free[c]) {
      g_free[c] = n->next;
      return n;
    }
    return std::malloc((c + 1) * kPoolGranule);
  }
  return std::malloc(size);
}

void pool_free(void* p, std::size_t size) {
  if (kUsePools && size <= kPoolGranule * kPoolClasses) {
    std::size_t c = (size + kPoolGranule - 1) / kPoolGranule - 1;
    auto* n = static_cast<FreeNode*>(p);
    n->next = g_free[c];
    g_free[c] = n;
    return;
  }
  std::free(p);
}

void drain_worklist() {
  auto& h = heap();
  while (!h.worklist.empty()) {
    Value* v = h.worklist.back();
    h.worklist.pop_back();
    v->gc_trace();
  }
}

}  // namespace

void* Value::operator new(std::size_t size) {
  void* p = pool_allocate(size);
  if (p == nullptr) throw std::bad_alloc();
  remember_allocation(p, Made::OnHeap);
  return p;
}

void Value::operator delete(void* memory, std::size_t size) {
  take_allocation(memory);  // a constructor that threw never claimed it
  pool_free(memory, size);
}

void* gc_allocate_leaf(std::size_t size) {
  if (!kUsePools || size > host::LeafSlab::kSlotSize) return Value::operator new(size);
  void* p = host::g_leaf_slab.allocate();
  if (p == nullptr) throw std::bad_alloc();
  remember_allocation(p, Made::InLeafSlab);
  return p;
}

void gc_free_leaf(void* memory, std::size_t size) {
  if (!kUsePools || size > host::LeafSlab::kSlotSize) return Value::operator delete(memory, size);
  take_allocation(memory);
  host::g_leaf_slab.release(memory);
}

Value::Value() : tag(&Value_class) {
  // A value built by Value::operator new belongs to the collector.
  Made made = take_allocation(this);
  if (made == Made::Elsewhere) return;
  auto& h = heap();
  if (made == Made::OnHeap) {
    gc_flags = kHeap;
    h.values.push_back(this);
  } else {
    gc_flags = kHeap | kLeaf;
    host::g_leaf_slab.adopted();
    return;
  }
  ++h.allocated_since_collect;
}

// A heap value normally dies in a sweep, which has already let go of it. One
// whose constructor threw dies here while still listed: unlist it (it is
// almost always the newest).
Value::~Value() {
  if (!(gc_flags & kHeap) || (gc_flags & kLeaf)) return;
  auto& values = heap().values;
  for (auto it = values.rbegin(); it != values.rend(); ++it)
    if (*it == this) {
      values.erase(std::next(it).base());
      break;
    }
}

void gc_mark(Value* v) {
  if (v == nullptr || (v->gc_flags & Value::kMarked)) return;
  if (!(v->gc_flags & Value::kHeap)) return;
  v->gc_flags |= Value::kMarked;
  if (!(v->gc_flags & Value::kLeaf)) heap().worklist.push_back(v);  // leaves refer to nothing
}

Value* make_static(Value* v) {
  if (v != nullptr && (v->gc_flags & Value::kHeap) && !(v->gc_flags & Value::kStatic)) {
    v->gc_flags |= Value::kStatic;
    heap().statics.push_back(v);
  }
  return v;
}

thread_local constinit ValueLocalFrame* t_value_local_frames = nullptr;

void gc_collect() {
  auto& h = heap();
  if (h.shutting_down) return;
  // Mark.
  for (Value* v : h.statics) {
    v->gc_flags &= ~Value::kMarked;
    gc_mark(v);
  }
  host::gc_mark_globals();
  host::gc_mark_host_roots();
  for (const ValueLocalFrame* f = t_value_local_frames; f != nullptr; f = f->previous())
    for (int i = 0; i < f->count(); ++i) gc_mark(f->slots()[i]);
  drain_worklist();
  // Sweep: unmarked values are freed through their own collect().
  std::vector<Value*> dead;
  std::size_t kept = 0;
  for (Value* v : h.values) {
    if (v->gc_flags & (Value::kMarked | Value::kStatic)) {
      v->gc_flags &= ~Value::kMarked;
      h.values[kept++] = v;
    } else {
      dead.push_back(v);
    }
  }
  h.values.resize(kept);
  for (Value* v : dead) {
    v->gc_flags = 0;  // no longer listed
    v->collect();
  }
  kept += host::g_leaf_slab.sweep(leaves_being_made());
  h.allocated_since_collect = 0;
  h.threshold = std::max<std::size_t>(200000, kept);
  h.external_since_collect = 0;
  h.external_threshold = std::max(kMinExternalThreshold, h.external_bytes);
  ++h.collections;
}

std::size_t gc_heap_count() { return heap().values.size() + host::g_leaf_slab.live(); }

void gc_add_external_bytes(std::size_t bytes) {
  auto& h = heap();
  h.external_bytes += bytes;
  h.external_since_collect += bytes;
}

void gc_remove_external_bytes(std::size_t bytes) {
  auto& h = heap();
  h.external_bytes -= std::min(bytes, h.external_bytes);
}

std::size_t gc_external_bytes() { return heap().external_bytes; }

namespace host {

void gc_safe_point() {
  auto& h = heap();
  if (h.allocated_since_collect + g_leaf_slab.made_since_sweep() > h.threshold ||
      h.external_since_collect > h.external_threshold)
    gc_collect();
}

void gc_shutdown() {
  auto& h = heap();
  h.shutting_down = true;
  release_global_values();
  // Values kept static (names, literals) stay: modules may still refer to
  // them while they unload. Everything else is freed through collect(), so
  // open files close.
  std::vector<Value*> all;
  all.swap(h.values);
  for (Value* v : all)  // leaves are not listed: they have nothing to free
    if (!(v->gc_flags & Value::kStatic)) {
      v->gc_flags = 0;
      v->collect();
    }
}

bool runtime_shutting_down() { return heap().shutting_down; }
std::size_t gc_collections() { return heap().collections; }

}  // namespace host

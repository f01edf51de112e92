// Script values for objects the host owns (scene nodes, controllers, ...).
//
// - Root markers: host code that keeps script values where the collector
//   cannot see them marks them itself, once each collection.
// - Wrappers: one script value stands for one host object at a time, so a
//   script comparing two reads of the same object ($a == $a) sees the same
//   value. The registry only looks wrappers up; it does not keep them alive.
//   When the host deletes the object, its wrapper stays valid as a script
//   value but refuses every property access with a runtime error.
#pragma once

#include <unordered_map>

#include "host/value.h"

// Calls mark(context) during every collection, until removed; mark calls
// gc_mark on each value it keeps.
using root_marker = void (*)(void* context);
void gc_add_root_marker(root_marker mark, void* context);
void gc_remove_root_marker(root_marker mark, void* context);

// Registers a marker for as long as it lives.
class ScopedRootMarker {
 public:
  ScopedRootMarker(root_marker mark, void* context) : mark_(mark), context_(context) {
    gc_add_root_marker(mark, context);
  }
  ~ScopedRootMarker() { gc_remove_root_marker(mark_, context_); }
  ScopedRootMarker(const ScopedRootMarker&) = delete;
  ScopedRootMarker& operator=(const ScopedRootMarker&) = delete;

 private:
  root_marker mark_;
  void* context_;
};

class WrapperRegistry;
class Animatable;

// The base of script values that stand for a host object. Subclasses give
// their properties as usual (a property table or overrides calling the base
// first); the base refuses them all once the object is deleted.
class HostObjectWrapper : public Value {
 public:
  HostObjectWrapper(WrapperRegistry* registry, void* object);
  ~HostObjectWrapper() override;
  // The host object, or null once it was deleted.
  void* object() const { return object_; }
  bool is_deleted() const { return deleted_; }
  // Raises "Attempted to access deleted scene object" when it was deleted.
  void check_not_deleted();
  // The scene object the value stands for as its reference 0 (a node, an
  // object, a material, ...): null when it stands for none or it was deleted.
  virtual Animatable* GetReference(int i) {
    (void)i;
    return nullptr;
  }

  Value* get_property(Value* prop) override;
  Value* set_property(Value* prop, Value* new_value) override;
  void get_prop_names(std::vector<Value*>& names) override;

 private:
  friend class WrapperRegistry;
  WrapperRegistry* registry_;
  void* object_;
  bool deleted_ = false;
};

class WrapperRegistry {
 public:
  WrapperRegistry() = default;
  ~WrapperRegistry();
  WrapperRegistry(const WrapperRegistry&) = delete;
  WrapperRegistry& operator=(const WrapperRegistry&) = delete;

  // The current wrapper of object, or the one make(this, object) returns when
  // it has none; make constructs a HostObjectWrapper subclass with new.
  template <typename Make>
  HostObjectWrapper* wrap(void* object, Make make) {
    if (HostObjectWrapper* w = find(object)) return w;
    HostObjectWrapper* w = make(this, object);
    wrappers_[object] = w;
    return w;
  }
  HostObjectWrapper* find(void* object) const;
  // The host deleted object: its wrapper, if any, is marked deleted and
  // leaves the registry.
  void object_deleted(void* object);
  // The host took object out of the scene for a while (deletion that undo
  // may take back): its wrapper, if any, is marked deleted like above and
  // returned so the host can keep it and hand it back with put_back.
  HostObjectWrapper* take_out(void* object);
  // object is back: the wrapper that take_out gave stands for it again.
  void put_back(HostObjectWrapper* w, void* object);
  std::size_t size() const { return wrappers_.size(); }

 private:
  friend class HostObjectWrapper;
  void forget(HostObjectWrapper* w);
  std::unordered_map<void*, HostObjectWrapper*> wrappers_;
};

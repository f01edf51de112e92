// Root markers and the wrappers of host objects.
#include <algorithm>
#include <utility>
#include <vector>

#include "host/host_objects.h"
#include "host/messages.h"
#include "runtime_internal.h"

namespace {
std::vector<std::pair<root_marker, void*>>& root_markers() {
  static auto* markers = new std::vector<std::pair<root_marker, void*>>;  // outlives module unloads
  return *markers;
}
}  // namespace

void gc_add_root_marker(root_marker mark, void* context) { root_markers().emplace_back(mark, context); }

void gc_remove_root_marker(root_marker mark, void* context) {
  auto& markers = root_markers();
  auto found = std::find(markers.begin(), markers.end(), std::make_pair(mark, context));
  if (found != markers.end()) markers.erase(found);
}

namespace host {
void gc_mark_host_roots() {
  for (auto [mark, context] : root_markers()) mark(context);
}
}  // namespace host

HostObjectWrapper::HostObjectWrapper(WrapperRegistry* registry, void* object)
    : registry_(registry), object_(object) {
  tag = &MAXWrapper_class;
}

HostObjectWrapper::~HostObjectWrapper() {
  if (registry_ != nullptr) registry_->forget(this);
}

void HostObjectWrapper::check_not_deleted() {
  if (deleted_) throw RuntimeError(host::msg::kDeletedObject);
}

Value* HostObjectWrapper::get_property(Value* prop) {
  check_not_deleted();
  return Value::get_property(prop);
}

Value* HostObjectWrapper::set_property(Value* prop, Value* new_value) {
  check_not_deleted();
  return Value::set_property(prop, new_value);
}

void HostObjectWrapper::get_prop_names(std::vector<Value*>& names) {
  check_not_deleted();
  Value::get_prop_names(names);
}

WrapperRegistry::~WrapperRegistry() {
  for (auto& [object, w] : wrappers_) w->registry_ = nullptr;
}

HostObjectWrapper* WrapperRegistry::find(void* object) const {
  auto found = wrappers_.find(object);
  return found != wrappers_.end() ? found->second : nullptr;
}

void WrapperRegistry::object_deleted(void* object) { take_out(object); }

HostObjectWrapper* WrapperRegistry::take_out(void* object) {
  auto found = wrappers_.find(object);
  if (found == wrappers_.end()) return nullptr;
  HostObjectWrapper* w = found->second;
  wrappers_.erase(found);
  w->registry_ = nullptr;
  w->object_ = nullptr;
  w->deleted_ = true;
  return w;
}

void WrapperRegistry::put_back(HostObjectWrapper* w, void* object) {
  if (w == nullptr || object == nullptr || wrappers_.count(object) != 0) return;
  w->registry_ = this;
  w->object_ = object;
  w->deleted_ = false;
  wrappers_[object] = w;
}

void WrapperRegistry::forget(HostObjectWrapper* w) {
  auto found = wrappers_.find(w->object_);
  if (found != wrappers_.end() && found->second == w) wrappers_.erase(found);
}

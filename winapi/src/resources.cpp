#include <winapi/resource_table.h>
#include <windows.h>

#include <dlfcn.h>
#include <link.h>

#include <algorithm>
#include <cstring>
#include <mutex>
#include <vector>

namespace {

struct Registration {
  const ModuleResources* resources;
  const link_map* module;  // the loaded object that holds `resources`
};

struct ResourceRegistry {
  std::mutex lock;
  std::vector<Registration> entries;
};

ResourceRegistry& registry() {
  static ResourceRegistry r;
  return r;
}

const link_map* module_of_address(const void* address) {
  Dl_info info{};
  link_map* map = nullptr;
  if (dladdr1(address, &info, reinterpret_cast<void**>(&map), RTLD_DL_LINKMAP) == 0) return nullptr;
  return map;
}

const link_map* module_of_handle(HINSTANCE instance) {
  if (instance == nullptr) return nullptr;
  link_map* map = nullptr;
  if (dlinfo(instance, RTLD_DI_LINKMAP, &map) != 0) return nullptr;
  return map;
}

// The resources registered for a module, or null (with the last error set).
// The caller holds the registry lock.
const ModuleResources* find_module(HINSTANCE instance) {
  const link_map* module = module_of_handle(instance);
  if (module != nullptr) {
    for (const auto& entry : registry().entries) {
      if (entry.module == module) return entry.resources;
    }
  }
  SetLastError(ERROR_RESOURCE_DATA_NOT_FOUND);
  return nullptr;
}

}  // namespace

ModuleResources::ModuleResources(std::vector<StringResource> strings,
                                 std::vector<AcceleratorResource> accelerators)
    : strings_(std::move(strings)), accelerators_(std::move(accelerators)) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  r.entries.push_back({this, module_of_address(this)});
}

ModuleResources::~ModuleResources() {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  std::erase_if(r.entries, [this](const Registration& entry) { return entry.resources == this; });
}

const StringResource* ModuleResources::find_string(UINT id) const {
  for (const auto& entry : strings_) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

const AcceleratorResource* ModuleResources::find_accelerators(UINT id) const {
  for (const auto& entry : accelerators_) {
    if (entry.id == id) return &entry;
  }
  return nullptr;
}

bool ModuleResources::holds(const AcceleratorResource* table) const {
  return std::any_of(accelerators_.begin(), accelerators_.end(),
                     [table](const AcceleratorResource& entry) { return &entry == table; });
}

HMODULE GetModuleHandleA(LPCSTR moduleName) {
  void* handle = dlopen(moduleName, RTLD_LAZY | RTLD_NOLOAD);
  if (handle == nullptr) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  dlclose(handle);  // the module stays loaded: it was loaded before this call
  return static_cast<HMODULE>(handle);
}

int LoadStringA(HINSTANCE instance, UINT id, LPSTR buffer, int maxCount) {
  if (buffer == nullptr || maxCount <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  buffer[0] = '\0';
  auto& r = registry();
  std::lock_guard guard(r.lock);
  const ModuleResources* resources = find_module(instance);
  if (resources == nullptr) return 0;
  const StringResource* entry = resources->find_string(id);
  if (entry == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return 0;
  }
  std::size_t length = std::min(entry->text.size(), static_cast<std::size_t>(maxCount - 1));
  std::memcpy(buffer, entry->text.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

HACCEL LoadAcceleratorsA(HINSTANCE instance, LPCSTR tableName) {
  if (!IS_INTRESOURCE(tableName)) {
    // Tables are known by number only.
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  auto& r = registry();
  std::lock_guard guard(r.lock);
  const ModuleResources* resources = find_module(instance);
  if (resources == nullptr) return nullptr;
  const auto id = static_cast<UINT>(reinterpret_cast<std::uintptr_t>(tableName));
  const AcceleratorResource* table = resources->find_accelerators(id);
  if (table == nullptr) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return nullptr;
  }
  return reinterpret_cast<HACCEL>(const_cast<AcceleratorResource*>(table));
}

int CopyAcceleratorTableA(HACCEL handle, LPACCEL entries, int count) {
  auto& r = registry();
  std::lock_guard guard(r.lock);
  // Accept only tables of modules that are still loaded.
  const auto* table = reinterpret_cast<const AcceleratorResource*>(handle);
  bool known = std::any_of(r.entries.begin(), r.entries.end(),
                           [table](const Registration& entry) { return entry.resources->holds(table); });
  if (!known) {
    SetLastError(ERROR_INVALID_ACCEL_HANDLE);
    return 0;
  }
  const int size = static_cast<int>(table->entries.size());
  if (entries == nullptr) return size;
  const int copied = std::clamp(count, 0, size);
  std::copy_n(table->entries.begin(), copied, entries);
  return copied;
}

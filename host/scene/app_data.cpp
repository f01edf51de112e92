// App data chunks on scene objects, and the host's app-data lock.
#include <cstdlib>
#include <mutex>

#include "host/animatable.h"

namespace {

std::recursive_mutex& app_data_mutex() {
  static std::recursive_mutex m;
  return m;
}

bool same_key(const AppDataChunk& c, Class_ID cid, SClass_ID sid, DWORD sbid) {
  return c.classID == cid && c.superClassID == sid && c.subID == sbid;
}

}  // namespace

AppDataChunk::~AppDataChunk() { std::free(data); }

AppDataLock::AppDataLock() { app_data_mutex().lock(); }
AppDataLock::~AppDataLock() { app_data_mutex().unlock(); }

namespace {
void (*g_destroy_hook)(Animatable*) = nullptr;
}  // namespace

void set_animatable_destroy_hook(void (*hook)(Animatable*)) { g_destroy_hook = hook; }

Animatable::~Animatable() {
  if (g_destroy_hook != nullptr) g_destroy_hook(this);
}

void Animatable::AddAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid, DWORD len, void* data) {
  auto chunk = std::make_unique<AppDataChunk>(cid, sid, sbid, len, data);  // owns data from here
  AppDataLock lock;
  app_data_.push_back(std::move(chunk));
}

AppDataChunk* Animatable::GetAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid) {
  AppDataLock lock;
  for (const auto& c : app_data_)
    if (same_key(*c, cid, sid, sbid)) return c.get();
  return nullptr;
}

BOOL Animatable::RemoveAppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid) {
  AppDataLock lock;
  for (auto it = app_data_.begin(); it != app_data_.end(); ++it)
    if (same_key(**it, cid, sid, sbid)) {
      app_data_.erase(it);
      return TRUE;
    }
  return FALSE;
}

void Animatable::ClearAllAppData() {
  AppDataLock lock;
  app_data_.clear();
}

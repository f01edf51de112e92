// MAXScript's own app data on scene objects: setAppData, getAppData,
// deleteAppData and clearAllAppData, strings filed by an integer slot.
#include <cstdlib>
#include <cstring>

#include "host/animatable.h"
#include "host/checks.h"
#include "host/host_objects.h"
#include "host/values.h"

namespace {

// The key scripts' strings are filed under, apart from plug-ins' chunks.
const Class_ID kScriptAppDataClass(0x4d58536c, 0x41707044);
constexpr SClass_ID kScriptAppDataSuperClass = 0x3f;

// The scene object a value stands for; anything else has no such function.
Animatable* object_of(Value* v, const char* fn) {
  auto* wrapper = dynamic_cast<HostObjectWrapper*>(v);
  if (wrapper == nullptr) throw NoMethodError(fn, v);
  wrapper->check_not_deleted();
  Animatable* object = wrapper->GetReference(0);
  if (object == nullptr) throw NoMethodError(fn, v);
  return object;
}

DWORD slot_of(Value* v) { return static_cast<DWORD>(v->to_int()); }

Value* set_app_data_cf(Value** a, int count) {
  check_arg_count("setAppData", 3, count);
  Animatable* object = object_of(a[0], "setAppData");
  DWORD slot = slot_of(a[1]);
  const char* text = a[2]->to_string();
  std::size_t length = std::strlen(text) + 1;
  void* data = std::malloc(length);
  if (data == nullptr) throw std::bad_alloc();
  std::memcpy(data, text, length);
  while (object->RemoveAppDataChunk(kScriptAppDataClass, kScriptAppDataSuperClass, slot)) {
  }
  object->AddAppDataChunk(kScriptAppDataClass, kScriptAppDataSuperClass, slot, static_cast<DWORD>(length),
                          data);
  return &ok;
}

// The string in the slot, or undefined.
Value* get_app_data_cf(Value** a, int count) {
  check_arg_count("getAppData", 2, count);
  Animatable* object = object_of(a[0], "getAppData");
  AppDataChunk* chunk = object->GetAppDataChunk(kScriptAppDataClass, kScriptAppDataSuperClass, slot_of(a[1]));
  if (chunk == nullptr || chunk->length == 0) return &undefined;
  const char* text = static_cast<const char*>(chunk->data);
  return new String(std::string(text, strnlen(text, chunk->length)).c_str());
}

Value* delete_app_data_cf(Value** a, int count) {
  check_arg_count("deleteAppData", 2, count);
  Animatable* object = object_of(a[0], "deleteAppData");
  object->RemoveAppDataChunk(kScriptAppDataClass, kScriptAppDataSuperClass, slot_of(a[1]));
  return &ok;
}

// Every chunk goes, plug-ins' too, as the application's own function does.
Value* clear_all_app_data_cf(Value** a, int count) {
  check_arg_count("clearAllAppData", 1, count);
  object_of(a[0], "clearAllAppData")->ClearAllAppData();
  return &ok;
}

Primitive set_app_data_pf("setAppData", set_app_data_cf);
Primitive get_app_data_pf("getAppData", get_app_data_cf);
Primitive delete_app_data_pf("deleteAppData", delete_app_data_cf);
Primitive clear_all_app_data_pf("clearAllAppData", clear_all_app_data_cf);

}  // namespace

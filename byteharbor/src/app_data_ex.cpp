#include "app_data_ex.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "binary_io.h"
#include "binary_stream.h"
#include "messages.h"
#include "usage_help.h"

namespace {

struct ChunkKey {
  Class_ID cid;
  SClass_ID sid = 0;
  DWORD sub = 0;
};

// The three hexadecimal numbers of the class-ID string: the class ID's two
// parts and the super class ID.
void read_class_id(Value* v, const char* fn_name, ChunkKey& key) {
  unsigned int a = 0, b = 0, s = 0;
  if (std::sscanf(v->to_string(), "%x %x %x", &a, &b, &s) < 3)
    throw RuntimeError(fn_name, msg::kAppDataFormat);
  key.cid = Class_ID(a, b);
  key.sid = s;
}

// The scene object the wrapper stands for. A wrapper whose object is gone
// (a deleted node) raises an error instead of reaching freed memory.
Animatable* scene_object(Value* v, const char* message) {
  if (!v->is_kind_of(&MAXWrapper_class)) throw RuntimeError(message);
  auto* wrapper = dynamic_cast<HostObjectWrapper*>(v);
  Animatable* object = wrapper != nullptr ? wrapper->GetReference(0) : nullptr;
  if (object == nullptr) throw RuntimeError(msg::kAppDataNoObject, v);
  return object;
}

// The checks the three single-key functions share, in their order.
Animatable* keyed_object(Value** arg_list, int count, const char* fn_name, const char* wrapper_message,
                         ChunkKey& key) {
  check_arg_count(fn_name, 3, count);
  read_class_id(arg_list[0], fn_name, key);
  Animatable* object = scene_object(arg_list[1], wrapper_message);
  key.sub = static_cast<DWORD>(arg_list[2]->to_int());
  return object;
}

}  // namespace

Value* get_app_data_ex_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kGetAppDataExHelp);
  ChunkKey key;
  Animatable* object = keyed_object(arg_list, count, "getAppDataEx", msg::kGetAppDataExWrapper, key);
  AppDataChunk* chunk = object->GetAppDataChunk(key.cid, key.sid, key.sub);
  if (chunk == nullptr) return &undefined;
  auto* stream = new BinaryStream();
  stream->StreamWrite(chunk->data, static_cast<int>(chunk->length));
  stream->StreamSeek(0, 0);
  return stream;
}

Value* has_app_data_ex_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kHasAppDataExHelp);
  ChunkKey key;
  Animatable* object = keyed_object(arg_list, count, "hasAppDataEx", msg::kHasAppDataExWrapper, key);
  return bool_result(object->GetAppDataChunk(key.cid, key.sid, key.sub) != nullptr);
}

Value* delete_app_data_ex_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kDeleteAppDataExHelp);
  ChunkKey key;
  Animatable* object = keyed_object(arg_list, count, "deleteAppDataEx", msg::kDeleteAppDataExWrapper, key);
  object->RemoveAppDataChunk(key.cid, key.sid, key.sub);
  return &ok;
}

Value* set_app_data_ex_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kSetAppDataExHelp);
  check_arg_count("setAppDataEx", 5, count);
  ChunkKey key;
  read_class_id(arg_list[0], "setAppDataEx", key);
  Animatable* object = scene_object(arg_list[1], msg::kSetAppDataExWrapper);
  key.sub = static_cast<DWORD>(arg_list[2]->to_int());
  Value* data = arg_list[3];
  bool is_stream = data->is_kind_of(&BinaryStream_class);
  if (!is_stream && data->tag != &String_class) throw RuntimeError(msg::kSetAppDataExData);
  bool clear_old = arg_list[4]->to_bool();

  // The bytes, in a buffer the host takes over.
  DWORD length = 0;
  void* bytes = nullptr;
  if (is_stream) {
    auto* stream = static_cast<BinaryStream*>(data);
    int position = stream->storage().position();
    length = static_cast<DWORD>(stream->storage().size());
    bytes = std::malloc(length > 0 ? length : 1);
    if (bytes == nullptr) throw RuntimeError(msg::kAppDataNoMemory);
    stream->StreamSeek(0, 0);
    stream->StreamRead(bytes, static_cast<int>(length));
    stream->StreamSeek(position, 0);
  } else {
    const char* text = data->to_string();
    length = static_cast<DWORD>(std::strlen(text) + 1);
    bytes = std::malloc(length);
    if (bytes == nullptr) throw RuntimeError(msg::kAppDataNoMemory);
    std::memcpy(bytes, text, length);
  }
  if (clear_old)
    while (object->GetAppDataChunk(key.cid, key.sid, key.sub) != nullptr)
      object->RemoveAppDataChunk(key.cid, key.sid, key.sub);
  object->AddAppDataChunk(key.cid, key.sid, key.sub, length, bytes);
  return &ok;
}

Value* list_app_data_ex_fn(Value** arg_list, int count) {
  if (asks_for_help(arg_list, count)) return show_usage(msg::kListAppDataExHelp);
  check_arg_count("listAppDataEx", 1, count);
  Animatable* object = scene_object(arg_list[0], msg::kListAppDataExWrapper);
  CharStream* out = thread_local_output();
  AppDataLock lock;
  for (int i = 0; i < object->NumAppDataChunks(); ++i) {
    AppDataChunk* c = object->GetAppDataChunkByIndex(i);
    out->printf("\tClass_ID:(0x%08x,0x%08x), SClass_ID:0x%08x, subID:%d, length:%d\n",
                static_cast<unsigned>(c->classID.PartA()), static_cast<unsigned>(c->classID.PartB()),
                static_cast<unsigned>(c->superClassID), static_cast<int>(c->subID),
                static_cast<int>(c->length));
  }
  return &ok;
}

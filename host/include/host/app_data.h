// App data: blocks of bytes any scene object (an Animatable) carries, each
// filed under a class id, a super class id and a sub id. The object owns the
// blocks added to it and frees them with free(). The scene file keeps them.
#pragma once

#include <windows.h>

#include "host/plugin_classes.h"

class AppDataChunk {
 public:
  AppDataChunk(Class_ID cid, SClass_ID sid, DWORD sbid, DWORD len, void* d)
      : classID(cid), superClassID(sid), subID(sbid), length(len), data(d) {}
  ~AppDataChunk();
  AppDataChunk(const AppDataChunk&) = delete;
  AppDataChunk& operator=(const AppDataChunk&) = delete;

  Class_ID classID;
  SClass_ID superClassID;
  DWORD subID;
  DWORD length;
  void* data;  // malloc'ed; the chunk frees it
};

class Animatable;

// Holds the host's app-data lock for its lifetime: while one is alive, no
// other thread adds, removes or reads chunks, so a listing sees one state.
class AppDataLock {
 public:
  AppDataLock();
  ~AppDataLock();
  AppDataLock(const AppDataLock&) = delete;
  AppDataLock& operator=(const AppDataLock&) = delete;
};

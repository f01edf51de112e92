// Loads the plug-in modules of the plug-in folders and unloads them at exit.
#pragma once

#include <string>

#include <vector>
#include "host/gup.h"

#include <windows.h>

class ClassDesc;

namespace host::listener {

struct LoadedModule {
  std::string file_name;
  std::string path;
  void* handle = nullptr;
  std::string description;
  ULONG version = 0;
  bool is_utility = false;            // a .gup global utility plug-in
  std::vector<ClassDesc*> classes;    // .gup class descriptors
  std::vector<GUP*> utilities;        // started global utility objects
  std::vector<ActionTableId> tables;  // shortcut tables its classes offered
};

class PluginLoader {
 public:
  // Loads every *.dlx and *.gup of the folders, in file-name order. Each
  // module that cannot load is reported in one line and skipped.
  void load_folders(const std::vector<std::string>& folders);
  // Unloads in reverse order of loading.
  void unload_all();
  const std::vector<LoadedModule>& modules() const { return modules_; }
  ~PluginLoader() { unload_all(); }

 private:
  void start_utilities(LoadedModule& m);
  void stop_utilities(LoadedModule& m);
  bool load(const std::string& path, const std::string& file_name);
  std::vector<LoadedModule> modules_;
};

}  // namespace host::listener

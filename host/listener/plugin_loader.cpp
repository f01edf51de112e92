#include "plugin_loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <filesystem>

#include "../runtime/lower_case.h"
#include "../runtime/runtime_internal.h"
#include "../script/interpreter.h"
#include "host/exceptions.h"
#include "host/module.h"
#include "host/plugin_classes.h"

namespace host::listener {

namespace fs = std::filesystem;

namespace {

void report(const std::string& file, const std::string& reason) {
  script::host_line(msg::kPluginPrefix + file + msg::kPluginNotLoaded + reason);
}

bool has_plugin_extension(const fs::path& p) {
  std::string ext = lower(p.extension().string());
  return ext == ".dlx" || ext == ".gup";
}

template <typename Fn>
Fn symbol(void* handle, const char* name) {
  return reinterpret_cast<Fn>(dlsym(handle, name));
}

}  // namespace

void PluginLoader::load_folders(const std::vector<std::string>& folders) {
  std::vector<std::pair<std::string, std::string>> found;  // file name, path
  for (const std::string& folder : folders) {
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    if (ec) {
      script::host_line(msg::kPluginFolderPrefix + folder + msg::kPluginFolderUnreadable + ec.message());
      continue;
    }
    for (const auto& entry : it)
      if (entry.is_regular_file() && has_plugin_extension(entry.path()))
        found.emplace_back(entry.path().filename().string(), entry.path().string());
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (const auto& [file_name, path] : found) load(path, file_name);
}

bool PluginLoader::load(const std::string& path, const std::string& file_name) {
  // Two copies of one module would register the same globals twice, and the
  // second unload would forget what the first already took away.
  for (const LoadedModule& loaded : modules_)
    if (lower(loaded.file_name) == lower(file_name)) {
      report(file_name, msg::kPluginNameTaken + fs::path(loaded.path).parent_path().string());
      return false;
    }
  // Loading constructs the module's static objects, which register its
  // functions and classes.
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    const char* why = dlerror();
    report(file_name, why ? why : msg::kPluginLoaderError);
    return false;
  }
  LoadedModule m;
  m.file_name = file_name;
  m.path = path;
  m.handle = handle;
  m.is_utility = lower(fs::path(file_name).extension().string()) == ".gup";

  auto description = symbol<LibDescriptionFn>(handle, "LibDescription");
  auto version = symbol<LibVersionFn>(handle, "LibVersion");
  auto init = symbol<LibInitFn>(handle, "LibInit");
  auto number_classes = symbol<LibNumberClassesFn>(handle, "LibNumberClasses");
  auto class_desc = symbol<LibClassDescFn>(handle, "LibClassDesc");
  const char* missing = nullptr;
  if (description == nullptr)
    missing = "LibDescription";
  else if (version == nullptr)
    missing = "LibVersion";
  else if (!m.is_utility && init == nullptr)
    missing = "LibInit";
  else if (m.is_utility && number_classes == nullptr)
    missing = "LibNumberClasses";
  else if (m.is_utility && class_desc == nullptr)
    missing = "LibClassDesc";
  if (missing != nullptr) {
    report(file_name, msg::kPluginMissingExport + std::string(missing));
    dlclose(handle);
    return false;
  }
  try {
    if (auto dll_main = symbol<DllMainFn>(handle, "DllMain"))
      dll_main(reinterpret_cast<HINSTANCE>(handle), DLL_PROCESS_ATTACH, nullptr);
    m.description = description();
    m.version = version();
    if (m.is_utility) {
      int n = number_classes();
      for (int i = 0; i < n; ++i)
        if (ClassDesc* cd = class_desc(i)) m.classes.push_back(cd);
      start_utilities(m);
    } else {
      init();
    }
  } catch (const MAXScriptException& e) {
    report(file_name, msg::kPluginStartRaised + e.message());
  } catch (const std::exception& e) {
    report(file_name, msg::kPluginStartThrew + std::string(e.what()));
  } catch (...) {
    report(file_name, msg::kPluginStartThrewUnknown);
  }
  modules_.push_back(std::move(m));
  return true;
}

// The host knows each shortcut table a class offers, then makes and starts
// one object of each global utility class; one whose start fails is deleted.
void PluginLoader::start_utilities(LoadedModule& m) {
  for (ClassDesc* cd : m.classes) {
    if (cd->SuperClassID() != GUP_CLASS_ID) continue;
    for (int i = 0; i < cd->NumShortcutTables(); ++i)
      if (ShortcutTable* table = cd->GetShortcutTable(i); host::register_shortcut_table(table))
        m.tables.push_back(table->GetId());
    auto* utility = static_cast<GUP*>(cd->Create(FALSE));
    if (utility == nullptr) continue;
    if (utility->Start() == GUPRESULT_KEEP)
      m.utilities.push_back(utility);
    else
      delete utility;
  }
}

void PluginLoader::stop_utilities(LoadedModule& m) {
  while (!m.utilities.empty()) {
    GUP* utility = m.utilities.back();
    m.utilities.pop_back();
    utility->Stop();
    delete utility;
  }
  for (ActionTableId id : m.tables) host::unregister_shortcut_table(id);
  m.tables.clear();
}

void PluginLoader::unload_all() {
  theHold.Clear();  // its restore objects may be code of the modules going
  while (!modules_.empty()) {
    LoadedModule& m = modules_.back();
    try {
      stop_utilities(m);
    } catch (...) {
      // A plug-in's stop that throws still lets the others unload.
    }
    if (auto dll_main = symbol<DllMainFn>(m.handle, "DllMain"))
      dll_main(reinterpret_cast<HINSTANCE>(m.handle), DLL_PROCESS_DETACH, nullptr);
    Dl_info info;
    if (dladdr(reinterpret_cast<void*>(symbol<LibVersionFn>(m.handle, "LibVersion")), &info) != 0)
      host::forget_module_globals(info.dli_fbase);
    dlclose(m.handle);
    modules_.pop_back();
  }
}

}  // namespace host::listener

// Saving, loading and resetting the scene (host/scene_files.h).
#include "host/scene_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <new>
#include <vector>

#include "../light_objects.h"
#include "../material_objects.h"
#include "../scene_internal.h"
#include "host/advanced_lighting.h"
#include "host/globals.h"
#include "host/hold.h"
#include "host/messages.h"
#include "host/script_time.h"
#include "scene_access.h"
#include "scene_build.h"
#include "scene_capture.h"
#include "scene_check.h"
#include "tables.h"
#include "winapi/file_paths.h"

namespace {

std::string& current_file() {
  static auto* file = new std::string;
  return *file;
}

std::string folder_of(const std::string& path) {
  std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? "." : slash == 0 ? "/" : path.substr(0, slash);
}

// A temporary file beside path, there for as long as it lives unless kept.
class TempFile {
 public:
  explicit TempFile(const std::string& path) {
    std::string pattern = folder_of(path) + "/.scene-save-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0)
      throw scenefile::FileError(host::msg::kSceneFileCannotCreate + std::string(std::strerror(errno)));
    // As an ordinary new file would be: mkstemp keeps it to its owner.
    mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    close(fd);
    path_ = name.data();
  }
  ~TempFile() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  TempFile(const TempFile&) = delete;
  TempFile& operator=(const TempFile&) = delete;
  const std::string& path() const { return path_; }
  void rename_to(const std::string& target) {
    if (std::rename(path_.c_str(), target.c_str()) != 0)
      throw scenefile::FileError(host::msg::kSceneFileCannotReplace + std::string(std::strerror(errno)));
    path_.clear();
  }

 private:
  std::string path_;
};

void write_file(const std::string& path, const scenefile::SceneData& data) {
  scenefile::Db db(path, scenefile::Db::Mode::kCreate);
  db.exec("BEGIN");
  for (const scenefile::Table* table : scenefile::all_tables()) {
    db.exec((std::string("CREATE TABLE ") + table->name + " (" + table->columns + ")").c_str());
    table->write(db, data);
  }
  db.exec("COMMIT");
  db.close();
}

scenefile::SceneData read_file(const std::string& path) {
  struct stat st;
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    throw scenefile::FileError(host::msg::kSceneFileNotFound);
  scenefile::Db db(path, scenefile::Db::Mode::kRead);
  // SQLite reads a missing tail as zeros, so a file cut inside its last page
  // would pass for whole: its size must be the size its header gives.
  scenefile::Statement pages(db, "PRAGMA page_count"), page_size(db, "PRAGMA page_size");
  if (!pages.next_row() || !page_size.next_row() ||
      pages.integer(0) * page_size.integer(0) != static_cast<std::int64_t>(st.st_size))
    throw scenefile::FileError(host::msg::kSceneFileWrongSize);
  scenefile::Statement check(db, "PRAGMA quick_check");
  if (!check.next_row() || check.text(0) != "ok") throw scenefile::FileError(host::msg::kSceneFileDamaged);
  // Any SQLite file opens: one without the schema table is not a scene file.
  scenefile::Statement has_schema(db, "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = 'schema'");
  if (!has_schema.next_row()) throw scenefile::FileError(host::msg::kSceneFileNoVersion);
  scenefile::SceneData data;
  for (const scenefile::Table* table : scenefile::all_tables()) {
    try {
      table->read(db, data);
    } catch (const scenefile::FileError& e) {
      // The schema table's own reasons (a newer version) stand alone.
      if (table == &scenefile::kSchemaTable) throw;
      throw scenefile::FileError(std::string(table->name) + ": " + e.what());
    }
  }
  return data;
}

// Runs body; a FileError or lack of memory becomes the result's reason.
template <typename Body>
SceneFileResult attempt(Body body) {
  try {
    body();
    return {};
  } catch (const scenefile::FileError& e) {
    return {false, e.what()};
  } catch (const std::bad_alloc&) {
    return {false, host::msg::kSceneFileOutOfMemory};
  }
}

}  // namespace

SceneFileResult SaveSceneFile(const char* path) {
  std::string native = NativePathFromWindows(path);
  SceneFileResult result = attempt([&] {
    scenefile::SceneData data = scenefile::capture_scene();
    data.version = kSceneFileVersion;
    TempFile temp(native);
    write_file(temp.path(), data);
    temp.rename_to(native);
  });
  if (result.ok) current_file() = path;
  return result;
}

SceneFileResult LoadSceneFile(const char* path) {
  std::string native = NativePathFromWindows(path);
  scenefile::SceneData data;
  SceneFileResult result = attempt([&] {
    data = read_file(native);
    scenefile::check_scene(data);
  });
  if (!result.ok) return result;
  ResetScene();
  theHold.Suspend();  // nothing of the building is undone
  result = attempt([&] { scenefile::build_scene(data); });
  theHold.Resume();
  if (result.ok) current_file() = path;
  return result;
}

void ResetScene() {
  theHold.Clear();
  SceneFileAccess::remove_all_nodes();
  SceneFileAccess::set_xrefs({}, 1);
  Scene& scene = Scene::get();
  scene.AssignCurRenderer(nullptr);
  static_cast<SceneRadiosity*>(GetCOREInterface(SCENERADIOSITY_INTERFACE))->setRadiosity(nullptr);
  scene.SetAmbient(0, Point3(0, 0, 0));
  set_host_slider_time(0);
  reset_material_names();
  forget_persistent_globals();
  current_file().clear();
}

const std::string& CurrentSceneFile() { return current_file(); }

#include <winapi/process.h>

#include "errno_map.h"

#include <fcntl.h>
#include <spawn.h>
#include <unistd.h>

#include <memory>

extern char** environ;

namespace {

class SpawnAttributes {
 public:
  SpawnAttributes() { ok_ = posix_spawnattr_init(&attributes_) == 0; }
  ~SpawnAttributes() {
    if (ok_) posix_spawnattr_destroy(&attributes_);
  }
  SpawnAttributes(const SpawnAttributes&) = delete;
  SpawnAttributes& operator=(const SpawnAttributes&) = delete;
  bool ok() const { return ok_; }
  posix_spawnattr_t* get() { return &attributes_; }

 private:
  posix_spawnattr_t attributes_{};
  bool ok_ = false;
};

class FileActions {
 public:
  FileActions() { ok_ = posix_spawn_file_actions_init(&actions_) == 0; }
  ~FileActions() {
    if (ok_) posix_spawn_file_actions_destroy(&actions_);
  }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  bool ok() const { return ok_; }
  posix_spawn_file_actions_t* get() { return &actions_; }

 private:
  posix_spawn_file_actions_t actions_{};
  bool ok_ = false;
};

BOOL fail(int error) {
  SetLastError(winapi::win32_error_from_errno(error));
  return FALSE;
}

}  // namespace

BOOL StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return fail(ENOENT);
  SpawnAttributes attributes;
  FileActions actions;
  if (!attributes.ok() || !actions.ok()) return fail(ENOMEM);
  // A session of its own: the copy is not ended with its starter's terminal
  // or process group.
  if (int rc = posix_spawnattr_setflags(attributes.get(), POSIX_SPAWN_SETSID); rc != 0) {
    return fail(rc);
  }
  for (int fd = 0; fd <= 2; ++fd) {
    int flags = (fd == 0) ? O_RDONLY : O_WRONLY;
    if (int rc = posix_spawn_file_actions_addopen(actions.get(), fd, "/dev/null", flags, 0);
        rc != 0) {
      return fail(rc);
    }
  }
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  pid_t child = 0;
  int rc = posix_spawnp(&child, program.c_str(), actions.get(), attributes.get(), argv.data(),
                        environ);
  if (rc != 0) return fail(rc);
  // The copy is not waited for. It is reaped by init once this process ends;
  // until then it stays a zombie only if it ends first, which is harmless.
  return TRUE;
}

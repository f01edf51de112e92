#include <windows.h>

#include "errno_map.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <string>

namespace {

BOOL fail(DWORD code) {
  SetLastError(code);
  return FALSE;
}

BOOL fail_errno() { return fail(winapi::win32_error_from_errno(errno)); }

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int get() const { return fd_; }
  int release_and_close() {
    int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

// Copies a regular file to a target that must not exist yet. On failure the
// partial target is removed and errno tells why.
bool copy_file_exclusive(const char* from, const char* to, mode_t mode) {
  Descriptor source(::open(from, O_RDONLY | O_CLOEXEC));
  if (source.get() < 0) return false;
  Descriptor target(::open(to, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode & 07777));
  if (target.get() < 0) return false;
  char buffer[64 * 1024];
  bool ok = true;
  for (;;) {
    ssize_t got = ::read(source.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) {
      ok = (got == 0);
      break;
    }
    for (ssize_t done = 0; done < got;) {
      ssize_t put = ::write(target.get(), buffer + done, static_cast<size_t>(got - done));
      if (put < 0 && errno == EINTR) continue;
      if (put < 0) {
        ok = false;
        break;
      }
      done += put;
    }
    if (!ok) break;
  }
  if (ok && ::fsync(target.get()) != 0) ok = false;
  if (target.release_and_close() != 0) ok = false;
  if (!ok) {
    int saved = errno;
    ::unlink(to);
    errno = saved;
  }
  return ok;
}

}  // namespace

BOOL RemoveDirectoryA(LPCSTR windows_path) {
  if (windows_path == nullptr || *windows_path == '\0') return fail(ERROR_PATH_NOT_FOUND);
  const std::string native = NativePathFromWindows(windows_path);
  const char* path = native.c_str();
  if (::rmdir(path) == 0) return TRUE;
  if (errno == ENOTDIR) {
    struct stat info {};
    // The named object is a file, not a missing path component.
    if (::stat(path, &info) == 0 && !S_ISDIR(info.st_mode)) return fail(ERROR_DIRECTORY);
    return fail(ERROR_PATH_NOT_FOUND);
  }
  if (errno == EEXIST) return fail(ERROR_DIR_NOT_EMPTY);
  return fail_errno();
}

BOOL MoveFileA(LPCSTR existing_windows_name, LPCSTR new_windows_name) {
  if (existing_windows_name == nullptr || new_windows_name == nullptr || *existing_windows_name == '\0' ||
      *new_windows_name == '\0') {
    return fail(ERROR_PATH_NOT_FOUND);
  }
  const std::string existing = NativePathFromWindows(existing_windows_name);
  const std::string renamed = NativePathFromWindows(new_windows_name);
  const char* existingName = existing.c_str();
  const char* newName = renamed.c_str();
  struct stat info {};
  if (::lstat(existingName, &info) != 0) return fail_errno();
  if (::renameat2(AT_FDCWD, existingName, AT_FDCWD, newName, RENAME_NOREPLACE) == 0) return TRUE;
  if (errno == EINVAL) {
    // The file system cannot rename without replacing: check, then rename.
    struct stat target {};
    if (::lstat(newName, &target) == 0) return fail(ERROR_ALREADY_EXISTS);
    if (::rename(existingName, newName) == 0) return TRUE;
  }
  // The source exists, so a missing name is a folder of the target's path.
  if (errno == ENOENT) return fail(ERROR_PATH_NOT_FOUND);
  if (errno != EXDEV) return fail_errno();
  if (!S_ISREG(info.st_mode)) return fail(ERROR_NOT_SAME_DEVICE);
  if (!copy_file_exclusive(existingName, newName, info.st_mode)) return fail_errno();
  if (::unlink(existingName) != 0) {
    int saved = errno;
    ::unlink(newName);  // keep the move all or nothing
    errno = saved;
    return fail_errno();
  }
  return TRUE;
}

#include <winapi/process.h>

#include "errno_map.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace {

BOOL fail(int error) {
  SetLastError(winapi::win32_error_from_errno(error));
  return FALSE;
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  Descriptor() = default;
  ~Descriptor() { reset(); }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  int* address() { return &fd_; }
  int get() const { return fd_; }
  void reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

// In the grandchild, between fork and exec: only async-signal-safe calls.
[[noreturn]] void exec_copy(const char* program, char* const argv[], int report) {
  int null_in = ::open("/dev/null", O_RDONLY);
  int null_out = ::open("/dev/null", O_WRONLY);
  if (null_in < 0 || null_out < 0 || ::dup2(null_in, 0) < 0 || ::dup2(null_out, 1) < 0 ||
      ::dup2(null_out, 2) < 0) {
    int error = errno;
    (void)!::write(report, &error, sizeof error);
    ::_exit(127);
  }
  if (null_in > 2) ::close(null_in);
  if (null_out > 2) ::close(null_out);
  ::execvp(program, argv);
  int error = errno;
  (void)!::write(report, &error, sizeof error);  // the copy never started
  ::_exit(127);
}

}  // namespace

BOOL StartDetachedProcess(const std::string& program, const std::vector<std::string>& arguments) {
  if (program.empty()) return fail(ENOENT);
  // Everything the child needs is made before the fork.
  std::vector<char*> argv;
  argv.reserve(arguments.size() + 1);
  for (const auto& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);

  // The grandchild writes errno here if it cannot start the program; a
  // successful exec closes the pipe without a word.
  int fds[2];
  if (::pipe2(fds, O_CLOEXEC) != 0) return fail(errno);
  Descriptor read_end, write_end;
  *read_end.address() = fds[0];
  *write_end.address() = fds[1];

  // Two forks: the intermediate child starts a new session, forks the copy and
  // ends at once, so the copy belongs to init and never lingers as a zombie
  // of its starter.
  pid_t child = ::fork();
  if (child < 0) return fail(errno);
  if (child == 0) {
    ::setsid();
    pid_t copy = ::fork();
    if (copy < 0) {
      int error = errno;
      (void)!::write(write_end.get(), &error, sizeof error);
      ::_exit(1);
    }
    if (copy == 0) exec_copy(program.c_str(), argv.data(), write_end.get());
    ::_exit(0);
  }
  write_end.reset();
  int status = 0;
  while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got;
  do {
    got = ::read(read_end.get(), &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  if (got == static_cast<ssize_t>(sizeof error)) return fail(error);
  return TRUE;
}

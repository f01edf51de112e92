#include "subprocess.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <stdexcept>
#include <utility>

extern char** environ;

namespace test_support {

Subprocess::Subprocess(const std::vector<std::string>& argv) {
  int pipe_fds[2];
  if (pipe2(pipe_fds, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, pipe_fds[1], 2);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  int rc = posix_spawnp(&pid_, args[0], &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(pipe_fds[1]);
  if (rc != 0) {
    close(pipe_fds[0]);
    throw std::runtime_error("cannot start " + argv[0]);
  }
  out_ = pipe_fds[0];
}

Subprocess::~Subprocess() {
  if (!status_) {
    ::kill(pid_, SIGKILL);
    wait();
  }
  if (out_ >= 0) close(out_);
}

bool Subprocess::fill(int timeout_ms) {
  if (eof_) return false;
  pollfd p{out_, POLLIN, 0};
  int ready;
  do {
    ready = poll(&p, 1, timeout_ms);
  } while (ready < 0 && errno == EINTR);
  if (ready <= 0) return false;
  char chunk[4096];
  ssize_t got = read(out_, chunk, sizeof chunk);
  if (got <= 0) {
    eof_ = true;
    return false;
  }
  buffer_.append(chunk, static_cast<std::size_t>(got));
  return true;
}

std::optional<std::string> Subprocess::read_line(int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    auto end = buffer_.find('\n');
    if (end != std::string::npos) {
      std::string line = buffer_.substr(0, end);
      buffer_.erase(0, end + 1);
      return line;
    }
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !fill(static_cast<int>(left.count()))) return std::nullopt;
  }
}

std::string Subprocess::read_all(int timeout_ms) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeout_ms);
  for (;;) {
    auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
    if (left.count() <= 0 || !fill(static_cast<int>(left.count()))) break;
  }
  return std::exchange(buffer_, {});
}

int Subprocess::wait() {
  if (status_) return *status_;
  int status = 0;
  while (waitpid(pid_, &status, 0) < 0 && errno == EINTR) {
  }
  status_ = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return *status_;
}

void Subprocess::kill(int signal) {
  if (!status_) ::kill(pid_, signal);
}

std::string helper_path(const std::string& name) { return std::string(TEST_BIN_DIR) + "/" + name; }

RunResult run(const std::vector<std::string>& argv) {
  Subprocess child(argv);
  std::string output = child.read_all();
  int code = child.wait();
  return {code, output};
}

}  // namespace test_support

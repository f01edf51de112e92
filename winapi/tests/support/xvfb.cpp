#include "xvfb.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace test_support {

Xvfb::Xvfb() {
  int pipe_fds[2];
  if (pipe(pipe_fds) != 0) throw std::runtime_error("pipe failed");
  // Both ends above fd 3 and closed on exec, so that mapping the write end to
  // fd 3 in the server cannot clash with either.
  int fds[2] = {fcntl(pipe_fds[0], F_DUPFD_CLOEXEC, 10), fcntl(pipe_fds[1], F_DUPFD_CLOEXEC, 10)};
  close(pipe_fds[0]);
  close(pipe_fds[1]);
  // -noreset: the server must not restart (refusing connections meanwhile)
  // whenever its last client leaves. The server writes the display number it chose to fd 3 once it is ready.
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, fds[1], 3);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  std::vector<std::string> argv = {"Xvfb",     "-displayfd", "3", "-nolisten", "tcp",
                                   "-noreset", "-screen",    "0", "640x480x24"};
  std::vector<char*> args;
  for (auto& a : argv) args.push_back(a.data());
  args.push_back(nullptr);
  int rc = posix_spawnp(&pid_, "Xvfb", &actions, nullptr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  close(fds[1]);
  if (rc != 0) {
    close(fds[0]);
    throw std::runtime_error("cannot start Xvfb (is the xvfb package installed?)");
  }
  std::string number;
  pollfd p{fds[0], POLLIN, 0};
  while (number.find('\n') == std::string::npos) {
    if (poll(&p, 1, 30000) <= 0) break;
    char c[16];
    ssize_t got = read(fds[0], c, sizeof c);
    if (got <= 0) break;
    number.append(c, static_cast<std::size_t>(got));
  }
  close(fds[0]);
  if (number.find('\n') == std::string::npos) {
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    throw std::runtime_error("Xvfb did not come up");
  }
  display_ = ":" + number.substr(0, number.find('\n'));
  setenv("DISPLAY", display_.c_str(), 1);
}

Xvfb::~Xvfb() {
  unsetenv("DISPLAY");
  kill(pid_, SIGTERM);
  while (waitpid(pid_, nullptr, 0) < 0 && errno == EINTR) {
  }
}

}  // namespace test_support

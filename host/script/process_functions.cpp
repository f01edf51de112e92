// Running programs: DOSCommand and HiddenDOSCommand run a command line
// through the shell; ShellLaunch starts a program or opens a document.
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include <winapi/process.h>

#include "../runtime/runtime_internal.h"
#include "ast.h"
#include "host/messages.h"
#include "script_paths.h"

extern char** environ;

namespace host::script {

namespace {

// The exit status of a finished child; a signal counts as 128 + its number,
// as shells report it.
int exit_code(int status) {
  if (WIFEXITED(status)) return WEXITSTATUS(status);
  if (WIFSIGNALED(status)) return 128 + WTERMSIG(status);
  return -1;
}

// Runs "/bin/sh -c command" in folder (empty: the current one) and waits.
// quiet sends its output to /dev/null instead of the listener's terminal.
// False when the shell could not be started.
bool run_shell(const std::string& command, const std::string& folder, bool quiet, int& code) {
  thread_local_output()->flush();
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
  if (quiet) {
    posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
  }
  std::string sh = "sh", dash_c = "-c";
  std::vector<char*> argv{sh.data(), dash_c.data(), const_cast<char*>(command.c_str()), nullptr};
  pid_t pid = 0;
  int rc = posix_spawn(&pid, "/bin/sh", &actions, nullptr, argv.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  if (rc != 0) return false;
  int status = 0;
  while (waitpid(pid, &status, 0) < 0)
    if (errno != EINTR) return false;
  code = exit_code(status);
  return true;
}

// Starts "/bin/sh -c command" in folder without waiting; it outlives the listener.
bool start_shell(const std::string& command, const std::string& folder) {
  return StartDetachedProcess("/bin/sh", {"sh", "-c", "cd -- \"$1\" || exit 1; exec /bin/sh -c \"$2\"", "sh",
                                          folder.empty() ? "." : folder, command}) != FALSE;
}

// DOSCommand "cmd": the command's exit code, -1 when no shell could start.
Value* dos_command_cf(Value** arg_list, int count) {
  check_arg_count("DOSCommand", 1, count);
  int code = -1;
  if (!run_shell(arg_list[0]->to_string(), "", false, code)) return Integer::intern(-1);
  return Integer::intern(code);
}

// HiddenDOSCommand "cmd" startpath:"dir" donotwait:true prompt:"..."
// exitCode:&code: runs with its output discarded, in startpath when given;
// true when it ran (or, with donotwait, started). Without donotwait the
// command's exit code goes to the exitCode: reference.
Value* hidden_dos_command_cf(Value** arg_list, int count) {
  check_positional_count("HiddenDOSCommand", 1, arg_list, count);
  std::string command = arg_list[0]->to_string();
  Value* start = _get_key_arg_or_default(arg_list, count, Name::intern("startpath"), nullptr);
  Value* no_wait = _get_key_arg_or_default(arg_list, count, Name::intern("donotwait"), &false_value);
  std::string folder = start && start != &undefined ? os_path(start->to_string()) : "";
  std::error_code ec;
  if (!folder.empty() && !std::filesystem::is_directory(folder, ec)) return &false_value;
  Value* exit_code_ref = _get_key_arg_or_default(arg_list, count, Name::intern("exitCode"), nullptr);
  if (no_wait->to_bool()) return bool_result(start_shell(command, folder));
  int code = -1;
  bool ran = run_shell(command, folder, true, code);
  if (ran && exit_code_ref != nullptr && !assign_reference(exit_code_ref, Integer::intern(code)))
    throw TypeError(msg::kExitCodeNeedsReference, exit_code_ref);
  return bool_result(ran);
}

bool is_executable_file(const std::string& path) {
  struct stat st {};
  return stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && access(path.c_str(), X_OK) == 0;
}

bool found_in_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  if (path == nullptr || name.find('/') != std::string::npos) return false;
  std::string dirs = path;
  for (std::size_t start = 0; start <= dirs.size();) {
    std::size_t end = dirs.find(':', start);
    if (end == std::string::npos) end = dirs.size();
    if (is_executable_file(dirs.substr(start, end - start) + "/" + name)) return true;
    start = end + 1;
  }
  return false;
}

// ShellLaunch "program" "arguments": starts a program with the arguments
// split as the shell splits them; a document or URL opens with the desktop's
// handler (xdg-open). True when something was started.
Value* shell_launch_cf(Value** arg_list, int count) {
  check_arg_count("ShellLaunch", 2, count);
  std::string target = os_path(arg_list[0]->to_string());
  std::string arguments = arg_list[1]->to_string();
  if (target.empty()) return &false_value;
  if (is_executable_file(target) || found_in_path(target))
    return bool_result(StartDetachedProcess("/bin/sh", {"sh", "-c", "exec \"$0\" " + arguments, target}) !=
                       FALSE);
  bool is_url = target.find("://") != std::string::npos;
  std::error_code ec;
  if (!is_url && !std::filesystem::exists(target, ec)) return &false_value;
  if (!found_in_path("xdg-open")) return &false_value;
  return bool_result(StartDetachedProcess("xdg-open", {"xdg-open", target}) != FALSE);
}

Primitive dos_command_pf("DOSCommand", dos_command_cf);
Primitive hidden_dos_command_pf("HiddenDOSCommand", hidden_dos_command_cf);
Primitive shell_launch_pf("ShellLaunch", shell_launch_cf);

}  // namespace

}  // namespace host::script

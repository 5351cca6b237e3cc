#pragma once
// Starts korvex-vmouse as a separate process for the tests and runs its
// control sub-commands.
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "transport/virtual/UnixSocket.h"

extern char** environ;

namespace korvex::simtest {

inline std::string VmouseBinary() { return std::string(KORVEX_BIN_DIR) + "/korvex-vmouse"; }

inline pid_t Spawn(const std::vector<std::string>& args, int stdoutFd = -1) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  if (stdoutFd >= 0) posix_spawn_file_actions_adddup2(&actions, stdoutFd, 1);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0) pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  return pid;
}

inline int WaitExit(pid_t pid) {
  int status = 0;
  if (waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// Runs `korvex-vmouse --socket PATH words...`; returns the exit code and
// the standard output.
inline int RunControl(const std::string& socket, const std::vector<std::string>& words,
                      std::string* output = nullptr) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return -1;
  std::vector<std::string> args = {VmouseBinary(), "--socket", socket};
  args.insert(args.end(), words.begin(), words.end());
  const pid_t pid = Spawn(args, pipeFds[1]);
  close(pipeFds[1]);
  std::string text;
  char buf[4096];
  for (ssize_t n; (n = read(pipeFds[0], buf, sizeof buf)) > 0;) text.append(buf, n);
  close(pipeFds[0]);
  if (output) *output = text;
  return pid < 0 ? -1 : WaitExit(pid);
}

// The daemon, stopped with SIGTERM when the object goes.
class Daemon {
 public:
  Daemon(std::string socket, std::vector<std::string> extra) : socket_(std::move(socket)) {
    std::vector<std::string> args = {VmouseBinary(), "serve", "--socket", socket_};
    args.insert(args.end(), extra.begin(), extra.end());
    pid_ = Spawn(args);
    for (int i = 0; i < 250 && pid_ > 0; ++i) {  // up to 5 s to start listening
      const int fd = vmouse::ConnectUnixSocket(socket_);
      if (fd >= 0) {
        close(fd);
        up_ = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~Daemon() {
    if (pid_ > 0) Stop();
  }
  bool Up() const { return up_; }
  // SIGTERM and the exit code.
  int Stop() {
    kill(pid_, SIGTERM);
    const int code = WaitExit(pid_);
    pid_ = -1;
    return code;
  }

 private:
  std::string socket_;
  pid_t pid_ = -1;
  bool up_ = false;
};

}  // namespace korvex::simtest

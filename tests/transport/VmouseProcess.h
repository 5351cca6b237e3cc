#pragma once
// korvex-vmouse as a separate process: the daemon for the hot-plug tests and
// its control sub-commands.
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace korvex::test {

inline std::string VmouseBinary() { return std::string(KORVEX_BIN_DIR) + "/korvex-vmouse"; }

inline pid_t SpawnProcess(const std::vector<std::string>& args) {
  std::vector<char*> argv;
  for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid = -1;
  return pid;
}

inline int WaitProcess(pid_t pid) {
  int status = 0;
  if (pid <= 0 || waitpid(pid, &status, 0) != pid) return -1;
  return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

// `korvex-vmouse --socket PATH words...`; its exit code.
inline int VmouseControl(const std::string& socket, const std::vector<std::string>& words) {
  std::vector<std::string> args = {VmouseBinary(), "--socket", socket};
  args.insert(args.end(), words.begin(), words.end());
  return WaitProcess(SpawnProcess(args));
}

// The daemon serving `devices` on a fresh socket; stopped with SIGTERM.
class VmouseDaemon {
 public:
  explicit VmouseDaemon(const std::string& devices)
      : socket_("/tmp/korvex-transport-e2e-" + std::to_string(getpid()) + "-" +
                std::to_string(++Counter()) + ".sock") {
    unlink(socket_.c_str());
    pid_ = SpawnProcess({VmouseBinary(), "serve", "--socket", socket_, "--devices", devices});
    struct stat st{};
    for (int i = 0; i < 250 && pid_ > 0; ++i) {
      if (stat(socket_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode)) {
        up_ = true;
        break;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~VmouseDaemon() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      WaitProcess(pid_);
    }
    unlink(socket_.c_str());
  }
  bool Up() const { return up_; }
  const std::string& Socket() const { return socket_; }

 private:
  static int& Counter() {
    static int counter = 0;
    return counter;
  }
  std::string socket_;
  pid_t pid_ = -1;
  bool up_ = false;
};

}  // namespace korvex::test

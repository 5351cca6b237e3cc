#pragma once
// Running korvexctl and the virtual mouse daemon as processes.
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace korvex::test {

struct ProcessResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

inline std::string ReadWhole(const std::string& path) {
  std::ifstream in(path);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

// Runs a program to its end; its output goes through files so that neither
// pipe can fill up and stall it.
inline ProcessResult RunProcess(const std::string& dir, const std::vector<std::string>& argv) {
  ProcessResult r;
  const std::string outPath = dir + "/stdout.txt", errPath = dir + "/stderr.txt";
  const pid_t pid = fork();
  if (pid == 0) {
    const int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    const int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    dup2(out, 1);
    dup2(err, 2);
    std::vector<char*> args;
    for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execv(args[0], args.data());
    _exit(127);
  }
  int status = 0;
  waitpid(pid, &status, 0);
  r.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  r.out = ReadWhole(outPath);
  r.err = ReadWhole(errPath);
  return r;
}

// korvex-vmouse serve in a temporary folder, with its trace file.
class VmouseDaemon {
 public:
  VmouseDaemon(const std::string& dir, const std::string& devices)
      : socket_(dir + "/vmouse.sock"), trace_(dir + "/trace.txt"), dir_(dir) {
    pid_ = fork();
    if (pid_ == 0) {
      const int null = open("/dev/null", O_WRONLY);
      dup2(null, 1);
      dup2(null, 2);
      const std::string bin = std::string(KORVEX_BIN_DIR) + "/korvex-vmouse";
      execl(bin.c_str(), bin.c_str(), "serve", "--socket", socket_.c_str(), "--devices", devices.c_str(),
            "--trace", trace_.c_str(), static_cast<char*>(nullptr));
      _exit(127);
    }
    for (int i = 0; i < 500 && !std::filesystem::exists(socket_); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
  ~VmouseDaemon() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
  }
  bool Ready() const { return std::filesystem::exists(socket_); }
  const std::string& Socket() const { return socket_; }

  // A control command ("status k3", "nak 1", ...).
  ProcessResult Control(std::vector<std::string> words) const {
    words.insert(words.begin(), {std::string(KORVEX_BIN_DIR) + "/korvex-vmouse", "--socket", socket_});
    return RunProcess(dir_, words);
  }

  // Command bytes of the frames written to configuration interfaces, in the
  // order the trace lists them; device-information queries left out.
  std::vector<int> SentCommands() const {
    // The daemon writes the trace as frames pass; give the last one a moment.
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    std::vector<int> out;
    std::istringstream lines(ReadWhole(trace_));
    std::string line;
    while (std::getline(lines, line)) {
      std::istringstream words(line);
      std::string ms, direction, where, reportId, command;
      words >> ms >> direction >> where >> reportId >> command;
      if (direction != "out" || where.size() < 2 || where.substr(where.size() - 2) != ":2") continue;
      const int code = std::stoi(command, nullptr, 16);
      if (code != 0x10) out.push_back(code);
    }
    return out;
  }

 private:
  std::string socket_;
  std::string trace_;
  std::string dir_;
  pid_t pid_ = -1;
};

}  // namespace korvex::test

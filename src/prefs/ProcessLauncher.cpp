#include "prefs/ProcessLauncher.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "platform/Log.h"

extern char** environ;

namespace korvex {
namespace {

bool IsExecutableFile(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode) && ::access(path.c_str(), X_OK) == 0;
}

// Runs in the grandchild between fork and exec: only async-signal-safe calls.
[[noreturn]] void ExecInChild(const char* file, char* const* args, int devNull, int errorPipe) {
  sigset_t none;
  sigemptyset(&none);
  sigprocmask(SIG_SETMASK, &none, nullptr);
  struct sigaction dfl {};
  dfl.sa_handler = SIG_DFL;
  for (int sig = 1; sig < NSIG; ++sig) sigaction(sig, &dfl, nullptr);  // ignored signals survive exec
  if (devNull >= 0) dup2(devNull, STDIN_FILENO);
  execve(file, args, environ);
  const int error = errno;
  (void)!write(errorPipe, &error, sizeof error);
  _exit(127);
}

// Reads the exec outcome: end of file means the exec closed the pipe.
int ReadChildError(int fd) {
  int error = 0;
  size_t got = 0;
  while (got < sizeof error) {
    const ssize_t n = ::read(fd, reinterpret_cast<char*>(&error) + got, sizeof error - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<size_t>(n);
  }
  return got == sizeof error ? (error != 0 ? error : EIO) : 0;
}

}  // namespace

std::string DefaultSearchPath() {
  const char* path = std::getenv("PATH");
  return path ? path : "/usr/local/bin:/usr/bin:/bin";
}

std::string FindExecutable(const std::string& name, const std::string& searchPath) {
  if (name.empty()) return {};
  if (name.find('/') != std::string::npos) return IsExecutableFile(name) ? name : std::string();
  size_t pos = 0;
  while (pos <= searchPath.size()) {
    size_t end = searchPath.find(':', pos);
    if (end == std::string::npos) end = searchPath.size();
    std::string folder = searchPath.substr(pos, end - pos);
    pos = end + 1;
    if (folder.empty() || folder.front() != '/') continue;
    if (folder.back() != '/') folder += '/';
    const std::string candidate = folder + name;
    if (IsExecutableFile(candidate)) return candidate;
  }
  return {};
}

bool StartDetached(const std::vector<std::string>& argv, const std::string& searchPath) {
  if (argv.empty()) return false;
  const std::string file = FindExecutable(argv[0], searchPath);
  if (file.empty()) {
    LogLine(2, "Cannot start %s: not found", argv[0].c_str());
    return false;
  }
  // Everything the children use is prepared here: after fork only
  // async-signal-safe calls are allowed (the window process has threads).
  std::vector<char*> args;
  args.reserve(argv.size() + 1);
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  int errorPipe[2];
  if (::pipe2(errorPipe, O_CLOEXEC) != 0) return false;
  const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC);

  const pid_t child = ::fork();
  if (child == 0) {
    ::close(errorPipe[0]);
    ::setsid();
    // The second fork lets the helper outlive us without ever being our
    // child; the intermediate process is reaped below at once.
    const pid_t grandchild = ::fork();
    if (grandchild == 0) ExecInChild(file.c_str(), args.data(), devNull, errorPipe[1]);
    if (grandchild < 0) {
      const int error = errno;
      (void)!::write(errorPipe[1], &error, sizeof error);
    }
    _exit(0);
  }
  ::close(errorPipe[1]);
  if (devNull >= 0) ::close(devNull);
  int error = 0;
  if (child < 0) {
    error = errno;
  } else {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    error = ReadChildError(errorPipe[0]);
  }
  ::close(errorPipe[0]);
  if (error != 0) LogLine(2, "Cannot start %s: %s", file.c_str(), std::strerror(error));
  return error == 0;
}

}  // namespace korvex

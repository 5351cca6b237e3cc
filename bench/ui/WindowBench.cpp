// The built program against korvex-vmouse (default roster), as processes:
//   - start to first window shown, offscreen and on the X display of
//     $DISPLAY (Xvfb), from the spawn to the window's "Main window shown"
//     log line;
//   - resident memory once the first synchronisation has read the mouse;
//   - process CPU while the window stays open and idle for 10 s.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
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

extern char** environ;

namespace {

using Clock = std::chrono::steady_clock;

const std::string kBin = std::string(KORVEX_BIN_DIR) + "/";

struct Child {
  pid_t pid = -1;
  int err = -1;  // the read end of its stderr
};

Child Spawn(const std::vector<std::string>& args, const std::vector<std::string>& extraEnv, bool captureErr) {
  std::vector<std::string> env;
  for (char** e = environ; *e != nullptr; ++e) env.emplace_back(*e);
  env.insert(env.end(), extraEnv.begin(), extraEnv.end());
  std::vector<char*> argv, envp;
  std::vector<std::string> argsCopy = args;
  for (auto& a : argsCopy) argv.push_back(a.data());
  argv.push_back(nullptr);
  for (auto& e : env) envp.push_back(e.data());
  envp.push_back(nullptr);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  int pipeFds[2] = {-1, -1};
  if (captureErr && pipe2(pipeFds, O_CLOEXEC) == 0) {
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], 2);
  } else {
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
  }
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  Child child;
  if (posix_spawn(&child.pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0) child.pid = -1;
  posix_spawn_file_actions_destroy(&actions);
  if (pipeFds[1] >= 0) close(pipeFds[1]);
  child.err = pipeFds[0];
  return child;
}

void Stop(Child& child) {
  if (child.pid > 0) {
    kill(child.pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 300 && waitpid(child.pid, &status, WNOHANG) == 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    if (waitpid(child.pid, &status, WNOHANG) == 0) {
      kill(child.pid, SIGKILL);
      waitpid(child.pid, &status, 0);
    }
  }
  if (child.err >= 0) close(child.err);
  child = Child{};
}

// Reads the child's stderr until a line holds `text`; false on time-out.
bool WaitForLine(int fd, const std::string& text, int timeoutMs) {
  std::string buffer;
  const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
  while (Clock::now() < deadline) {
    pollfd p{fd, POLLIN, 0};
    if (poll(&p, 1, 20) <= 0) continue;
    char chunk[4096];
    const ssize_t n = read(fd, chunk, sizeof chunk);
    if (n <= 0) return false;
    buffer.append(chunk, static_cast<std::size_t>(n));
    if (buffer.find(text) != std::string::npos) return true;
    if (buffer.size() > 65536) buffer.erase(0, buffer.size() - 1024);
  }
  return false;
}

// The virtual mouse and the folders of one benchmark run.
class Bench {
 public:
  Bench() {
    dir_ = std::filesystem::temp_directory_path() / ("korvex-ui-bench-" + std::to_string(getpid()));
    for (const char* sub : {"config", "data", "runtime"}) std::filesystem::create_directories(dir_ + "/" + sub);
    std::filesystem::permissions(dir_ + "/runtime", std::filesystem::perms::owner_all);
    vmouse_ = Spawn({kBin + "korvex-vmouse", "serve", "--socket", Socket(), "--trace", Trace()}, {}, false);
    for (int i = 0; i < 250 && !std::filesystem::exists(Socket()); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  ~Bench() {
    Stop(vmouse_);
    std::error_code ec;
    std::filesystem::remove_all(dir_, ec);
  }

  Child StartWindow(const std::string& platform) {
    return Spawn({kBin + "korvex"},
                 {"XDG_CONFIG_HOME=" + dir_ + "/config", "XDG_DATA_HOME=" + dir_ + "/data",
                  "XDG_RUNTIME_DIR=" + dir_ + "/runtime", "KORVEX_VMOUSE=" + Socket(), "KORVEX_LOG=stderr",
                  "QT_QPA_PLATFORM=" + platform},
                 true);
  }

  // Waits until the first sync has sent its last read (0x17).
  bool WaitForFirstSync(int timeoutMs) {
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    while (Clock::now() < deadline) {
      std::ifstream trace(Trace());
      std::string line;
      while (std::getline(trace, line))
        if (line.find(" out ") != std::string::npos && line.find(":2 00 17") != std::string::npos) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return false;
  }

  std::string Socket() const { return dir_ + "/vm.sock"; }
  std::string Trace() const { return dir_ + "/trace.txt"; }

 private:
  std::string dir_;
  Child vmouse_;
};

// One virtual mouse and one set of folders for the whole run, so every
// start after the first finds its databases (a warm start).
Bench& SharedBench() {
  static Bench bench;
  return bench;
}

long ResidentKb(pid_t pid) {
  std::ifstream status("/proc/" + std::to_string(pid) + "/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmRSS:", 0) == 0) return std::strtol(line.c_str() + 6, nullptr, 10);
  return -1;
}

// User and system CPU time of the process, in clock ticks.
long CpuTicks(pid_t pid) {
  std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
  std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
  const auto close = text.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream rest(text.substr(close + 2));
  std::string field;
  long utime = 0, stime = 0;
  for (int i = 3; i <= 15 && rest >> field; ++i) {
    if (i == 14) utime = std::atol(field.c_str());
    if (i == 15) stime = std::atol(field.c_str());
  }
  return utime + stime;
}

void StartToFirstWindowShown(benchmark::State& state, const std::string& platform) {
  if (platform == "xcb" && std::getenv("DISPLAY") == nullptr) {
    state.SkipWithError("no DISPLAY (run under Xvfb)");
    return;
  }
  Bench& bench = SharedBench();
  for (auto _ : state) {
    const auto start = Clock::now();
    Child window = bench.StartWindow(platform);
    const bool shown = WaitForLine(window.err, "Main window shown", 20000);
    const auto elapsed = std::chrono::duration<double>(Clock::now() - start).count();
    Stop(window);
    if (!shown) {
      state.SkipWithError("the window did not show");
      return;
    }
    state.SetIterationTime(elapsed);
  }
}

void BM_StartToFirstWindowShown_Offscreen(benchmark::State& state) { StartToFirstWindowShown(state, "offscreen"); }
void BM_StartToFirstWindowShown_Xvfb(benchmark::State& state) { StartToFirstWindowShown(state, "xcb"); }

// Resident memory after the first sync and idle CPU over 10 s, one run.
void BM_ResidentMemoryAndIdleCpu(benchmark::State& state) {
  const char* display = std::getenv("DISPLAY");
  const std::string platform = display != nullptr ? "xcb" : "offscreen";
  Bench& bench = SharedBench();
  for (auto _ : state) {
    Child window = bench.StartWindow(platform);
    if (!WaitForLine(window.err, "Main window shown", 20000) || !bench.WaitForFirstSync(20000)) {
      Stop(window);
      state.SkipWithError("no window or no first sync");
      return;
    }
    // Let the page refreshes of the sync land.
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    state.counters["rss_MB"] = ResidentKb(window.pid) / 1024.0;
    const long before = CpuTicks(window.pid);
    const auto start = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const long after = CpuTicks(window.pid);
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    state.counters["idle_cpu_percent"] = 100.0 * double(after - before) / double(sysconf(_SC_CLK_TCK)) / seconds;
    Stop(window);
  }
}

}  // namespace

// One start per repetition, so the median is over starts.
BENCHMARK(BM_StartToFirstWindowShown_Offscreen)
    ->UseManualTime()->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartToFirstWindowShown_Xvfb)
    ->UseManualTime()->Iterations(1)->Repetitions(9)->ReportAggregatesOnly(true)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ResidentMemoryAndIdleCpu)->Iterations(1)->Unit(benchmark::kSecond);

BENCHMARK_MAIN();

// Exchange latency, enumeration time and the CPU cost of idle notification
// polls, against the virtual mouse with its 1 ms frame model: in-process,
// and through korvex-vmouse when the daemon binary is present.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "transport/HidDeviceManager.h"
#include "transport/virtual/VirtualHidBackend.h"

extern char** environ;

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

void AddRecords(HidDeviceManager& manager) {
  // Types below 200 so the notification poll reads every interface.
  manager.AddSupportedDevice({0x1209, 0x0001, 111, 0, "K1WD"});
  manager.AddSupportedDevice({0x1209, 0x0002, 112, 0, "K3WL"});
  manager.AddSupportedDevice({0x1209, 0x0003, 112, 1, "K3WL"});
}

// korvex-vmouse serving on a private socket for the life of the object.
class Daemon {
 public:
  explicit Daemon(const std::string& devices)
      : socket_("/tmp/korvex-transport-bench-" + std::to_string(getpid()) + ".sock") {
    const std::string binary = std::string(KORVEX_BIN_DIR) + "/korvex-vmouse";
    if (access(binary.c_str(), X_OK) != 0) return;
    unlink(socket_.c_str());
    std::vector<std::string> args = {binary, "serve", "--socket", socket_, "--devices", devices};
    std::vector<char*> argv;
    for (auto& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    if (posix_spawn(&pid_, argv[0], nullptr, nullptr, argv.data(), environ) != 0) pid_ = -1;
    struct stat st{};
    for (int i = 0; i < 250 && pid_ > 0 && !up_; ++i) {
      up_ = stat(socket_.c_str(), &st) == 0 && S_ISSOCK(st.st_mode);
      if (!up_) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  ~Daemon() {
    if (pid_ > 0) {
      kill(pid_, SIGTERM);
      int status = 0;
      waitpid(pid_, &status, 0);
    }
    unlink(socket_.c_str());
  }
  bool Up() const { return up_; }
  const std::string& Socket() const { return socket_; }

 private:
  std::string socket_;
  pid_t pid_ = -1;
  bool up_ = false;
};

std::unique_ptr<HidDeviceManager> InProcessManager(const std::string& devices) {
  auto hub = std::make_shared<sim::VirtualMouseHub>(devices);
  auto manager = std::make_unique<HidDeviceManager>(std::make_unique<sim::InProcessBackend>(hub));
  AddRecords(*manager);
  return manager;
}

std::unique_ptr<HidDeviceManager> DaemonManager(const Daemon& daemon) {
  auto manager =
      std::make_unique<HidDeviceManager>(std::make_unique<VirtualHidBackend>(daemon.Socket()));
  AddRecords(*manager);
  return manager;
}

void Open(HidDeviceManager& manager, int type) {
  manager.CloseAll();
  manager.Enumerate();
  manager.SetOpened(true);
  manager.SetCurrentDeviceType(type);
}

void ReportPercentiles(benchmark::State& state, std::vector<double>& micros) {
  if (micros.empty()) return;
  std::sort(micros.begin(), micros.end());
  const auto at = [&](double q) {
    return micros[std::min(micros.size() - 1, static_cast<std::size_t>(q * micros.size()))];
  };
  state.counters["median_us"] = at(0.5);
  state.counters["p99_us"] = at(0.99);
  state.counters["max_us"] = micros.back();
}

// One write-and-acknowledge exchange of a read request.
void RunExchange(benchmark::State& state, HidDeviceManager& manager) {
  Open(manager, 111);
  std::vector<double> micros;
  int failures = 0;
  for (auto _ : state) {
    ReportFrame frame;
    frame[1] = 0x12;
    const auto start = Clock::now();
    if (!manager.Exchange(frame)) ++failures;
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    micros.push_back(us);
    state.SetIterationTime(us / 1e6);
  }
  state.counters["failures"] = failures;
  ReportPercentiles(state, micros);
}

// Enumeration of a receiver and a wired mouse that both answer at once.
void RunEnumerate(benchmark::State& state, HidDeviceManager& manager) {
  std::vector<double> micros;
  for (auto _ : state) {
    const auto start = Clock::now();
    manager.CloseAll();
    const int found = manager.Enumerate();
    const double us = std::chrono::duration<double, std::micro>(Clock::now() - start).count();
    if (found != 2) state.SkipWithError("expected two interfaces");
    micros.push_back(us);
    state.SetIterationTime(us / 1e6);
  }
  ReportPercentiles(state, micros);
}

// Back-to-back idle polls for ten seconds: the CPU share must stay small,
// because each pass should sleep in its reads.
void RunIdlePoll(benchmark::State& state, HidDeviceManager& manager) {
  Open(manager, 112);
  for (auto _ : state) {
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    const auto start = Clock::now();
    long passes = 0;
    ReportBuffer report;
    int type = 0;
    while (Clock::now() - start < std::chrono::seconds(10)) {
      if (manager.PollNotifications(report, type)) state.SkipWithError("unexpected report");
      ++passes;
    }
    const double wall = std::chrono::duration<double>(Clock::now() - start).count();
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const auto cpu = [](const rusage& r) {
      return r.ru_utime.tv_sec + r.ru_stime.tv_sec +
             (r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
    };
    state.SetIterationTime(wall);
    state.counters["cpu_percent"] = 100.0 * (cpu(after) - cpu(before)) / wall;
    state.counters["passes"] = static_cast<double>(passes);
    state.counters["ms_per_pass"] = 1000.0 * wall / static_cast<double>(passes);
  }
}

void BM_Exchange_InProcess(benchmark::State& state) {
  auto manager = InProcessManager("k1");
  RunExchange(state, *manager);
}
BENCHMARK(BM_Exchange_InProcess)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMillisecond);

void BM_Exchange_Daemon(benchmark::State& state) {
  Daemon daemon("k1");
  if (!daemon.Up()) return state.SkipWithError("korvex-vmouse not available");
  auto manager = DaemonManager(daemon);
  RunExchange(state, *manager);
}
BENCHMARK(BM_Exchange_Daemon)->UseManualTime()->Iterations(2000)->Unit(benchmark::kMillisecond);

void BM_Enumerate_InProcess(benchmark::State& state) {
  auto manager = InProcessManager("k3-receiver,k1");
  RunEnumerate(state, *manager);
}
BENCHMARK(BM_Enumerate_InProcess)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_Enumerate_Daemon(benchmark::State& state) {
  Daemon daemon("k3-receiver,k1");
  if (!daemon.Up()) return state.SkipWithError("korvex-vmouse not available");
  auto manager = DaemonManager(daemon);
  RunEnumerate(state, *manager);
}
BENCHMARK(BM_Enumerate_Daemon)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_IdlePoll_InProcess(benchmark::State& state) {
  auto manager = InProcessManager("k3-receiver,k3");
  RunIdlePoll(state, *manager);
}
BENCHMARK(BM_IdlePoll_InProcess)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

void BM_IdlePoll_Daemon(benchmark::State& state) {
  Daemon daemon("k3-receiver,k3");
  if (!daemon.Up()) return state.SkipWithError("korvex-vmouse not available");
  auto manager = DaemonManager(daemon);
  RunIdlePoll(state, *manager);
}
BENCHMARK(BM_IdlePoll_Daemon)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvex

BENCHMARK_MAIN();

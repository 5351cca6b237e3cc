// The worker against korvex-vmouse as a separate process (1 ms frame model):
//   - latency from queueing a code to its frame leaving the host (median, p99),
//     with the idle poll off (types from 200 up) and on (types below 200, as
//     the shipped models are);
//   - the whole ApplyProfile body (seven or six exchanges);
//   - the first full ReadBack (seven reads);
//   - process CPU while the worker idles with a device present, over 10 s.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <pthread.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "app/DeviceSync.h"
#include "app/DeviceWorker.h"
#include "app/ReadBack.h"
#include "transport/virtual/UnixSocket.h"
#include "transport/virtual/VirtualHidBackend.h"

extern char** environ;

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

std::string g_socket;
std::string g_dataDir;

pid_t StartDaemon() {
  g_socket = "/tmp/korvex-app-bench-" + std::to_string(getpid());
  const std::string binary = std::string(KORVEX_BIN_DIR) + "/korvex-vmouse";
  std::vector<std::string> args = {binary, "serve", "--socket", g_socket, "--devices", "k3"};
  std::vector<char*> argv;
  for (auto& a : args) argv.push_back(a.data());
  argv.push_back(nullptr);
  pid_t pid = -1;
  if (posix_spawn(&pid, argv[0], nullptr, nullptr, argv.data(), environ) != 0) return -1;
  for (int i = 0; i < 250; ++i) {
    const int fd = vmouse::ConnectUnixSocket(g_socket);
    if (fd >= 0) {
      close(fd);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return pid;
}

// Remembers when the last frame of each command finished its write.
struct WriteClock {
  std::atomic<std::int64_t> at[256] = {};
  std::atomic<std::uint64_t> count[256] = {};
};

class TimedDevice : public HidDevice {
 public:
  TimedDevice(std::unique_ptr<HidDevice> inner, WriteClock& clock) : inner_(std::move(inner)), clock_(clock) {}
  int Write(const std::uint8_t* data, std::size_t length) override {
    const int n = inner_->Write(data, length);
    if (n > 0 && length > 1) {
      clock_.at[data[1]] = Clock::now().time_since_epoch().count();
      ++clock_.count[data[1]];
    }
    return n;
  }
  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return inner_->Read(buffer, length, timeoutMs);
  }
  std::string ProductString() override { return inner_->ProductString(); }
  int InputFd() override { return inner_->InputFd(); }
  int InputReadyInMs() override { return inner_->InputReadyInMs(); }

 private:
  std::unique_ptr<HidDevice> inner_;
  WriteClock& clock_;
};

class TimedBackend : public HidBackend {
 public:
  TimedBackend(std::string socket, WriteClock& clock) : inner_(std::move(socket)), clock_(clock) {}
  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  std::unique_ptr<HidDevice> Open(const std::string& path) override {
    auto device = inner_.Open(path);
    return device ? std::make_unique<TimedDevice>(std::move(device), clock_) : nullptr;
  }
  bool SetEventSink(EventSink sink) override { return inner_.SetEventSink(std::move(sink)); }

 private:
  VirtualHidBackend inner_;
  WriteClock& clock_;
};

class NullView : public DeviceView {
 public:
  void ShowBattery(int, int) override {}
  void SetAllDeviceState(int) override {}
  void SetDeviceState(int, int, int) override {}
  void SetDeviceBattery(int, int, int) override {}
  void SetDeviceVersion(int, int) override {}
  void SelectDevice(int) override {}
  void ShowConnectionText(int) override {}
  void ShowDevicePages() override {}
  void ShowPagesForOnlineDevices() override {}
  void ClosePopups() override {}
  void ShowModel() override {}
  void ShowProfileName(const std::string&) override {}
  void ShowSensorLimits(int, const SensorLimits&, int) override {}
  void ShowDpiCount(int) override {}
  void ShowDpiStage(int, int, int) override {}
  void ShowDpiTip(int) override {}
  void SelectReportRate(int) override {}
  void ShowVersionRow(int, const std::string&, const std::string&) override {}
  void EnableFirmwareButtons(bool, bool) override {}
  void RefreshButtonPage() override {}
  void RefreshMacroList() override {}
  void RefreshPerformancePage() override {}
  void RefreshDpiControls() override {}
  void RefreshLightingPage() override {}
  void CloseWaitDialog() override {}
  void CloseUpdateTipDialog() override {}
  void PostUpdateAvailable(int, const std::string&) override {}
};

// One database per type, lighting on, every lighting mode enabled.
class BenchModels : public ModelAccess {
 public:
  explicit BenchModels(SettingsStore& store) : store_(store) {}
  int WantedDeviceType() override { return 0; }
  void SwitchModel(int type) override { store_.SwitchModel(g_dataDir, "bench" + std::to_string(type)); }
  bool HasLighting() override { return true; }
  std::array<bool, kLightModeCount> LightModes() override { return {true, true, true, true, true, true}; }
  void RecreateDatabase() override {}
  void ApplyDescriptorDefaults(ProfileId, bool) override {}

 private:
  SettingsStore& store_;
};

// The K3 as config.xml lists it, with its type number chosen by the caller.
void AddK3(HidDeviceManager& hid, std::uint32_t type) {
  hid.AddSupportedDevice({0x1209, 0x0002, type, 0, "K3WL"});
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

// Arg 0: a type of 200 or more (the idle poll reads nothing); arg 1: type 12
// (the idle poll reads the interface, 10 ms per pass, as for the shipped models).
void BM_QueueToFrameLatency(benchmark::State& state) {
  WriteClock clock;
  HidDeviceManager hid(std::make_unique<TimedBackend>(g_socket, clock));
  AddK3(hid, state.range(0) ? 12 : 250);
  SettingsStore store;
  BenchModels models(store);
  NullView view;
  DeviceWorker worker(hid, store, models, view);
  worker.RefreshDevices();
  const auto first = worker.QueueTask(kInitialSync);
  worker.Start();
  if (!worker.WaitForTask(first, 10000)) return state.SkipWithError("no sync");
  std::vector<double> ms;
  for (auto _ : state) {
    const std::uint64_t before = clock.count[0x02];
    const auto t0 = Clock::now().time_since_epoch().count();
    const auto ticket = worker.QueueTask(kWriteReportRate);
    while (clock.count[0x02] == before) std::this_thread::yield();
    const double latency = static_cast<double>(clock.at[0x02] - t0) / 1e6;
    state.SetIterationTime(latency / 1000.0);
    ms.push_back(latency);
    worker.WaitForTask(ticket, 5000);
    // Queue at a random spot of the worker's pass, not right after one.
    std::this_thread::sleep_for(std::chrono::microseconds(500 + (ms.size() * 1373) % 9000));
  }
  worker.Stop();
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_QueueToFrameLatency)->Arg(0)->Arg(1)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

// The task bodies on this thread, without the worker's pauses around them.
struct BodyRig {
  WriteClock clock;
  HidDeviceManager hid{std::make_unique<TimedBackend>(g_socket, clock)};
  SettingsStore store;
  BenchModels models{store};
  NullView view;
  DeviceStateBox state;
  MacroUploadMark mark;
  DeviceContext ctx{hid, store, view, state, [](int id) { return std::to_string(id); },
                    [](int ms) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                      return true;
                    },
                    [] { return false; }};
  DeviceSync sync{ctx, models, mark, nullptr};
  BodyRig() {
    AddK3(hid, 112);
    sync.RefreshDevices();
    sync.InitialSync();
  }
};

template <typename Body>
void TimeBody(benchmark::State& state, Body&& body) {
  std::vector<double> ms;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    if (!body()) return state.SkipWithError("the mouse refused");
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(s);
    ms.push_back(s * 1000.0);
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}

void BM_ApplyProfile(benchmark::State& state) {
  BodyRig rig;
  if (!rig.state.Get().initialSyncDone) return state.SkipWithError("no sync");
  TimeBody(state, [&] { return rig.sync.ApplyProfile(); });
}
BENCHMARK(BM_ApplyProfile)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

void BM_FirstReadBack(benchmark::State& state) {
  BodyRig rig;
  if (!rig.state.Get().initialSyncDone) return state.SkipWithError("no sync");
  TimeBody(state, [&] {
    rig.state.Update([](DeviceMainDef& d) { d.readBackTypes.clear(); });
    return ReadBack(rig.ctx);
  });
}
BENCHMARK(BM_FirstReadBack)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

double CpuSeconds(clockid_t clock) {
  timespec ts{};
  clock_gettime(clock, &ts);
  return static_cast<double>(ts.tv_sec) + static_cast<double>(ts.tv_nsec) / 1e9;
}

// Arg as for the latency: 0 a type the idle poll skips, 1 a type it reads.
void BM_IdleWorkerCpu(benchmark::State& state) {
  WriteClock clock;
  HidDeviceManager hid(std::make_unique<TimedBackend>(g_socket, clock));
  AddK3(hid, state.range(0) ? 12 : 250);
  SettingsStore store;
  BenchModels models(store);
  NullView view;
  DeviceWorker worker(hid, store, models, view);
  worker.RefreshDevices();
  const auto first = worker.QueueTask(kInitialSync);
  worker.Start();
  worker.WaitForTask(first, 10000);
  clockid_t workerClock{};
  if (pthread_getcpuclockid(worker.NativeHandle(), &workerClock) != 0) return state.SkipWithError("no clock");
  for (auto _ : state) {
    const double worker0 = CpuSeconds(workerClock);
    const double process0 = CpuSeconds(CLOCK_PROCESS_CPUTIME_ID);
    const auto t0 = Clock::now();
    std::this_thread::sleep_for(std::chrono::seconds(10));
    const double wall = std::chrono::duration<double>(Clock::now() - t0).count();
    state.counters["worker_cpu_percent"] = 100.0 * (CpuSeconds(workerClock) - worker0) / wall;
    // The process adds the virtual backend's socket threads.
    state.counters["process_cpu_percent"] = 100.0 * (CpuSeconds(CLOCK_PROCESS_CPUTIME_ID) - process0) / wall;
    state.SetIterationTime(wall);
  }
  worker.Stop();
}
BENCHMARK(BM_IdleWorkerCpu)->Arg(0)->Arg(1)->UseManualTime()->Iterations(1)->Unit(benchmark::kSecond);

}  // namespace
}  // namespace korvex

int main(int argc, char** argv) {
  char tmpl[] = "/tmp/korvex-app-bench-data-XXXXXX";
  if (!mkdtemp(tmpl)) return 1;
  korvex::g_dataDir = tmpl;
  std::filesystem::create_directories(korvex::g_dataDir + "/db");
  const pid_t daemon = korvex::StartDaemon();
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (daemon > 0) {
    kill(daemon, SIGTERM);
    waitpid(daemon, nullptr, 0);
  }
  std::error_code ec;
  std::filesystem::remove_all(korvex::g_dataDir, ec);
  return 0;
}

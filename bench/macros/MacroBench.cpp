// The macro page and the macro upload:
//   - ReloadMacroList with 1,000 stored macros (target: median <= 50 ms);
//   - ShowMacro of a macro with 200 events (target: median <= 10 ms);
//   - SendMacro of a 101-event macro, 15 reports, against korvex-vmouse as a
//     separate process with its 1 ms frames (target: median <= 32 ms).
#include <benchmark/benchmark.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QApplication>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <thread>
#include <vector>

#include "app/ButtonWriter.h"
#include "app/DeviceContext.h"
#include "app/DeviceStateBox.h"
#include "app/DeviceSync.h"
#include "app/ModelAccess.h"
#include "app/DeviceView.h"
#include "protocol/MacroCommands.h"
#include "skinui/MDialog.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "transport/virtual/UnixSocket.h"
#include "transport/virtual/VirtualHidBackend.h"
#include "skinui/MacroList.h"
#include "ui/pages/macros/MacrosPage.h"

extern char** environ;

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

std::string g_socket;
std::string g_dataDir;

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

template <typename Body>
void Time(benchmark::State& state, Body&& body) {
  std::vector<double> ms;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    body();
    const double s = std::chrono::duration<double>(Clock::now() - t0).count();
    state.SetIterationTime(s);
    ms.push_back(s * 1000.0);
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}

std::vector<MacroEventRecord> Events(int n) {
  std::vector<MacroEventRecord> records;
  for (int i = 0; i < n; ++i) {
    MacroEventRecord r;
    r.type = i % 3 == 2 ? 1 : (i % 3 == 0 ? 2 : 3);
    r.value = r.type == 1 ? 20 : 65;
    r.record_index = i;
    r.delay_time = 1000 + i;
    r.desc = r.type == 1 ? "20 ms" : (r.type == 2 ? "\u2193  A" : "\u2191  A");
    records.push_back(r);
  }
  return records;
}

// The page over a store of its own, in an offscreen window.
struct PageRig {
  SettingsStore store;
  DUI::MDialog host;
  QWidget* container = nullptr;
  MacrosPage* page = nullptr;
  ProfileId profile = 0;

  explicit PageRig(const std::string& model) {
    store.SwitchModel(g_dataDir, model);
    profile = store.CreateProfile(ProfileRecord{});
    host.Create(nullptr, QStringLiteral("bench"), 0, QRect(0, 0, 1200, 700));
    container = new QWidget(&host);
    container->setGeometry(0, 0, 1180, 660);
    MacrosPageHooks hooks;
    hooks.activeProfile = [this] { return profile; };
    page = new MacrosPage(&host, container, store, std::move(hooks));
  }
};

void BM_ReloadMacroList(benchmark::State& state) {
  PageRig rig("reload");
  std::vector<MacroInfo> existing;
  if (rig.store.ListMacros(existing) == 0) {
    for (int i = 0; i < 1000; ++i) {
      const int id = rig.store.CreateMacro("Custom " + std::to_string(i + 1));
      rig.store.ReplaceMacroEvents(id, Events(i == 0 ? 30 : 3));
    }
  }
  Time(state, [&] { rig.page->ReloadMacroList(); });
  state.counters["macros"] = rig.page->List()->GetCount();
}
BENCHMARK(BM_ReloadMacroList)->UseManualTime()->Iterations(50)->Unit(benchmark::kMillisecond);

void BM_ShowMacro(benchmark::State& state) {
  PageRig rig("show");
  const int id = rig.store.CreateMacro("big");
  rig.store.ReplaceMacroEvents(id, Events(200));
  // Bound to a button, so the upload line is worked out too.
  KeyAssignmentRecord row;
  row.profile = rig.profile;
  row.key_code = 3;
  row.macro_type = 4;
  row.macro_value = id;
  rig.store.SetKeyAssignment(row);
  Time(state, [&] { rig.page->ShowMacro(id); });
  if (rig.page->Events().Items().size() != 200) state.SkipWithError("not shown");
}
BENCHMARK(BM_ShowMacro)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

pid_t StartDaemon() {
  g_socket = "/tmp/korvex-macro-bench-" + std::to_string(getpid());
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

// One database for the benchmark's mouse; no lighting.
class BenchModels : public ModelAccess {
 public:
  explicit BenchModels(SettingsStore& store) : store_(store) {}
  int WantedDeviceType() override { return 0; }
  void SwitchModel(int) override { store_.SwitchModel(g_dataDir, "upload"); }
  bool HasLighting() override { return false; }
  std::array<bool, kLightModeCount> LightModes() override { return {}; }
  void RecreateDatabase() override {}
  void ApplyDescriptorDefaults(ProfileId, bool) override {}

 private:
  SettingsStore& store_;
};

void BM_UploadMacro101(benchmark::State& state) {
  HidDeviceManager hid(std::make_unique<VirtualHidBackend>(g_socket));
  hid.AddSupportedDevice({0x1209, 0x0002, 112, 0, "K3WL"});
  SettingsStore store;
  BenchModels models(store);
  NullView view;
  DeviceStateBox box;
  MacroUploadMark mark;
  DeviceContext ctx{hid, store, view, box, [](int n) { return std::to_string(n); },
                    [](int ms) {
                      std::this_thread::sleep_for(std::chrono::milliseconds(ms));
                      return true;
                    },
                    [] { return false; }};
  DeviceSync sync{ctx, models, mark, nullptr};
  sync.RefreshDevices();
  sync.InitialSync();
  if (!box.Get().initialSyncDone) return state.SkipWithError("no sync");
  const int id = store.CreateMacro("long");
  std::vector<MacroEventRecord> records;
  for (int i = 0; i < 101; ++i) {
    MacroEventRecord r;
    r.type = i % 2 == 0 ? 2 : 3;
    r.value = 65;
    r.record_index = i;
    records.push_back(r);
  }
  store.ReplaceMacroEvents(id, records);
  std::vector<MacroItem> items;
  for (const MacroEventRecord& r : records) items.push_back(MacroItem{r.type, r.value});
  std::vector<ReportFrame> reports;
  state.counters["reports"] = BuildMacroReports(3, items, reports);
  bool ok = true;
  Time(state, [&] { ok = SendMacro(ctx, 3, id) && ok; });
  if (!ok) state.SkipWithError("the mouse refused a report");
}
BENCHMARK(BM_UploadMacro101)->UseManualTime()->Iterations(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  char tmpl[] = "/tmp/korvex-macro-bench-data-XXXXXX";
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

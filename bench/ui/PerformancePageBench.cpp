// The performance page in the real window (offscreen) over the in-process
// virtual mouse (1 ms frame model):
//   - the page refresh from the store that follows every synchronisation,
//     on the GUI thread;
//   - a slider release on the page to the 0x03 frame leaving the program,
//     with the worker idle (its notification poll running, as for the
//     shipped models).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "app/DeviceWorker.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "skinui/DPIControl.h"
#include "skinui/Events.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "ui/DeviceMainDlg.h"
#include "ui/pages/performance/PerformancePage.h"

namespace korvex {
namespace {

using Clock = std::chrono::steady_clock;

// When the last 0x03 frame was handed to the device, and how many.
std::atomic<std::int64_t> g_stagesAt{0};
std::atomic<std::uint64_t> g_stagesCount{0};

class TimedDevice : public HidDevice {
 public:
  explicit TimedDevice(std::unique_ptr<HidDevice> inner) : inner_(std::move(inner)) {}
  int Write(const std::uint8_t* data, std::size_t length) override {
    const int n = inner_->Write(data, length);
    if (n > 0 && length > 1 && data[1] == 0x03) {
      g_stagesAt = Clock::now().time_since_epoch().count();
      ++g_stagesCount;
    }
    return n;
  }
  int Read(std::uint8_t* buffer, std::size_t length, int timeoutMs) override {
    return inner_->Read(buffer, length, timeoutMs);
  }
  std::string ProductString() override { return inner_->ProductString(); }

 private:
  std::unique_ptr<HidDevice> inner_;
};

class TimedBackend : public HidBackend {
 public:
  explicit TimedBackend(std::shared_ptr<sim::VirtualMouseHub> hub) : inner_(std::move(hub)) {}
  std::vector<HidInterfaceInfo> Enumerate() override { return inner_.Enumerate(); }
  std::unique_ptr<HidDevice> Open(const std::string& path) override {
    auto device = inner_.Open(path);
    return device ? std::make_unique<TimedDevice>(std::move(device)) : nullptr;
  }
  bool SetEventSink(EventSink sink) override { return inner_.SetEventSink(std::move(sink)); }

 private:
  sim::InProcessBackend inner_;
};

DeviceMainDlg* g_window = nullptr;

void ProcessOnce() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
}

double Percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  return v[static_cast<std::size_t>(p * static_cast<double>(v.size() - 1))];
}

void BM_RefreshAfterSync(benchmark::State& state) {
  std::vector<double> ms;
  for (auto _ : state) {
    const auto t0 = Clock::now();
    g_window->RefreshPerformancePage();
    const double elapsed = std::chrono::duration<double, std::milli>(Clock::now() - t0).count();
    ms.push_back(elapsed);
    state.SetIterationTime(elapsed / 1000.0);
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_RefreshAfterSync)->UseManualTime()->Iterations(300)->Unit(benchmark::kMillisecond);

void BM_SliderReleaseToFrame(benchmark::State& state) {
  DeviceMainDlg& w = *g_window;
  auto* stages = w.GetControl<DUI::DPIControl>(PerformancePage::kStages);
  stages->SetSelectItem(1);
  std::vector<double> ms;
  int position = 10;
  for (auto _ : state) {
    const std::uint64_t before = g_stagesCount;
    position = position == 10 ? 30 : 10;
    const auto t0 = Clock::now().time_since_epoch().count();
    w.DispatchNotify(PerformancePage::kSlider, DUI::kEventClick, position, nullptr);
    while (g_stagesCount == before) QThread::usleep(50);
    const double latency = static_cast<double>(g_stagesAt - t0) / 1e6;
    ms.push_back(latency);
    state.SetIterationTime(latency / 1000.0);
    // Let the exchange finish, then release at a random spot of the idle
    // worker's poll.
    QThread::usleep(static_cast<unsigned long>(3000 + (ms.size() * 1373) % 10000));
    ProcessOnce();
  }
  state.counters["median_ms"] = Percentile(ms, 0.5);
  state.counters["p99_ms"] = Percentile(ms, 0.99);
}
BENCHMARK(BM_SliderReleaseToFrame)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex

int main(int argc, char** argv) {
  using namespace korvex;
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::string dir = (std::filesystem::temp_directory_path() / "korvex-perf-bench-XXXXXX").string();
  if (mkdtemp(dir.data()) == nullptr) return 1;
  for (const char* sub : {"config", "data", "runtime"}) std::filesystem::create_directories(dir + "/" + sub);
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);
  QApplication app(argc, argv);
  benchmark::Initialize(&argc, argv);

  const std::string bin = KORVEX_BIN_DIR "/";
  MainDlgSetup setup;
  setup.appFolder = bin;
  setup.configPath = bin + "config.xml";
  if (!setup.catalogue.LoadApplicationConfig(setup.configPath)) return 1;
  const std::string caption = setup.catalogue.Caption();
  SetCaption(caption);
  DUI::Manager::SetDeviceName(QString::fromStdString(caption));
  DUI::Manager::SetInstance(QString::fromStdString(bin));
  SetAvailableLanguages(setup.catalogue.AvailableLanguages());
  SetCurrentLanguage(1033);
  auto hub = std::make_shared<sim::VirtualMouseHub>("k1");
  HidDeviceManager hid(std::make_unique<TimedBackend>(hub));
  SettingsStore store;
  setup.dataFolder = DataFolder(caption);
  std::filesystem::create_directories(setup.dataFolder + "db");
  setup.hid = &hid;
  setup.store = &store;
  setup.exitProcess = [] {};
  setup.trayAvailable = false;
  int rc = 0;
  {
    DeviceMainDlg window(std::move(setup));
    if (!window.CreateMain(QString::fromStdString(caption))) return 1;
    g_window = &window;
    QMetaObject::invokeMethod(
        &window,
        [&] {
          QElapsedTimer clock;
          clock.start();
          while (!window.Worker().State().initialSyncDone && clock.elapsed() < 15000) {
            ProcessOnce();
            QThread::msleep(2);
          }
          if (!window.Worker().State().initialSyncDone) {
            rc = 1;
          } else {
            // The sync's own queued refreshes first.
            for (int i = 0; i < 50; ++i) ProcessOnce();
            benchmark::RunSpecifiedBenchmarks();
          }
          window.DestroyWindow();
        },
        Qt::QueuedConnection);
    window.ShowModal(0);
  }
  benchmark::Shutdown();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  return rc;
}

// The longest stall of the interface thread while a mouse is unplugged and
// plugged back in, with the window open over the in-process virtual mouse
// (offscreen Qt). A 1 ms timer on the interface thread records the widest
// gap between two of its ticks in each unplug/replug cycle; the worker's
// removal refresh, reconnect synchronisation and idle polls run meanwhile.
// The mice answer after 25 ms (a receiver's mouse often takes that long) and
// DPI writes are queued as the mouse comes back, so the worker is inside an
// exchange when the arrival events reach the window.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "app/DeviceTask.h"
#include "app/DeviceWorker.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "ui/DeviceMainDlg.h"

namespace korvex {
namespace {

QApplication& App() {
  static int argc = 1;
  static char name[] = "hotplug_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = new QApplication(argc, argv);
  return *app;
}

// Runs the event loop for ms, returning the widest gap between two passes.
double WidestGapWhile(int ms) {
  QElapsedTimer clock, lap;
  clock.start();
  lap.start();
  double widest = 0;
  QTimer tick;
  tick.setInterval(1);
  QObject::connect(&tick, &QTimer::timeout, [&] {
    widest = std::max(widest, static_cast<double>(lap.nsecsElapsed()) / 1e6);
    lap.restart();
  });
  tick.start();
  QEventLoop loop;
  QTimer::singleShot(ms, &loop, &QEventLoop::quit);
  loop.exec();
  return widest;
}

void BM_HotPlugInterfaceStall(benchmark::State& state) {
  App();
  const std::string dir = (std::filesystem::temp_directory_path() / ("korvex-hotplug-" + std::to_string(getpid()))).string();
  for (const char* sub : {"config", "data", "runtime"}) std::filesystem::create_directories(dir + "/" + sub);
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);

  const std::string bin = KORVEX_BIN_DIR "/";
  MainDlgSetup setup;
  setup.appFolder = bin;
  setup.configPath = bin + "config.xml";
  if (!setup.catalogue.LoadApplicationConfig(setup.configPath)) return state.SkipWithError("no config.xml");
  const std::string caption = setup.catalogue.Caption();
  SetCaption(caption);
  DUI::Manager::SetDeviceName(QString::fromStdString(caption));
  DUI::Manager::SetInstance(QString::fromStdString(bin));
  SetAvailableLanguages(setup.catalogue.AvailableLanguages());
  SetCurrentLanguage(1033);

  // Two cabled mice: unplugging one refreshes, it does not end the program.
  auto hub = std::make_shared<sim::VirtualMouseHub>("k1, k3");
  HidDeviceManager hid(std::make_unique<sim::InProcessBackend>(hub));
  SettingsStore store;
  setup.dataFolder = DataFolder(caption);
  std::filesystem::create_directories(setup.dataFolder + "db");
  setup.hid = &hid;
  setup.store = &store;
  setup.exitProcess = [] {};
  setup.trayAvailable = false;
  auto window = std::make_unique<DeviceMainDlg>(std::move(setup));
  if (!window->CreateMain(QString::fromStdString(caption))) return state.SkipWithError("no window");

  std::vector<double> stalls, quiet;
  QMetaObject::invokeMethod(
      window.get(),
      [&] {
        // Let the first synchronisation finish.
        for (int i = 0; i < 200 && !window->Worker().State().initialSyncDone; ++i) WidestGapWhile(50);
        hub->SetReplyDelay(25);
        // The same wait with nothing plugged: what the machine itself costs.
        for (int k = 0; k < 3; ++k) quiet.push_back(WidestGapWhile(3500));
        for (auto _ : state) {
          std::thread plug([&] {
            hub->Unplug("k1");
            std::this_thread::sleep_for(std::chrono::milliseconds(700));
            hub->Plug("k1");
          });
          QTimer::singleShot(690, window.get(), [&] {
            for (int k = 0; k < 4; ++k) window->Worker().QueueTask(kWriteDpiStages);
          });
          // Removal refresh after 0.5 s, reconnect after 1 s more, then its read-back.
          const double widest = WidestGapWhile(3500);
          plug.join();
          stalls.push_back(widest);
          state.SetIterationTime(widest / 1000.0);
        }
        window->DestroyWindow();
      },
      Qt::QueuedConnection);
  window->ShowModal(1);
  window.reset();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
  if (stalls.empty()) return;
  std::sort(stalls.begin(), stalls.end());
  state.counters["stall_ms_median"] = stalls[stalls.size() / 2];
  state.counters["stall_ms_max"] = stalls.back();
  std::sort(quiet.begin(), quiet.end());
  if (!quiet.empty()) state.counters["no_plug_stall_ms_median"] = quiet[quiet.size() / 2];
}
BENCHMARK(BM_HotPlugInterfaceStall)->UseManualTime()->Iterations(9)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace korvex

int main(int argc, char** argv) {
  if (!std::getenv("QT_QPA_PLATFORM")) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

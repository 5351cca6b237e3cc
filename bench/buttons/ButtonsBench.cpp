// The buttons page, offscreen:
//   - LoadButtonPage for a profile with nine assignment rows (the eight
//     buttons of the largest shipped model and one more slot);
//   - from a pick in the mouse-function list to the 0x09 report arriving at
//     the in-process virtual mouse, with the worker idle before each pick.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QMetaObject>
#include <QThread>
#include <QWidget>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <filesystem>
#include <memory>
#include <vector>

#include "app/DeviceWorker.h"
#include "buttons/ButtonFunctions.h"
#include "catalogue/ModelDescriptor.h"
#include "i18n/Texts.h"
#include "platform/AppFolders.h"
#include "platform/AppIdentity.h"
#include "protocol/ButtonCommands.h"
#include "sim/InProcessBackend.h"
#include "sim/VirtualMouseHub.h"
#include "skinui/MDialog.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "transport/HidDeviceManager.h"
#include "ui/DeviceMainDlg.h"
#include "ui/pages/buttons/ButtonsPage.h"

namespace {

using namespace korvex;
using Clock = std::chrono::steady_clock;

const std::string kBin = std::string(KORVEX_BIN_DIR) + "/";

QApplication& App() {
  static int argc = 1;
  static char name[] = "buttons_bench";
  static char* argv[] = {name, nullptr};
  static QApplication* app = [] {
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    auto* a = new QApplication(argc, argv);
    a->setQuitOnLastWindowClosed(false);
    return a;
  }();
  return *app;
}

std::string TempDir() {
  std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-bench-XXXXXX").string();
  return mkdtemp(tmpl.data()) ? tmpl : std::string();
}

void Pump() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents(QEventLoop::AllEvents, 2);
}

void BM_LoadButtonPage(benchmark::State& state) {
  App();
  const std::string dir = TempDir();
  SettingsStore store;
  store.OpenForModel(dir + "/", "korvex_k5");
  ModelDescriptor descriptor;
  ReadModelDescriptor(kBin + "device/korvex_k5.xml", [](int id) { return GetText(id); }, descriptor);
  for (int key = 0; key < kButtonSlots; ++key)
    store.SetKeyAssignment(MakeAssignment(1, key, kMediaFunction, 1 + key % 8, 0, "media"));

  DUI::MDialog window;
  window.Create(nullptr, QStringLiteral("bench"), 0, QRect(0, 0, 1180, 660));
  QWidget container(&window);
  container.resize(1180, 660);
  ButtonsPageHooks hooks;
  hooks.activeProfile = [] { return ProfileId{1}; };
  ButtonsPage page(&window, &container, store, hooks);
  page.ShowModel(descriptor);
  for (auto _ : state) page.LoadButtonPage();
  store.CloseIfOpen();
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_LoadButtonPage)->Unit(benchmark::kMillisecond)->MinTime(1.0);

void BM_PickToButtonReport(benchmark::State& state) {
  App();
  const std::string dir = TempDir();
  for (const char* sub : {"/config", "/data", "/runtime"}) std::filesystem::create_directories(dir + sub);
  setenv("XDG_CONFIG_HOME", (dir + "/config").c_str(), 1);
  setenv("XDG_DATA_HOME", (dir + "/data").c_str(), 1);
  setenv("XDG_RUNTIME_DIR", (dir + "/runtime").c_str(), 1);

  MainDlgSetup setup;
  setup.appFolder = kBin;
  setup.configPath = kBin + "config.xml";
  setup.catalogue.LoadApplicationConfig(setup.configPath);
  const std::string caption = setup.catalogue.Caption();
  SetCaption(caption);
  DUI::Manager::SetDeviceName(QString::fromStdString(caption));
  DUI::Manager::SetInstance(QString::fromStdString(kBin));
  SetAvailableLanguages(setup.catalogue.AvailableLanguages());
  SetCurrentLanguage(1033);

  auto hub = std::make_shared<sim::VirtualMouseHub>("k1");
  std::atomic<std::int64_t> reportAt{0};
  hub->SetTraceSink([&](const sim::TraceRecord& r) {
    if (r.out && r.interfaceNumber == 2 && r.bytes.size() > 1 && r.bytes[1] == 0x09)
      reportAt.store(Clock::now().time_since_epoch().count());
  });
  HidDeviceManager hid(std::make_unique<sim::InProcessBackend>(hub));
  SettingsStore store;
  setup.dataFolder = DataFolder(caption);
  std::filesystem::create_directories(setup.dataFolder + "db");
  setup.hid = &hid;
  setup.store = &store;
  setup.exitProcess = [] {};
  setup.trayAvailable = false;
  auto window = std::make_unique<DeviceMainDlg>(std::move(setup));
  window->CreateMain(QString::fromStdString(caption));

  QMetaObject::invokeMethod(
      window.get(),
      [&] {
        QElapsedTimer wait;
        wait.start();
        while (!window->Worker().State().initialSyncDone && wait.elapsed() < 20000) Pump();
        ButtonsPage* page = window->Buttons();
        // The refreshes the sync queued for the page land first.
        const auto settled = Clock::now() + std::chrono::milliseconds(300);
        while (Clock::now() < settled) Pump();
        int pick = 0;
        std::vector<double> samples;
        for (auto _ : state) {
          // An idle worker: nothing queued, the last report long gone.
          const auto idle = Clock::now() + std::chrono::milliseconds(15);
          while (Clock::now() < idle) Pump();
          window->DispatchNotify(ButtonsPage::kButtonList, 2, 1, nullptr);  // never the left button
          reportAt.store(0);
          pick = (pick + 1) % 8;
          const auto start = Clock::now();
          window->DispatchNotify(ButtonsPage::kMouseList, 2, pick, nullptr);
          while (reportAt.load() == 0 && Clock::now() - start < std::chrono::seconds(2)) QThread::yieldCurrentThread();
          if (reportAt.load() == 0) {
            state.SkipWithError("no 0x09 report reached the mouse");
            break;
          }
          const auto end = Clock::time_point(Clock::duration(reportAt.load()));
          const double seconds = std::chrono::duration<double>(end - start).count();
          state.SetIterationTime(seconds);
          samples.push_back(seconds * 1000.0);
        }
        // The figure that counts is the median of the picks.
        if (!samples.empty()) {
          std::sort(samples.begin(), samples.end());
          state.counters["median_ms"] = samples[samples.size() / 2];
          state.counters["p90_ms"] = samples[samples.size() * 9 / 10];
        }
        benchmark::DoNotOptimize(page);
        window->DestroyWindow();
      },
      Qt::QueuedConnection);
  window->ShowModal(1);
  window.reset();
  hub->SetTraceSink(nullptr);
  std::error_code ec;
  std::filesystem::remove_all(dir, ec);
}
BENCHMARK(BM_PickToButtonReport)->UseManualTime()->Iterations(200)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();

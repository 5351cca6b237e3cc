// The lighting page on its own (offscreen), over a settings store in a
// temporary folder:
//   - LoadLightPage (rows listed, mode list filled, the mode shown) for the
//     mode with the most controls;
//   - one palette drag event: the R/G/B fields follow, nothing is stored or
//     queued (the queued counter must stay 0).
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QWidget>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "lighting/LightRows.h"
#include "skinui/Events.h"
#include "skinui/MDialog.h"
#include "skinui/Manager.h"
#include "store/SettingsStore.h"
#include "ui/pages/lighting/LightingPage.h"

namespace {

using namespace korvex;

constexpr LightEnableFlags kAllModes{true, true, true, true, true, true};

class BenchWindow : public DUI::MDialog {
 public:
  BenchWindow() { Create(nullptr, QStringLiteral("LightingBench"), 0, QRect(0, 0, 1400, 788)); }
};

struct PageRig {
  PageRig() {
    static int argc = 1;
    static char name[] = "lighting_bench";
    static char* argv[] = {name, nullptr};
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (QApplication::instance() == nullptr) new QApplication(argc, argv);
    DUI::Manager::SetInstance(QStringLiteral(KORVEX_BIN_DIR "/"));
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-lightbench-XXXXXX").string();
    folder = mkdtemp(tmpl.data());
    std::filesystem::create_directories(folder + "/db");
    if (!store.OpenForModel(folder, "korvex_classic")) std::abort();
    ProfileRecord record;
    record.name = "Profile 1";
    store.CreateProfile(record);
    if (EnsureLightRows(store, 1, 101, kAllModes) != 6) std::abort();
    store.SetActiveLightMode(1, 2);  // seven slots, sliders and the colour field
    window = std::make_unique<BenchWindow>();
    container = new QWidget(window.get());
    container->setGeometry(200, 80, 1180, 658);
    LightingPageHooks hooks;
    hooks.profile = [] { return ProfileId(1); };
    hooks.deviceType = [] { return 101; };
    hooks.lightModes = [] { return kAllModes; };
    hooks.hasLighting = [] { return true; };
    hooks.queueTask = [this](int) { ++queued; };
    hooks.showSaved = [] {};
    hooks.confirm = [](int, int) { return false; };
    page = new LightingPage(window.get(), container, store, hooks);
  }
  ~PageRig() {
    window.reset();
    store.CloseIfOpen();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder;
  SettingsStore store;
  std::unique_ptr<BenchWindow> window;
  QWidget* container = nullptr;
  LightingPage* page = nullptr;
  int queued = 0;
};

PageRig& Rig() {
  static PageRig rig;
  return rig;
}

void BM_LoadAndShowLightPage(benchmark::State& state) {
  PageRig& rig = Rig();
  for (auto _ : state) rig.page->LoadLightPage();
  state.counters["mode"] = rig.page->ActiveLightMode();
}
BENCHMARK(BM_LoadAndShowLightPage)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PaletteDragEvent(benchmark::State& state) {
  PageRig& rig = Rig();
  rig.page->LoadLightPage();
  const int before = rig.queued;
  std::uint32_t colour = 0;
  for (auto _ : state) {
    colour = (colour + 0x010305) & 0xFFFFFF;
    rig.page->OnNotify(LightingPage::kPalette, DUI::kEventChanging, colour);
  }
  state.counters["queued"] = rig.queued - before;
}
BENCHMARK(BM_PaletteDragEvent)->Unit(benchmark::kMicrosecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

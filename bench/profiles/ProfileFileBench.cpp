// Export and import of a full profile (9 button rows, 6 lighting rows, the
// DPI stages and the performance values) through the exchange file, with a
// settings store in a temporary folder. No file dialog.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "lighting/LightRows.h"
#include "profiles/ProfileFile.h"
#include "store/SettingsStore.h"

namespace {

using namespace korvex;

struct StoreRig {
  StoreRig() {
    std::string tmpl = (std::filesystem::temp_directory_path() / "korvex-profilebench-XXXXXX").string();
    folder = mkdtemp(tmpl.data());
    std::filesystem::create_directories(folder + "/db");
    if (!store.OpenForModel(folder, "korvex_classic")) std::abort();
    ProfileRecord record;
    for (const char* name : {"Profile 1", "Profile 2"}) {
      record.name = name;
      store.CreateProfile(record);
    }
    const LightEnableFlags all{true, true, true, true, true, true};
    for (ProfileId p : {1, 2})
      if (EnsureLightRows(store, p, 101, all) != 6) std::abort();
    for (int key = 0; key < 9; ++key) {
      KeyAssignmentRecord k;
      k.profile = 1;
      k.key_code = key;
      k.macro_type = 2;
      k.macro_value = 4 + key;
      k.macro_value2 = 1;
      k.macro_desc = "Ctrl+" + std::string(1, static_cast<char>('A' + key));
      store.SetKeyAssignment(k);
    }
    path = folder + "/Full profile.xml";
    if (!ExportProfile(store, 1, "Profile 1", true, path)) std::abort();
  }
  ~StoreRig() {
    store.CloseIfOpen();
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);
  }
  std::string folder;
  std::string path;
  SettingsStore store;
};

StoreRig& Rig() {
  static StoreRig rig;
  return rig;
}

void BM_ExportFullProfile(benchmark::State& state) {
  StoreRig& rig = Rig();
  const std::string out = rig.folder + "/export.xml";
  for (auto _ : state)
    if (!ExportProfile(rig.store, 1, "Profile 1", true, out)) state.SkipWithError("export failed");
}
BENCHMARK(BM_ExportFullProfile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_ImportFullProfile(benchmark::State& state) {
  StoreRig& rig = Rig();
  for (auto _ : state)
    if (ImportProfile(rig.store, 2, rig.path, true).status != ImportStatus::kImported)
      state.SkipWithError("import failed");
}
BENCHMARK(BM_ImportFullProfile)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();

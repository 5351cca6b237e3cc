// Settings store timings on a database file on disk (the temp folder).
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "store/SettingsStore.h"

namespace korvex {
namespace {

namespace fs = std::filesystem;

// A fresh data folder with one opened model file and one profile.
class BenchStore {
 public:
  BenchStore() {
    static int counter = 0;
    folder_ = fs::temp_directory_path() /
              ("korvex-store-bench-" + std::to_string(getpid()) + "-" + std::to_string(counter++));
    fs::remove_all(folder_);
    fs::create_directories(folder_ / "db");
    store_.OpenForModel(folder_.string(), "K1WD");
    store_.CreateProfile(ProfileRecord{});
  }
  ~BenchStore() {
    store_.CloseIfOpen();
    fs::remove_all(folder_);
  }
  SettingsStore& Store() { return store_; }

 private:
  fs::path folder_;
  SettingsStore store_;
};

std::vector<MacroEventRecord> Events(int macroId, int count) {
  std::vector<MacroEventRecord> events(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    events[i].macro_id = macroId;
    events[i].type = i % 2;
    events[i].record_index = i;
    events[i].value = 0x04 + i % 26;
    events[i].delay_time = 10 * i;
    events[i].desc = "Key A";
  }
  return events;
}

void BM_SetValue(benchmark::State& state) {
  BenchStore bench;
  int i = 0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.Store().SetValue(1, "dpi_group1_value", std::to_string(i++)));
  }
}
BENCHMARK(BM_SetValue)->Unit(benchmark::kMicrosecond);

void BM_GetValue(benchmark::State& state) {
  BenchStore bench;
  std::string value;
  for (auto _ : state) {
    benchmark::DoNotOptimize(bench.Store().GetValue(1, "doubleclick_time", value));
  }
}
BENCHMARK(BM_GetValue)->Unit(benchmark::kMicrosecond);

void BM_CreateProfile(benchmark::State& state) {
  BenchStore bench;
  ProfileRecord record;
  record.name = "Profile";
  for (auto _ : state) benchmark::DoNotOptimize(bench.Store().CreateProfile(record));
}
BENCHMARK(BM_CreateProfile)->Unit(benchmark::kMicrosecond);

void BM_InsertMacroEvents200(benchmark::State& state) {
  BenchStore bench;
  const auto events = Events(1, 200);
  for (auto _ : state) bench.Store().InsertMacroEvents(events);
}
BENCHMARK(BM_InsertMacroEvents200)->Unit(benchmark::kMicrosecond);

void BM_ListMacroEvents200(benchmark::State& state) {
  BenchStore bench;
  bench.Store().InsertMacroEvents(Events(1, 200));
  bench.Store().InsertMacroEvents(Events(2, 200));
  std::vector<MacroEventRecord> list;
  for (auto _ : state) benchmark::DoNotOptimize(bench.Store().ListMacroEvents(1, list));
  if (list.size() != 200) state.SkipWithError("wrong event count");
}
BENCHMARK(BM_ListMacroEvents200)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace korvex

BENCHMARK_MAIN();

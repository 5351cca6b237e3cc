// libFuzzer entry over both macro file importers into a store in a
// temporary folder. Whatever a file holds, what reaches the store must be
// playable: known event types, delays and values in range, dense positions.
// Each input's macros are deleted again so the database stays small.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>

#include "macros/MacroFiles.h"
#include "store/SettingsStore.h"

namespace {

korvex::SettingsStore& Store() {
  static korvex::SettingsStore* store = [] {
    const std::string dir =
        (std::filesystem::temp_directory_path() / ("korvex-macro-fuzz-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(dir + "/db");
    auto* s = new korvex::SettingsStore();
    if (!s->SwitchModel(dir, "fuzz")) std::abort();
    return s;
  }();
  return *store;
}

void Check(korvex::SettingsStore& store, const korvex::MacroImport& result) {
  if (result.status != korvex::MacroFileStatus::kOk && !result.macros.empty()) std::abort();
  std::vector<korvex::MacroEventRecord> events;
  for (const korvex::ImportedMacro& m : result.macros) {
    korvex::MacroInfo info;
    if (!store.GetMacro(m.id, info)) std::abort();
    if (info.play_type < 0 || info.play_type > 3 || info.play_times < 1 || info.play_times > 999) std::abort();
    if (info.delay_type < 0 || info.delay_type > 2 || info.delay_time < 0 || info.delay_time > 10000) std::abort();
    store.ListMacroEvents(m.id, events);
    for (std::size_t i = 0; i < events.size(); ++i) {
      const korvex::MacroEventRecord& e = events[i];
      if (e.record_index != static_cast<int>(i)) std::abort();
      switch (e.type) {
        case 1:
          if (e.value < 0 || e.value > korvex::kMaxImportedDelay) std::abort();
          break;
        case 2:
        case 3:
          if (e.value < 1 || e.value > korvex::kMaxKeyCode) std::abort();
          break;
        case 4:
        case 5:
          if (e.value != 1 && e.value != 2 && e.value != 4 && e.value != 8 && e.value != 16) std::abort();
          break;
        default:
          std::abort();
      }
    }
    store.DeleteMacro(m.id);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvex::SettingsStore& store = Store();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  Check(store, korvex::ImportMacroBytes(store, bytes, false));
  Check(store, korvex::ImportMacroBytes(store, bytes, true));
  return 0;
}

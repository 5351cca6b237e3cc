// libFuzzer entry over the profile importer: any bytes as a profile file
// into profile 1 of a store in a temporary folder. Whatever the file holds,
// the store must afterwards hold only values the program can send: every
// carried key within its range, lighting levels and colours in range,
// button rows with a valid button and category. Anything else traps.

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "lighting/LightRows.h"
#include "profiles/ProfileFile.h"
#include "profiles/ProfileValueRules.h"
#include "store/SettingsStore.h"

namespace {

using namespace korvex;

const char* kCarried[] = {"dpi_flag",      "dpi_index",   "dpi_count",      "dpi_group0_value", "dpi_group1_value",
                          "dpi_group2_value", "dpi_group3_value", "dpi_group4_value", "dpi_group5_value",
                          "dpi_group0_rgb", "dpi_group1_rgb", "dpi_group2_rgb", "dpi_group3_rgb", "dpi_group4_rgb",
                          "dpi_group5_rgb", "button_respondtime", "report_rate", "sensor_flag", "liftoff_height",
                          "scroll_flag", "e-sports_flag", "sleep_light", "move_wakeup", "move_closelight"};

SettingsStore& Store() {
  static SettingsStore* store = [] {
    // Memory-backed when the machine has it: an import is a disk transaction.
    const std::filesystem::path base = std::filesystem::exists("/dev/shm") ? "/dev/shm" : std::filesystem::temp_directory_path();
    std::string folder = (base / ("korvex-profile-fuzz-" + std::to_string(getpid()))).string();
    std::filesystem::create_directories(folder + "/db");
    auto* s = new SettingsStore();
    if (!s->OpenForModel(folder, "korvex_classic")) std::abort();
    ProfileRecord record;
    record.name = "Profile 1";
    if (s->CreateProfile(record) != 1) std::abort();
    LightEnableFlags all{true, true, true, true, true, true};
    EnsureLightRows(*s, 1, 101, all);
    std::atexit([] { std::error_code ec; std::filesystem::remove_all(
        (std::filesystem::exists("/dev/shm") ? std::filesystem::path("/dev/shm") : std::filesystem::temp_directory_path()) /
            ("korvex-profile-fuzz-" + std::to_string(getpid())), ec); });
    return s;
  }();
  return *store;
}

void Check(bool ok) {
  if (!ok) __builtin_trap();
}

void CheckStore(SettingsStore& store) {
  for (const char* key : kCarried) {
    std::string text;
    std::int32_t value = 0;
    Check(store.GetValue(1, key, text));
    Check(ParseDecimal(text, value) && ConfigValueAllowed(key, value));
  }
  std::string count, index;
  store.GetValue(1, "dpi_count", count);
  store.GetValue(1, "dpi_index", index);
  Check(std::stoi(index) < std::stoi(count));
  std::vector<LightRecord> lights;
  store.ListLights(1, lights);
  Check(lights.size() == 6);
  for (const LightRecord& l : lights) {
    Check(LightLevelAllowed(l.brightness) && LightLevelAllowed(l.speed));
    for (std::int32_t c : {l.color_value1, l.color_value2, l.color_value3, l.color_value4, l.color_value5,
                           l.color_value6, l.color_value7})
      Check(ColourValueAllowed(c));
  }
  std::vector<KeyAssignmentRecord> keys;
  store.ListKeyAssignments(1, 0, keys);
  for (const KeyAssignmentRecord& k : keys)
    Check(ButtonKeyCodeAllowed(k.key_code) && FunctionCategoryAllowed(k.macro_type));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SettingsStore& store = Store();
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  // The first byte picks a model with or without lighting.
  const bool lighting = size == 0 || (data[0] & 1) == 0;
  const ImportOutcome outcome = ImportProfileBytes(store, 1, bytes, "Fuzz.xml", lighting);
  if (outcome.status == ImportStatus::kImported) Check(outcome.name == "Fuzz");
  CheckStore(store);
  return 0;
}

#pragma once
// Writing a model's descriptor defaults (DPI stages, report rate, power
// options) into a profile: the DPI reset and the factory reset use it.

#include <string>

#include "store/StoreRecords.h"

namespace korvex {

class SettingsStore;
class XmlDocument;

struct DescriptorDefaultsResult {
  // The descriptor was read and has `mouse_info`.
  bool applied = false;
  // `default_value` of `report_rate` as a number; -1 when it was not read
  // (DPI only, element or attribute missing). It is a report-rate code, so a
  // caller that keeps a choice count must map it rather than copy it.
  int reportRate = -1;
};

// Reads the descriptor at `path` and writes its defaults into `profile`:
// "dpi_index", "dpi_flag", "dpi_count" and the stage values and colours of
// dpi_1 .. dpi_6 found in order; with dpiOnly false also "report_rate",
// "sleep_light", "move_wakeup" and "move_closelight". An attribute that is
// missing or empty leaves its key as it was rather than storing empty text.
// The store's lock is held across the writes, so no reader sees half of them.
DescriptorDefaultsResult ApplyDescriptorDefaults(SettingsStore& store, ProfileId profile,
                                                 const std::string& path, bool dpiOnly);

// The same on a document just loaded (at document level).
DescriptorDefaultsResult ApplyDescriptorDefaults(SettingsStore& store, ProfileId profile,
                                                 XmlDocument& doc, bool dpiOnly);

}  // namespace korvex

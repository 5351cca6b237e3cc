#include "catalogue/DescriptorDefaults.h"

#include "catalogue/ColourText.h"
#include "catalogue/ModelDescriptor.h"
#include "store/SettingsStore.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

constexpr int kDescriptorStages = 6;

// Stores the attribute text under `key` unless it is missing or empty.
void CopyAttribute(SettingsStore& store, ProfileId profile, const XmlDocument& doc,
                   const char* attribute, const std::string& key) {
  std::string value = doc.GetAttribute(attribute);
  if (!value.empty()) store.SetValue(profile, key, value);
}

void ApplyStage(SettingsStore& store, ProfileId profile, const XmlDocument& doc, int stage) {
  const std::string prefix = "dpi_group" + std::to_string(stage);
  CopyAttribute(store, profile, doc, "value", prefix + "_value");
  std::string colour = doc.GetAttribute("color");
  if (!colour.empty()) store.SetValue(profile, prefix + "_rgb", std::to_string(ParseColourText(colour)));
}

void ApplyDpi(SettingsStore& store, ProfileId profile, XmlDocument& doc) {
  CopyAttribute(store, profile, doc, "default_dpi", "dpi_index");
  CopyAttribute(store, profile, doc, "dpi_count", "dpi_flag");
  CopyAttribute(store, profile, doc, "dpi_count", "dpi_count");
  doc.EnterElement();
  for (int n = 1; n <= kDescriptorStages; ++n) {
    if (doc.FindNext("dpi_" + std::to_string(n))) ApplyStage(store, profile, doc, n - 1);
  }
  doc.LeaveElement();
}

int ApplyRateAndPower(SettingsStore& store, ProfileId profile, XmlDocument& doc) {
  int reportRate = -1;
  if (doc.FindNext("report_rate")) {
    std::string value = doc.GetAttribute("default_value");
    if (!value.empty()) {
      store.SetValue(profile, "report_rate", value);
      reportRate = DescriptorDecimal(value);
    }
  }
  if (doc.FindNext("sleep_light")) CopyAttribute(store, profile, doc, "value", "sleep_light");
  if (doc.FindNext("move_wakeup")) CopyAttribute(store, profile, doc, "value", "move_wakeup");
  if (doc.FindNext("move_closelight")) CopyAttribute(store, profile, doc, "value", "move_closelight");
  return reportRate;
}

}  // namespace

DescriptorDefaultsResult ApplyDescriptorDefaults(SettingsStore& store, ProfileId profile,
                                                 const std::string& path, bool dpiOnly) {
  XmlDocument doc;
  if (!doc.LoadFile(path)) return {};
  return ApplyDescriptorDefaults(store, profile, doc, dpiOnly);
}

DescriptorDefaultsResult ApplyDescriptorDefaults(SettingsStore& store, ProfileId profile,
                                                 XmlDocument& doc, bool dpiOnly) {
  DescriptorDefaultsResult result;
  if (!doc.IsWellFormed() || !doc.FindNext("mouse") || !doc.EnterElement()) return result;
  if (!doc.FindNext("mouse_info") || !doc.EnterElement()) return result;
  result.applied = true;

  auto lock = store.HoldLock();
  if (doc.FindNext("dpi_info")) ApplyDpi(store, profile, doc);
  if (!dpiOnly) result.reportRate = ApplyRateAndPower(store, profile, doc);
  return result;
}

}  // namespace korvex

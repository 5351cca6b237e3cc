#include "profiles/ProfileFile.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <vector>

#include "profiles/ProfileValueRules.h"
#include "store/SettingsStore.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr int kStages = 6;
constexpr std::array<const char*, 9> kMouseKeys = {"button_respondtime", "report_rate",  "sensor_flag",
                                                   "liftoff_height",     "scroll_flag",  "e-sports_flag",
                                                   "sleep_light",        "move_wakeup",  "move_closelight"};
constexpr std::array<const char*, 3> kDpiKeys = {"dpi_flag", "dpi_index", "dpi_count"};

std::string StageKey(int stage, const char* suffix) {
  return "dpi_group" + std::to_string(stage) + "_" + suffix;
}

std::string StoredValue(SettingsStore& store, ProfileId profile, const std::string& key) {
  std::string value;
  store.GetValue(profile, key, value);
  return value;
}

// --- export -------------------------------------------------------------------

void AddButtons(XmlDocument& doc, SettingsStore& store, ProfileId profile) {
  doc.AppendElement("keyitems");
  doc.EnterElement();
  std::vector<KeyAssignmentRecord> rows;
  store.ListKeyAssignments(profile, 0, rows);
  for (const KeyAssignmentRecord& r : rows) {
    doc.AppendElement("item");
    doc.SetAttribute("key_code", std::to_string(r.key_code));
    doc.SetAttribute("macro_type", std::to_string(r.macro_type));
    doc.SetAttribute("macro_value", std::to_string(r.macro_value));
    doc.SetAttribute("macro_value2", std::to_string(r.macro_value2));
    doc.SetAttribute("macro_value3", std::to_string(r.macro_value3));
    doc.SetAttribute("macro_desc", r.macro_desc);
  }
  doc.LeaveElement();
}

void AddLights(XmlDocument& doc, SettingsStore& store, ProfileId profile) {
  doc.AppendElement("Lightitems");
  doc.SetAttribute("lightmode", std::to_string(store.GetActiveLightMode(profile)));
  doc.EnterElement();
  std::vector<LightRecord> rows;
  store.ListLights(profile, rows);
  for (const LightRecord& r : rows) {
    doc.AppendElement("item");
    const std::pair<const char*, std::int32_t> values[] = {
        {"light_mode", r.mode},           {"brightness", r.brightness},     {"speed", r.speed},
        {"direction", r.direction},       {"colorful", r.colorful},         {"colorindex", r.colorindex},
        {"color_value1", r.color_value1}, {"color_value2", r.color_value2}, {"color_value3", r.color_value3},
        {"color_value4", r.color_value4}, {"color_value5", r.color_value5}, {"color_value6", r.color_value6},
        {"color_value7", r.color_value7}};
    for (const auto& [name, value] : values) doc.SetAttribute(name, std::to_string(value));
  }
  doc.LeaveElement();
}

void AddValues(XmlDocument& doc, SettingsStore& store, ProfileId profile) {
  doc.AppendElement("Mouse_DPI");
  for (const char* key : kDpiKeys) doc.SetAttribute(key, StoredValue(store, profile, key));
  doc.EnterElement();
  for (int k = 0; k < kStages; ++k) {
    doc.AppendElement("DPI" + std::to_string(k + 1));
    doc.SetAttribute("value", StoredValue(store, profile, StageKey(k, "value")));
    doc.SetAttribute("color", StoredValue(store, profile, StageKey(k, "rgb")));
  }
  doc.LeaveElement();
  doc.AppendElement("Mouse");
  doc.EnterElement();
  for (const char* key : kMouseKeys) {
    doc.AppendElement(key);
    doc.SetAttribute("value", StoredValue(store, profile, key));
  }
  doc.LeaveElement();
}

// --- import -------------------------------------------------------------------

// One import inside the store's transaction. Each step returns false only
// when the store refused a write (the transaction is then rolled back).
class ProfileImporter {
 public:
  ProfileImporter(SettingsStore& store, ProfileId profile, XmlDocument& doc)
      : store_(store), profile_(profile), doc_(doc) {}

  bool Buttons() {
    if (!store_.DeleteKeyAssignments(profile_)) return false;
    if (!doc_.FindNext("keyitems")) return true;
    doc_.EnterElement();
    while (doc_.FindNext("item")) {
      KeyAssignmentRecord r;
      r.profile = profile_;
      const bool ok = Number("key_code", r.key_code) && ButtonKeyCodeAllowed(r.key_code) &&
                      Number("macro_type", r.macro_type) && FunctionCategoryAllowed(r.macro_type) &&
                      Number("macro_value", r.macro_value) && r.macro_value >= 0 &&
                      Number("macro_value2", r.macro_value2) && r.macro_value2 >= 0 &&
                      Number("macro_value3", r.macro_value3) && r.macro_value3 >= 0;
      if (!ok) {
        ++skipped_;
        continue;
      }
      r.macro_desc = doc_.GetAttribute("macro_desc");
      const bool leavesNoRow = r.macro_value == 0 && r.macro_value2 == 0;
      if (store_.SetKeyAssignment(r) == 0 && !leavesNoRow) return false;
    }
    doc_.LeaveElement();
    return true;
  }

  bool Lights() {
    if (!doc_.FindNext("Lightitems")) return true;
    std::int32_t mode = 0;
    LightRecord row;
    if (Number("lightmode", mode) && store_.GetLight(profile_, mode, row)) {
      if (!store_.SetActiveLightMode(profile_, mode)) return false;
    } else {
      ++skipped_;
    }
    doc_.EnterElement();
    while (doc_.FindNext("item")) {
      if (!Number("light_mode", mode) || !store_.GetLight(profile_, mode, row)) {
        ++skipped_;
        continue;
      }
      Take("brightness", LightLevelAllowed, row.brightness);
      Take("speed", LightLevelAllowed, row.speed);
      Take("direction", [](std::int32_t v) { return v >= 0 && v <= 255; }, row.direction);
      Take("colorful", [](std::int32_t v) { return v == 0 || v == 1; }, row.colorful);
      Take("colorindex", [](std::int32_t v) { return v >= 0 && v <= 6; }, row.colorindex);
      std::int32_t* colours[] = {&row.color_value1, &row.color_value2, &row.color_value3, &row.color_value4,
                                 &row.color_value5, &row.color_value6, &row.color_value7};
      for (int i = 0; i < 7; ++i) Take("color_value" + std::to_string(i + 1), ColourValueAllowed, *colours[i]);
      if (!store_.UpdateLight(profile_, mode, row)) return false;
    }
    doc_.LeaveElement();
    return true;
  }

  bool Dpi() {
    if (!doc_.FindNext("Mouse_DPI")) return true;
    if (!Value("dpi_flag", "dpi_flag") || !Value("dpi_count", "dpi_count") || !Value("dpi_index", "dpi_index"))
      return false;
    if (!KeepIndexBelowCount()) return false;
    doc_.EnterElement();
    for (int k = 0; k < kStages; ++k) {
      if (!doc_.FindNext("DPI" + std::to_string(k + 1))) continue;
      if (!Value("value", StageKey(k, "value")) || !Value("color", StageKey(k, "rgb"))) return false;
    }
    doc_.LeaveElement();
    return true;
  }

  bool Mouse() {
    if (!doc_.FindNext("Mouse")) return true;
    doc_.EnterElement();
    for (const char* key : kMouseKeys) {
      if (doc_.FindNext(key) && !Value("value", key)) return false;
    }
    doc_.LeaveElement();
    return true;
  }

  int Skipped() const { return skipped_; }

 private:
  bool Number(const std::string& attribute, std::int32_t& value) const {
    return ParseDecimal(doc_.GetAttribute(attribute), value);
  }

  // A lighting value: taken when it parses and is allowed, else skipped.
  template <class Allowed>
  void Take(const std::string& attribute, Allowed allowed, std::int32_t& field) {
    std::int32_t value = 0;
    if (Number(attribute, value) && allowed(value))
      field = value;
    else
      ++skipped_;
  }

  // A configuration value from an attribute: stored in its plain decimal
  // form when it is in the key's range, skipped otherwise. False only when
  // the store refused the write.
  bool Value(const std::string& attribute, const std::string& key) {
    std::int32_t value = 0;
    if (!Number(attribute, value) || !ConfigValueAllowed(key, value)) {
      ++skipped_;
      return true;
    }
    return store_.SetValue(profile_, key, std::to_string(value));
  }

  // The stage index must stay among the stages in use, whichever of the two
  // came from the file.
  bool KeepIndexBelowCount() {
    std::int32_t count = 0, index = 0;
    if (!ParseDecimal(StoredValue(store_, profile_, "dpi_count"), count) ||
        !ParseDecimal(StoredValue(store_, profile_, "dpi_index"), index) || index < count)
      return true;
    return store_.SetValue(profile_, "dpi_index", std::to_string(count > 0 ? count - 1 : 0));
  }

  SettingsStore& store_;
  ProfileId profile_;
  XmlDocument& doc_;
  int skipped_ = 0;
};

}  // namespace

std::string BuildProfileDocument(SettingsStore& store, ProfileId profile, const std::string& name,
                                 bool hasLighting) {
  XmlDocument doc;
  doc.SetText(kDeclaration);
  doc.AppendElement("profile");
  doc.EnterElement();
  doc.AppendElement("profileinfo");
  doc.SetAttribute("name", name);
  doc.EnterElement();
  // Everything from the profile asked for: the file is that profile's.
  AddButtons(doc, store, profile);
  if (hasLighting) AddLights(doc, store, profile);
  AddValues(doc, store, profile);
  return doc.Text();
}

bool ExportProfile(SettingsStore& store, ProfileId profile, const std::string& name, bool hasLighting,
                   const std::string& path) {
  XmlDocument doc;
  doc.SetText(BuildProfileDocument(store, profile, name, hasLighting));
  return doc.IsWellFormed() && doc.SaveFile(path);
}

std::string ProfileNameOfFileTitle(const std::string& fileTitle) {
  std::size_t end = fileTitle.size();
  for (int removed = 0; removed < 4 && end > 0; ++removed) {
    --end;
    // Back over the continuation bytes to the first byte of the character.
    while (end > 0 && (static_cast<unsigned char>(fileTitle[end]) & 0xC0) == 0x80) --end;
  }
  return fileTitle.substr(0, end);
}

ImportOutcome ImportProfile(SettingsStore& store, ProfileId current, const std::string& path, bool hasLighting) {
  ImportOutcome outcome;
  std::error_code ec;
  if (!std::filesystem::is_regular_file(path, ec)) return outcome;
  std::ifstream in(path, std::ios::binary);
  if (!in) return outcome;
  // One byte more than allowed tells a file that is too large.
  std::string bytes(kMaxProfileFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (in.bad()) return outcome;
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (bytes.size() > kMaxProfileFileBytes) {
    outcome.status = ImportStatus::kTooLarge;
    return outcome;
  }
  return ImportProfileBytes(store, current, bytes, std::filesystem::path(path).filename().string(), hasLighting);
}

ImportOutcome ImportProfileBytes(SettingsStore& store, ProfileId current, std::string_view bytes,
                                 const std::string& fileTitle, bool hasLighting) {
  ImportOutcome outcome;
  if (bytes.size() > kMaxProfileFileBytes) {
    outcome.status = ImportStatus::kTooLarge;
    return outcome;
  }
  XmlDocument doc;
  if (!doc.LoadBytes(bytes)) {
    outcome.status = ImportStatus::kMalformed;
    return outcome;
  }
  if (!doc.FindNext("profile")) {
    outcome.status = ImportStatus::kNotAProfile;
    return outcome;
  }
  const std::string name = ProfileNameOfFileTitle(fileTitle);
  ProfileImporter importer(store, current, doc);
  const bool done = current > 0 && store.RunTransaction([&] {
    doc.EnterElement();
    const bool info = doc.FindNext("profileinfo");
    if (!store.RenameProfile(current, name)) return false;
    if (info) doc.EnterElement();
    return importer.Buttons() && (!hasLighting || importer.Lights()) && importer.Dpi() && importer.Mouse();
  });
  outcome.status = done ? ImportStatus::kImported : ImportStatus::kStoreFailed;
  if (done) outcome.name = name;
  outcome.skippedValues = done ? importer.Skipped() : 0;
  return outcome;
}

const char* ImportStatusText(ImportStatus status) {
  switch (status) {
    case ImportStatus::kImported: return "imported";
    case ImportStatus::kMissing: return "the file does not exist or cannot be read";
    case ImportStatus::kTooLarge: return "the file is larger than 1 MiB";
    case ImportStatus::kMalformed: return "the file is not well-formed XML";
    case ImportStatus::kNotAProfile: return "the file holds no profile";
    case ImportStatus::kStoreFailed: return "the settings store refused the import; nothing was changed";
  }
  return "unknown";
}

}  // namespace korvex

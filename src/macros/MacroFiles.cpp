#include "macros/MacroFiles.h"

#include <algorithm>
#include <climits>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "macros/MacroEventText.h"
#include "macros/MacroSettings.h"
#include "platform/Log.h"
#include "protocol/MacroCommands.h"
#include "store/SettingsStore.h"
#include "xml/XmlDocument.h"

namespace korvex {
namespace {

constexpr const char* kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr int kMaxPlayTimes = 999;

struct ParsedMacro {
  MacroInfo info;
  std::vector<MacroEventRecord> events;
};

int IntOf(const std::string& text) {
  return static_cast<int>(std::clamp<long long>(DecimalOf(text), INT_MIN, INT_MAX));
}

void WriteInfo(XmlDocument& doc, const MacroInfo& m, const std::string& name) {
  doc.SetAttribute("macro_name", name);
  doc.SetAttribute("macro_type", std::to_string(m.play_type));
  doc.SetAttribute("play_times", std::to_string(m.play_times));
  doc.SetAttribute("delay_type", std::to_string(m.delay_type));
  doc.SetAttribute("delay_time", std::to_string(m.delay_time));
}

void WriteItems(XmlDocument& doc, const std::vector<MacroEventRecord>& events) {
  for (const MacroEventRecord& e : events) {
    doc.AppendElement("item");
    doc.SetAttribute("desc", e.desc);
    doc.SetAttribute("index", std::to_string(e.record_index));
    doc.SetAttribute("type", std::to_string(e.type));
    doc.SetAttribute("value", std::to_string(e.value));
    doc.SetAttribute("timestamp", std::to_string(e.delay_time));
  }
}

// The five attributes of "macroinfo" or "macro_item", brought into the
// ranges the page and the encoder work with.
MacroInfo ReadInfo(const XmlDocument& doc) {
  MacroInfo m;
  m.name = doc.GetAttribute("macro_name");
  m.play_type = IntOf(doc.GetAttribute("macro_type"));
  if (m.play_type < 0 || m.play_type > 3) m.play_type = 0;
  m.play_times = std::clamp(IntOf(doc.GetAttribute("play_times")), 1, kMaxPlayTimes);
  m.delay_type = IntOf(doc.GetAttribute("delay_type"));
  if (m.delay_type < 0 || m.delay_type > 2) m.delay_type = 1;
  m.delay_time = m.delay_type == 2 ? ClampFixedDelay(IntOf(doc.GetAttribute("delay_time"))) : 0;
  return m;
}

// One "item"; false when the mouse could not play it (unknown type, a key
// code outside the key codes, a mask that is not one button).
bool ReadItem(const XmlDocument& doc, MacroEventRecord& e) {
  e.type = IntOf(doc.GetAttribute("type"));
  e.record_index = IntOf(doc.GetAttribute("index"));
  e.value = IntOf(doc.GetAttribute("value"));
  e.delay_time = IntOf(doc.GetAttribute("timestamp"));
  e.desc = doc.GetAttribute("desc");
  switch (e.type) {
    case kMacroDelay: {
      const int clamped = std::clamp(e.value, 0, kMaxImportedDelay);
      if (clamped != e.value || e.desc.empty()) e.desc = DelayText(clamped);
      e.value = clamped;
      return true;
    }
    case kMacroKeyPress:
    case kMacroKeyRelease:
      return e.value >= 1 && e.value <= kMaxKeyCode;
    case kMacroMousePress:
    case kMacroMouseRelease:
      return MouseButtonByMask(e.value) != nullptr;
    default:
      return false;
  }
}

// Reads the "item"s under the current parent. False when the file's item
// count goes over the limit.
bool ReadItems(XmlDocument& doc, ParsedMacro& macro, int& itemCount, int& skipped) {
  while (doc.FindNext("item")) {
    if (++itemCount > kMaxMacroFileItems) return false;
    MacroEventRecord e;
    if (ReadItem(doc, e))
      macro.events.push_back(std::move(e));
    else
      ++skipped;
  }
  // The list order is the file's index order; positions are made dense so
  // that gaps or repeats in a file cannot reorder events later.
  std::stable_sort(macro.events.begin(), macro.events.end(),
                   [](const MacroEventRecord& a, const MacroEventRecord& b) { return a.record_index < b.record_index; });
  for (std::size_t i = 0; i < macro.events.size(); ++i) macro.events[i].record_index = static_cast<int>(i);
  return true;
}

MacroFileStatus ParseSingle(XmlDocument& doc, std::vector<ParsedMacro>& out, int& skipped) {
  if (!doc.FindNext("macroinfo")) return MacroFileStatus::kWrongLayout;
  ParsedMacro macro;
  macro.info = ReadInfo(doc);
  int items = 0;
  if (doc.FindNext("macroitems") && doc.EnterElement()) {
    if (!ReadItems(doc, macro, items, skipped)) return MacroFileStatus::kTooManyItems;
    doc.LeaveElement();
  }
  out.push_back(std::move(macro));
  return MacroFileStatus::kOk;
}

MacroFileStatus ParseAll(XmlDocument& doc, std::vector<ParsedMacro>& out, int& skipped) {
  int items = 0;
  while (doc.FindNext("macro_item")) {
    ParsedMacro macro;
    macro.info = ReadInfo(doc);
    if (doc.EnterElement()) {
      if (doc.FindNext("record_item") && doc.EnterElement()) {
        if (!ReadItems(doc, macro, items, skipped)) return MacroFileStatus::kTooManyItems;
        doc.LeaveElement();
      }
      doc.LeaveElement();
    }
    out.push_back(std::move(macro));
  }
  return out.empty() ? MacroFileStatus::kWrongLayout : MacroFileStatus::kOk;
}

MacroImport Refused(MacroFileStatus status, const std::string& what) {
  LogLine(2, "macro file refused (%s): %s", MacroFileStatusText(status), what.c_str());
  MacroImport result;
  result.status = status;
  return result;
}

MacroImport ImportFile(SettingsStore& store, const std::string& path, bool all) {
  std::error_code ec;
  const auto size = std::filesystem::file_size(path, ec);
  if (ec) return Refused(MacroFileStatus::kUnreadable, path);
  if (size > kMaxMacroFileBytes) return Refused(MacroFileStatus::kTooLarge, path);
  std::ifstream in(path, std::ios::binary);
  if (!in) return Refused(MacroFileStatus::kUnreadable, path);
  // One byte more than the limit: a file that grew since it was measured is
  // still refused.
  std::string bytes(kMaxMacroFileBytes + 1, '\0');
  in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  bytes.resize(static_cast<std::size_t>(in.gcount()));
  if (in.bad()) return Refused(MacroFileStatus::kUnreadable, path);
  return ImportMacroBytes(store, bytes, all);
}

}  // namespace

const char* MacroFileStatusText(MacroFileStatus status) {
  switch (status) {
    case MacroFileStatus::kOk: return "imported";
    case MacroFileStatus::kUnreadable: return "the file cannot be read";
    case MacroFileStatus::kTooLarge: return "the file is larger than 1 MiB";
    case MacroFileStatus::kNotXml: return "the file is not a macro file";
    case MacroFileStatus::kWrongLayout: return "the file holds no macro of this layout";
    case MacroFileStatus::kTooManyItems: return "the file holds more than 10000 events";
  }
  return "";
}

bool ExportMacroFile(SettingsStore& store, int macroId, const std::string& shownName, const std::string& path) {
  MacroInfo macro;
  if (!store.GetMacro(macroId, macro)) return false;
  std::vector<MacroEventRecord> events;
  store.ListMacroEvents(macroId, events);
  XmlDocument doc;
  doc.SetText(kDeclaration);
  doc.AppendElement("macro");
  doc.EnterElement();
  doc.AppendElement("macroinfo");
  WriteInfo(doc, macro, shownName);
  doc.AppendElement("macroitems");
  doc.EnterElement();
  WriteItems(doc, events);
  return doc.SaveFile(path);
}

bool ExportAllMacrosFile(SettingsStore& store, const std::string& path) {
  std::vector<MacroInfo> macros;
  store.ListMacros(macros);
  XmlDocument doc;
  doc.SetText(kDeclaration);
  doc.AppendElement("macro");
  doc.EnterElement();
  std::vector<MacroEventRecord> events;
  for (const MacroInfo& m : macros) {
    doc.AppendElement("macro_item");
    WriteInfo(doc, m, m.name);
    if (store.ListMacroEvents(m.macro_id, events) == 0) continue;
    doc.EnterElement();
    doc.AppendElement("record_item");
    doc.EnterElement();
    WriteItems(doc, events);
    doc.LeaveElement();
    doc.LeaveElement();
  }
  return doc.SaveFile(path);
}

MacroImport ImportMacroFile(SettingsStore& store, const std::string& path) { return ImportFile(store, path, false); }

MacroImport ImportAllMacrosFile(SettingsStore& store, const std::string& path) {
  return ImportFile(store, path, true);
}

MacroImport ImportMacroBytes(SettingsStore& store, std::string_view bytes, bool allMacrosLayout) {
  if (bytes.size() > kMaxMacroFileBytes) return Refused(MacroFileStatus::kTooLarge, "bytes");
  XmlDocument doc;
  if (!doc.LoadBytes(bytes) || !doc.FindNext("macro") || !doc.EnterElement())
    return Refused(MacroFileStatus::kNotXml, doc.Result());
  std::vector<ParsedMacro> parsed;
  MacroImport result;
  result.status = allMacrosLayout ? ParseAll(doc, parsed, result.skippedItems)
                                  : ParseSingle(doc, parsed, result.skippedItems);
  if (result.status != MacroFileStatus::kOk) return Refused(result.status, "layout");
  // Nothing was stored before this point: a refused file leaves the store
  // as it was.
  for (const ParsedMacro& m : parsed) {
    const int id = store.ImportMacro(m.info, m.events);
    if (id > 0)
      result.macros.push_back(ImportedMacro{id, m.info.name});
    else
      ++result.refusedMacros;
  }
  return result;
}

}  // namespace korvex

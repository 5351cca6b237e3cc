#include "app/ButtonWriter.h"

#include <map>
#include <vector>

#include "platform/Log.h"
#include "protocol/ButtonCommands.h"
#include "protocol/MacroCommands.h"
#include "store/StoreFailures.h"

namespace korvex {
namespace {

void UploadPendingMacro(DeviceContext& ctx, int pendingKey) {
  std::vector<KeyAssignmentRecord> rows;
  ctx.store.ListKeyAssignments(ctx.Profile(), 0, rows);
  std::vector<MacroInfo> macros;
  ctx.store.ListMacros(macros);
  for (const KeyAssignmentRecord& row : rows) {
    if (row.macro_type != kMacroBinding || row.key_code != pendingKey) continue;
    for (const MacroInfo& macro : macros) {
      if (macro.macro_id == row.macro_value) {
        SendMacro(ctx, row.key_code, macro.macro_id);
        return;
      }
    }
    return;
  }
}

std::vector<MacroItem> MacroItemsOf(DeviceContext& ctx, int macroId) {
  std::vector<MacroEventRecord> records;
  ctx.store.ListMacroEvents(macroId, records);
  std::vector<MacroItem> items;
  items.reserve(records.size());
  for (const MacroEventRecord& r : records) items.push_back(MacroItem{r.type, r.value});
  return items;
}

// A macro longer than the upload can number never reaches the mouse, so its
// slot would play whatever macro the mouse held before: such a button keeps
// its default function instead.
bool MacroFitsTheMouse(DeviceContext& ctx, int keyCode, int macroId) {
  std::vector<std::uint8_t> events;
  const int count = EncodeMacroEvents(MacroItemsOf(ctx, macroId), events);
  if (count <= kMaxMacroEvents) return true;
  LogLine(2, "0x09: macro %d of button %d has %d events, more than the mouse takes (%d): "
             "the button keeps its default function",
          macroId, keyCode, count, kMaxMacroEvents);
  return false;
}

std::vector<ButtonAssignment> AssignmentsOf(DeviceContext& ctx) {
  std::vector<KeyAssignmentRecord> rows;
  ctx.store.ListKeyAssignments(ctx.Profile(), 0, rows);
  std::vector<MacroInfo> macros;
  ctx.store.ListMacros(macros);
  std::map<int, MacroPlayMode> playModes;
  for (const MacroInfo& m : macros) playModes[m.macro_id] = MacroPlayMode{m.play_type, m.play_times};

  std::vector<ButtonAssignment> out;
  out.reserve(rows.size());
  for (const KeyAssignmentRecord& row : rows) {
    ButtonAssignment a;
    a.keyCode = row.key_code;
    a.macroType = row.macro_type;
    a.macroValue = row.macro_value;
    a.macroValue2 = row.macro_value2;
    if (row.macro_type == kMacroBinding) {
      auto it = playModes.find(row.macro_value);
      if (it != playModes.end() && MacroFitsTheMouse(ctx, row.key_code, row.macro_value)) a.macro = it->second;
    }
    out.push_back(a);
  }
  return out;
}

}  // namespace

bool SendMacro(DeviceContext& ctx, int keyCode, int macroId) {
  const StoreFailureWatch watch;
  const std::vector<MacroItem> items = MacroItemsOf(ctx, macroId);
  if (watch.Failed()) return false;  // an unread macro is not an empty one
  const std::vector<std::uint8_t> stream = BuildMacroStream(keyCode, items);
  std::vector<ReportFrame> reports;
  if (SplitMacroStream(stream, reports) == 0) return false;
  bool ok = false;
  bool all = true;
  for (ReportFrame& report : reports) {
    if (ctx.stopping()) return false;
    ok = ctx.hid.Exchange(report, ReportFrame::kShortLength);
    if (!ok) LogLine(2, "0x08: 设置按键宏数据失败!");
    all = all && ok;
  }
  // What the mouse now holds for this button, so the macro page can tell a
  // later edit apart from what is on the mouse.
  if (all) ctx.store.RecordMacroUpload(keyCode, MacroStreamHex(stream));
  return ok;
}

bool WriteButtons(DeviceContext& ctx, MacroUploadMark& mark) {
  const int pendingKey = mark.Take();
  if (pendingKey >= 0) UploadPendingMacro(ctx, pendingKey);

  const StoreFailureWatch watch;
  ReportFrame frame = BuildButtons(BuildButtonSlots(AssignmentsOf(ctx)));
  // Unread assignments would go out as every button's default.
  if (watch.Failed()) {
    LogLine(2, "button assignments could not be read; nothing sent");
    return false;
  }
  if (ctx.hid.Exchange(frame)) return true;
  LogLine(2, "0x09: 设置按键功能失败");
  return false;
}

}  // namespace korvex

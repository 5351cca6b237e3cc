#include "macros/MacroEditor.h"

#include <algorithm>
#include <utility>

#include "macros/MacroEventText.h"
#include "protocol/MacroCommands.h"

namespace korvex {

void MacroEditor::SetItems(std::vector<MacroEventItem> items) {
  items_ = std::move(items);
  selected_ = -1;
}

std::vector<MacroEventItem> MacroEditor::FromRecords(const std::vector<MacroEventRecord>& records) {
  std::vector<MacroEventItem> items;
  items.reserve(records.size());
  for (const MacroEventRecord& r : records) items.push_back(MacroEventItem{r.desc, r.type, r.value, r.delay_time});
  return items;
}

std::vector<MacroEventRecord> MacroEditor::Records(int macroId) const {
  std::vector<MacroEventRecord> records;
  records.reserve(items_.size());
  for (std::size_t i = 0; i < items_.size(); ++i) {
    MacroEventRecord r;
    r.macro_id = macroId;
    r.type = items_[i].type;
    r.record_index = static_cast<int>(i);
    r.value = items_[i].value;
    r.delay_time = items_[i].timestamp;
    r.desc = items_[i].text;
    records.push_back(std::move(r));
  }
  return records;
}

void MacroEditor::Select(int index) {
  selected_ = index >= 0 && index < static_cast<int>(items_.size()) ? index : -1;
}

const MacroEventItem* MacroEditor::SelectedItem() const {
  return selected_ >= 0 ? &items_[static_cast<std::size_t>(selected_)] : nullptr;
}

int MacroEditor::EventCount() const {
  return static_cast<int>(
      std::count_if(items_.begin(), items_.end(), [](const MacroEventItem& i) { return i.type != kMacroDelay; }));
}

void MacroEditor::InsertAt(int position, const MacroEventItem& item) {
  const int size = static_cast<int>(items_.size());
  const int at = position < 0 || position > size ? size : position;
  items_.insert(items_.begin() + at, item);
  if (selected_ >= at) ++selected_;
}

bool MacroEditor::Insert(InsertChoice choice, std::uint32_t tick, int keyCode, const std::string& keyName) {
  if (!CanInsert()) return false;
  const int s = selected_;
  const int t = static_cast<int>(tick);
  const int t1 = static_cast<int>(tick + 1u);
  auto at = [s](int offset) { return s < 0 ? -1 : s + offset; };
  if (choice == InsertChoice::kDelay) {
    InsertAt(s, MacroEventItem{DelayText(kInsertedDelay), kMacroDelay, kInsertedDelay, t});
    return true;
  }
  std::string name;
  int pressType = kMacroMousePress;
  int value = 0;
  if (choice == InsertChoice::kKey) {
    if (keyCode == 0) return false;
    name = keyName;
    pressType = kMacroKeyPress;
    value = keyCode;
  } else {
    const int code = choice == InsertChoice::kLeftButton ? 1 : choice == InsertChoice::kMiddleButton ? 2 : 3;
    const MouseButtonInfo* button = MouseButtonByCode(code);
    name = button->name;
    value = button->mask;
  }
  InsertAt(at(1), MacroEventItem{PressText(name), pressType, value, t});
  InsertAt(at(2), MacroEventItem{DelayText(kInsertedDelay), kMacroDelay, kInsertedDelay, t1});
  InsertAt(at(3), MacroEventItem{ReleaseText(name), pressType + 1, value, t});
  return true;
}

bool MacroEditor::MoveUp() {
  if (selected_ <= 0) return false;
  std::swap(items_[static_cast<std::size_t>(selected_)], items_[static_cast<std::size_t>(selected_ - 1)]);
  --selected_;
  return true;
}

bool MacroEditor::MoveDown() {
  if (selected_ < 0 || selected_ + 1 >= static_cast<int>(items_.size())) return false;
  std::swap(items_[static_cast<std::size_t>(selected_)], items_[static_cast<std::size_t>(selected_ + 1)]);
  ++selected_;
  return true;
}

bool MacroEditor::MoveToTop() {
  if (selected_ <= 0) return false;
  std::rotate(items_.begin(), items_.begin() + selected_, items_.begin() + selected_ + 1);
  selected_ = 0;
  return true;
}

bool MacroEditor::MoveToBottom() {
  if (selected_ < 0) return false;
  std::rotate(items_.begin() + selected_, items_.begin() + selected_ + 1, items_.end());
  selected_ = static_cast<int>(items_.size()) - 1;
  return true;
}

bool MacroEditor::DeleteSelected() {
  if (selected_ < 0) return false;
  items_.erase(items_.begin() + selected_);
  selected_ = -1;
  return true;
}

bool MacroEditor::DeleteAll() {
  const bool had = !items_.empty();
  items_.clear();
  selected_ = -1;
  return had;
}

int MacroEditor::ClampDelay(long long typed) { return static_cast<int>(std::clamp<long long>(typed, kMinDelay, kMaxDelay)); }

int MacroEditor::EditDelay(long long typed) {
  if (selected_ < 0 || items_[static_cast<std::size_t>(selected_)].type != kMacroDelay) return 0;
  const int n = ClampDelay(typed);
  MacroEventItem& item = items_[static_cast<std::size_t>(selected_)];
  item.value = n;
  item.text = DelayText(n);
  return n;
}

bool MacroEditor::SetByTimestamp(int timestamp, int type, const std::string& text, int value) {
  for (MacroEventItem& item : items_) {
    if (item.timestamp != timestamp || item.type != type) continue;
    item.text = text;
    item.value = value;
    return true;
  }
  return false;
}

bool MacroEditor::EditKey(int keyCode, const std::string& name) {
  const MacroEventItem* selected = SelectedItem();
  if (selected == nullptr || keyCode == 0) return false;
  if (selected->type != kMacroKeyPress && selected->type != kMacroKeyRelease) return false;
  const int timestamp = selected->timestamp;
  const bool press = SetByTimestamp(timestamp, kMacroKeyPress, PressText(name), keyCode);
  const bool release = SetByTimestamp(timestamp, kMacroKeyRelease, ReleaseText(name), keyCode);
  return press || release;
}

bool MacroEditor::EditButton(int buttonCode) {
  const MacroEventItem* selected = SelectedItem();
  const MouseButtonInfo* button = MouseButtonByCode(buttonCode);
  if (selected == nullptr || button == nullptr) return false;
  if (selected->type != kMacroMousePress && selected->type != kMacroMouseRelease) return false;
  const int timestamp = selected->timestamp;
  const bool press = SetByTimestamp(timestamp, kMacroMousePress, PressText(button->name), button->mask);
  const bool release = SetByTimestamp(timestamp, kMacroMouseRelease, ReleaseText(button->name), button->mask);
  return press || release;
}

}  // namespace korvex

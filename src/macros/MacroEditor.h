#pragma once
// The event list of the macro on the page and every edit the page makes to
// it: the insert menu, moves, deletes and the edits of a selected event.
// The page shows Items() in its event list after each call and saves them
// with Records(); the rules live here so that they are tested headless.

#include <cstdint>
#include <string>
#include <vector>

#include "store/StoreRecords.h"

namespace korvex {

// One row of the event list: exactly a record's desc, type, value and
// timestamp (types as in protocol/MacroCommands.h: 1 delay, 2/3 key
// press/release, 4/5 mouse press/release).
struct MacroEventItem {
  std::string text;
  int type = 0;
  int value = 0;
  int timestamp = 0;
  bool operator==(const MacroEventItem&) const = default;
};

// Choices of the insert menu.
enum class InsertChoice { kLeftButton, kMiddleButton, kRightButton, kKey, kDelay };

class MacroEditor {
 public:
  static constexpr std::size_t kMaxMenuItems = 200;  // the insert menu refuses from here
  static constexpr int kInsertedDelay = 50;
  static constexpr int kMinDelay = 1;
  static constexpr int kMaxDelay = 10000;

  const std::vector<MacroEventItem>& Items() const { return items_; }
  void SetItems(std::vector<MacroEventItem> items);
  static std::vector<MacroEventItem> FromRecords(const std::vector<MacroEventRecord>& records);
  // The list as the store keeps it: record_index = position.
  std::vector<MacroEventRecord> Records(int macroId) const;

  int Selected() const { return selected_; }
  // -1 or an index past the end clears the selection.
  void Select(int index);
  const MacroEventItem* SelectedItem() const;
  // Key and button events; delays do not count (the recording limit).
  int EventCount() const;

  void Append(const MacroEventItem& item) { items_.push_back(item); }

  // The insert menu is refused once the list holds 200 items.
  bool CanInsert() const { return items_.size() < kMaxMenuItems; }
  // A button or key pair goes after the selected item (press, a 50 ms
  // delay, release: s + 1, s + 2, s + 3), or at the end when nothing is
  // selected; a delay goes before the selected item. `tick` is the low 32
  // bits of the millisecond tick count: the pair shares it, its delay gets
  // tick + 1. False (nothing inserted) when the menu is refused or, for a
  // key, the key code is 0.
  bool Insert(InsertChoice choice, std::uint32_t tick, int keyCode = 0, const std::string& keyName = "");

  // Each returns false when it changed nothing.
  bool MoveUp();
  bool MoveDown();
  bool MoveToTop();
  bool MoveToBottom();
  bool DeleteSelected();
  bool DeleteAll();

  // The selected delay becomes `typed` clamped to 1..10,000 ms; returns the
  // value stored, or 0 when the selection is not a delay.
  int EditDelay(long long typed);
  // Both records of the selected key pair (its timestamp) take the new key.
  bool EditKey(int keyCode, const std::string& name);
  // Both records of the selected button pair take the button of this
  // mouse-button list code (1, 2, 3, 5, 6).
  bool EditButton(int buttonCode);

  static int ClampDelay(long long typed);

 private:
  bool SetByTimestamp(int timestamp, int type, const std::string& text, int value);
  void InsertAt(int position, const MacroEventItem& item);

  std::vector<MacroEventItem> items_;
  int selected_ = -1;
};

}  // namespace korvex

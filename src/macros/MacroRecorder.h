#pragma once
// The keyboard (and event-list mouse) recorder of the macro page: turns
// each captured press and release into list items with the delays of the
// chosen mode, and says when the list is full. The clock is injected so
// that tests can replay a recording.

#include <cstdint>
#include <functional>
#include <string>

#include "macros/MacroEditor.h"

namespace korvex {

class MacroRecorder {
 public:
  // Delay modes of the three delay radios.
  enum DelayMode : int { kNoDelay = 0, kMeasuredDelay = 1, kFixedDelay = 2 };
  enum class Outcome { kIgnored, kAdded, kFull };

  static constexpr int kEventLimit = 30;
  static constexpr int kMaxMeasuredDelay = 31000;

  // `tick`: milliseconds of a monotonic clock, low 32 bits.
  explicit MacroRecorder(std::function<std::uint32_t()> tick);

  // The timestamp counter starts at the tick count; the time of the last
  // event is cleared. A fixed delay of 0 adds no delay items.
  void Start(int delayMode, int fixedDelay);
  void Stop() { recording_ = false; }
  bool Recording() const { return recording_; }
  int Mode() const { return mode_; }

  // A key (press or release) with its key code and name; ignored while not
  // recording or when the name is empty.
  Outcome RecordKey(bool released, int keyCode, const std::string& name, MacroEditor& list);
  // A mouse button press or release by its mask (1, 2, 4, 8, 16).
  Outcome RecordButton(bool released, int mask, MacroEditor& list);

 private:
  Outcome Record(int type, int value, const std::string& name, MacroEditor& list);
  int NextTimestamp() { return static_cast<int>(++counter_); }

  std::function<std::uint32_t()> tick_;
  bool recording_ = false;
  int mode_ = kMeasuredDelay;
  int fixedDelay_ = 0;
  // The tick of the event before (the clock may read 0 at a wrap).
  std::uint32_t last_ = 0;
  bool haveLast_ = false;
  std::uint32_t counter_ = 0;
};

}  // namespace korvex

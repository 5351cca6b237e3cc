#include "macros/MacroRecorder.h"

#include <algorithm>
#include <utility>

#include "macros/MacroEventText.h"
#include "protocol/MacroCommands.h"

namespace korvex {

MacroRecorder::MacroRecorder(std::function<std::uint32_t()> tick) : tick_(std::move(tick)) {}

void MacroRecorder::Start(int delayMode, int fixedDelay) {
  mode_ = delayMode == kNoDelay || delayMode == kFixedDelay ? delayMode : kMeasuredDelay;
  fixedDelay_ = mode_ == kFixedDelay ? fixedDelay : 0;
  counter_ = tick_();
  haveLast_ = false;
  recording_ = true;
}

MacroRecorder::Outcome MacroRecorder::RecordKey(bool released, int keyCode, const std::string& name,
                                                MacroEditor& list) {
  if (name.empty()) return Outcome::kIgnored;
  return Record(released ? kMacroKeyRelease : kMacroKeyPress, keyCode, name, list);
}

MacroRecorder::Outcome MacroRecorder::RecordButton(bool released, int mask, MacroEditor& list) {
  const MouseButtonInfo* button = MouseButtonByMask(mask);
  if (button == nullptr) return Outcome::kIgnored;
  return Record(released ? kMacroMouseRelease : kMacroMousePress, mask, button->name, list);
}

MacroRecorder::Outcome MacroRecorder::Record(int type, int value, const std::string& name, MacroEditor& list) {
  if (!recording_) return Outcome::kIgnored;
  bool delayAdded = false;
  if (mode_ == kMeasuredDelay) {
    const std::uint32_t now = tick_();
    if (haveLast_) {
      const std::uint32_t d = std::min<std::uint32_t>(now - last_, kMaxMeasuredDelay);
      if (d != 0) {
        list.Append(MacroEventItem{DelayText(static_cast<int>(d)), kMacroDelay, static_cast<int>(d), NextTimestamp()});
        delayAdded = true;
      }
    }
    last_ = now;
    haveLast_ = true;
  } else if (mode_ == kFixedDelay && fixedDelay_ != 0) {
    list.Append(MacroEventItem{DelayText(fixedDelay_), kMacroDelay, fixedDelay_, NextTimestamp()});
    delayAdded = true;
  }
  if (delayAdded && list.EventCount() >= kEventLimit) {
    recording_ = false;
    return Outcome::kFull;
  }
  const bool press = type == kMacroKeyPress || type == kMacroMousePress;
  list.Append(MacroEventItem{press ? PressText(name) : ReleaseText(name), type, value, NextTimestamp()});
  if (list.EventCount() >= kEventLimit) {
    recording_ = false;
    return Outcome::kFull;
  }
  return Outcome::kAdded;
}

}  // namespace korvex

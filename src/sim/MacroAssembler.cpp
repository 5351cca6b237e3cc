#include "sim/MacroAssembler.h"

namespace korvex::sim {
namespace {

constexpr int kChunk = 27;
constexpr int kButtons = 9;

bool KnownEventCode(std::uint8_t code) {
  switch (code) {
    case 0x30: case 0xB0: case 0x20: case 0xA0: case 0x10: case 0x90: return true;
    default: return false;
  }
}

}  // namespace

void MacroAssembler::Clear() {
  expected_ = 0;
  next_ = 0;
  buffer_.clear();
}

bool MacroAssembler::IsValidStream(const std::vector<std::uint8_t>& stream) {
  if (stream.empty() || (stream.size() - 1) % 4 != 0 || stream[0] >= kButtons) return false;
  for (std::size_t i = 1; i < stream.size(); i += 4)
    if (!KnownEventCode(stream[i])) return false;
  return true;
}

MacroAssembler::Result MacroAssembler::Add(std::uint8_t sequence, std::uint8_t length,
                                           const std::uint8_t* payload) {
  Result r;
  const int index = sequence >> 4;
  const int count = sequence & 0x0F;
  const bool last = index == count - 1;
  if (count == 0 || index >= count || length == 0 || length > kChunk ||
      (!last && length != kChunk)) {
    r.status = FrameStatus::BadHeader;
    return r;
  }
  if (index == 0) {
    Clear();
    expected_ = count;
  } else if (expected_ != count || next_ != index) {
    Clear();
    r.status = FrameStatus::BadSequence;
    return r;
  }
  buffer_.insert(buffer_.end(), payload, payload + length);
  next_ = index + 1;
  return last ? Finish() : r;
}

MacroAssembler::Result MacroAssembler::Finish() {
  Result r;
  if (IsValidStream(buffer_)) {
    r.complete = true;
    r.stream = std::move(buffer_);
  } else {
    r.status = FrameStatus::BadValue;
  }
  Clear();
  return r;
}

}  // namespace korvex::sim

#include "protocol/LightingCommand.h"

#include <cstdint>

#include "protocol/Frames.h"

namespace korvex {
namespace {

void PutColour(ReportFrame& frame, std::size_t at, ColourRef colour) {
  frame[at] = static_cast<std::uint8_t>(colour & 0xFF);
  frame[at + 1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
  frame[at + 2] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
}

std::uint8_t LengthByteOf(int mode) {
  switch (mode) {
    case 0: case 4: case 5: return 0x02;
    case 1: return 0x03;
    case 2: return 0x18;
    case 3: return 0x05;
    default: return 0x00;
  }
}

}  // namespace

ReportFrame BuildLighting(const LightingSetting& setting) {
  const std::uint8_t lengthByte = LengthByteOf(setting.mode);
  ReportFrame frame = MakeWriteFrame(Command::Lighting, lengthByte, ReportFrame::kLongLength);
  if (lengthByte != 0) {
    frame[5] = static_cast<std::uint8_t>(setting.mode);
    frame[6] = static_cast<std::uint8_t>(((setting.brightness << 4) | setting.speed) & 0xFF);
  }
  if (setting.mode == 2) {
    frame[7] = kLightColourSlots;
    for (std::size_t i = 0; i < setting.colours.size(); ++i) PutColour(frame, 8 + 3 * i, setting.colours[i]);
  } else if (setting.mode == 3) {
    PutColour(frame, 7, setting.colours[0]);
  }
  frame.StoreChecksum();
  return frame;
}

}  // namespace korvex

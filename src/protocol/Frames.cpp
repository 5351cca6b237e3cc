#include "protocol/Frames.h"

namespace korvex {

ReportFrame MakeWriteFrame(Command command, std::uint8_t lengthByte, std::size_t frameLength) {
  ReportFrame frame;
  frame.length = frameLength == ReportFrame::kLongLength ? ReportFrame::kLongLength
                                                         : ReportFrame::kShortLength;
  frame[1] = CommandByte(command);
  frame[3] = 0x01;  // packet 0 of 1
  frame[4] = lengthByte;
  frame.StoreChecksum();
  return frame;
}

ReportFrame BuildReadRequest(Command command) {
  ReportFrame frame;
  frame[1] = CommandByte(command);
  frame.StoreChecksum();
  return frame;
}

namespace {

ReportFrame BuildReset(Command command, std::uint8_t value) {
  ReportFrame frame = MakeWriteFrame(command, 0x01);
  frame[5] = value;
  frame.StoreChecksum();
  return frame;
}

}  // namespace

ReportFrame BuildResetDpi() { return BuildReset(Command::ResetDpi, 0x01); }
ReportFrame BuildResetReportRate() { return BuildReset(Command::ResetReportRate, 0x01); }
ReportFrame BuildResetLighting() { return BuildReset(Command::ResetLighting, 0x01); }
ReportFrame BuildFactoryReset() { return BuildReset(Command::FactoryReset, 0xFF); }

bool IsAcknowledged(const std::uint8_t* data, std::size_t length) {
  return data != nullptr && length >= 2 && data[1] == 0x00;
}

}  // namespace korvex

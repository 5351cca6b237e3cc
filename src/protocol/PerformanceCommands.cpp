#include "protocol/PerformanceCommands.h"

#include "protocol/DpiConversion.h"
#include "protocol/Frames.h"

namespace korvex {
namespace {

std::uint8_t Low(int value) { return static_cast<std::uint8_t>(value & 0xFF); }

}  // namespace

ReportFrame BuildReportRate(int rateCode) {
  ReportFrame frame = MakeWriteFrame(Command::ReportRate, 0x01, ReportFrame::kLongLength);
  frame[5] = Low(rateCode);
  frame.StoreChecksum();
  return frame;
}

ReportFrame BuildDpiStages(int sensor, const DpiStages& stages) {
  // The length byte is 0x25 although 25 (0x19) payload bytes follow; the
  // firmware expects exactly this value.
  ReportFrame frame = MakeWriteFrame(Command::DpiStages, 0x25);
  frame[5] = Low((stages.index << 4) | stages.count);
  for (int k = 0; k < kDpiStageCount; ++k) {
    const int reg = DpiToRegister(sensor, ClampDpi(sensor, stages.dpi[static_cast<std::size_t>(k)]));
    const std::size_t at = 6 + 4 * static_cast<std::size_t>(k);
    frame[at] = Low(reg);
    frame[at + 1] = Low(reg >> 8);
    frame[at + 2] = frame[at];
    frame[at + 3] = frame[at + 1];
  }
  frame.StoreChecksum();
  return frame;
}

ReportFrame BuildDpiColours(const std::array<ColourRef, kDpiStageCount>& colours) {
  ReportFrame frame = MakeWriteFrame(Command::DpiColours, 0x12, ReportFrame::kLongLength);
  for (std::size_t k = 0; k < colours.size(); ++k) {
    frame[5 + 3 * k] = static_cast<std::uint8_t>(colours[k] & 0xFF);
    frame[6 + 3 * k] = static_cast<std::uint8_t>((colours[k] >> 8) & 0xFF);
    frame[7 + 3 * k] = static_cast<std::uint8_t>((colours[k] >> 16) & 0xFF);
  }
  frame.StoreChecksum();
  return frame;
}

ReportFrame BuildLiftoffSensor(const LiftoffSensor& values) {
  ReportFrame frame = MakeWriteFrame(Command::LiftoffSensor, 0x05, ReportFrame::kLongLength);
  frame[5] = Low(values.liftoffHeight);
  frame[6] = (values.sensorFlag & 0x08) ? 1 : 0;
  frame[7] = (values.sensorFlag & 0x04) ? 1 : 0;
  frame.StoreChecksum();
  return frame;
}

ReportFrame BuildPowerOptions(const PowerOptions& values) {
  ReportFrame frame = MakeWriteFrame(Command::PowerOptions, 0x04, ReportFrame::kLongLength);
  frame[5] = Low(values.sleepLight);
  frame[6] = Low(values.moveWakeup);
  frame[7] = Low(values.moveCloseLight);
  frame[8] = Low(values.buttonResponseTime);
  frame.StoreChecksum();
  return frame;
}

}  // namespace korvex

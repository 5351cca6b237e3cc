#include "sim/MouseFirmware.h"

#include <algorithm>

namespace korvex::sim {
namespace {

constexpr std::size_t kPayload = 5;
constexpr std::size_t kChecksum = 32;

bool IsRateCode(std::uint8_t v) {
  return v == 1 || v == 2 || v == 4 || v == 8 || v == 16 || v == 32 || v == 64;
}

// Codes 1, 2, 4, 8 (1000 Hz down to 125 Hz) every mouse can do; 16, 32, 64
// (2000 Hz up to 8000 Hz) only up to the code its capability byte names.
bool RateSupported(std::uint8_t rate, std::uint8_t cap) {
  if (rate <= 8) return true;
  return (cap == 0x10 || cap == 0x20 || cap == 0x40) && rate <= cap;
}

Rgb ColourAt(const std::uint8_t* p) { return Rgb{p[0], p[1], p[2]}; }

void PutColour(std::uint8_t* p, const Rgb& c) {
  p[0] = c.r;
  p[1] = c.g;
  p[2] = c.b;
}

// Header of a single-packet write: byte 2 zero, sequence 0x01, fixed length.
bool SingleWrite(const std::array<std::uint8_t, kOutputReportLength>& f, std::uint8_t length) {
  return f[2] == 0 && f[3] == 0x01 && f[4] == length;
}

}  // namespace

MouseFirmware::MouseFirmware(MouseIdentity identity) : identity_(std::move(identity)) {
  FactoryReset();
  if (identity_.hasBattery) SetBattery(80, 0);
}

void MouseFirmware::FactoryReset() {
  for (auto& s : slots_) s.ResetAll(identity_.sensor);
  activeSlot_ = 0;
  macros_.Clear();
}

void MouseFirmware::SetFirmwareVersion(std::uint8_t major, std::uint8_t minor) {
  identity_.firmwareMajor = major;
  identity_.firmwareMinor = minor;
}

void MouseFirmware::SetBattery(std::uint8_t level, std::uint8_t state) {
  batteryLevel_ = level;
  batteryState_ = state;
}

bool MouseFirmware::SetActiveSlot(int slot) {
  if (slot < 0 || slot >= kSlotCount) return false;
  activeSlot_ = slot;
  return true;
}

bool MouseFirmware::ChecksumOk(const std::uint8_t* frame) {
  unsigned sum = 0;
  for (std::size_t i = kPayload; i < kChecksum; ++i) sum += frame[i];
  return static_cast<std::uint8_t>(sum & 0xFF) == frame[kChecksum];
}

void MouseFirmware::StartReply(const std::uint8_t* frame, InputReport& reply,
                               FrameStatus status) {
  reply.fill(0);
  reply[0] = frame[1];  // the answer names the command it answers
  reply[1] = static_cast<std::uint8_t>(status);
  reply[3] = frame[3];
}

bool MouseFirmware::HandleOutputReport(const std::uint8_t* data, std::size_t length,
                                       InputReport& reply) {
  if (!data || length == 0 || length > kOutputReportLength || data[0] != 0) return false;
  Frame f{};
  std::copy(data, data + length, f.begin());
  StartReply(f.data(), reply, FrameStatus::Ok);
  const FrameStatus status = ChecksumOk(f.data()) ? Dispatch(f, reply) : FrameStatus::BadChecksum;
  if (status != FrameStatus::Ok) StartReply(f.data(), reply, status);
  return true;
}

FrameStatus MouseFirmware::Dispatch(const Frame& f, InputReport& reply) {
  const std::uint8_t cmd = f[1];
  if ((cmd >= 0x10 && cmd <= 0x17) || cmd == 0x20) return Read(f, reply);
  if ((cmd >= 0x02 && cmd <= 0x09) || (cmd >= 0x0C && cmd <= 0x0F)) return Write(f);
  return FrameStatus::UnknownCommand;
}

void MouseFirmware::FillDeviceInfo(InputReport& reply, bool connected, bool withBattery) const {
  for (int i = 0; i < 4; ++i)
    reply[4 + i] = i < static_cast<int>(identity_.devId.size())
                       ? static_cast<std::uint8_t>(identity_.devId[i])
                       : 0;
  reply[8] = static_cast<std::uint8_t>(identity_.deviceWord & 0xFF);
  reply[9] = static_cast<std::uint8_t>(identity_.deviceWord >> 8);
  reply[10] = identity_.sensor;
  reply[11] = identity_.rateCap;
  reply[12] = withBattery ? batteryState_ : 0;
  reply[13] = withBattery ? batteryLevel_ : 0;
  reply[14] = connected ? 1 : 0;
}

void MouseFirmware::FillLighting(InputReport& reply) const {
  const SlotSettings& s = ActiveSlot();
  const std::uint8_t mode = s.lightMode < kLightModeCount ? s.lightMode : 0;
  reply[4] = s.lightMode;
  reply[5] = s.lightLevel[mode];
  if (mode == 1) reply[6] = s.breathingExtra;
  if (mode == 2) {
    reply[6] = s.cycleColourCount;
    for (int i = 0; i < s.cycleColourCount && i < kCycleColourCount; ++i)
      PutColour(&reply[7 + 3 * i], s.cycleColours[i]);
  }
  if (mode == 3) PutColour(&reply[6], s.steadyColour);
}

FrameStatus MouseFirmware::Read(const Frame& f, InputReport& reply) {
  if (f[2] != 0 || f[3] != 0 || f[4] != 0) return FrameStatus::BadHeader;
  const SlotSettings& s = ActiveSlot();
  switch (f[1]) {
    case 0x10: FillDeviceInfo(reply, true, true); break;
    case 0x11:
      reply[4] = static_cast<std::uint8_t>(activeSlot_);
      reply[5] = kSlotCount;
      break;
    case 0x12: reply[4] = s.reportRate; break;
    case 0x13:
      reply[4] = static_cast<std::uint8_t>((s.stageIndex << 4) | (s.stageCount & 0x0F));
      for (int k = 0; k < kStageCount; ++k) {
        reply[5 + 4 * k] = static_cast<std::uint8_t>(s.stageX[k] & 0xFF);
        reply[6 + 4 * k] = static_cast<std::uint8_t>(s.stageX[k] >> 8);
        reply[7 + 4 * k] = static_cast<std::uint8_t>(s.stageY[k] & 0xFF);
        reply[8 + 4 * k] = static_cast<std::uint8_t>(s.stageY[k] >> 8);
      }
      break;
    case 0x14:
      for (int k = 0; k < kStageCount; ++k) PutColour(&reply[4 + 3 * k], s.stageColour[k]);
      break;
    case 0x15: FillLighting(reply); break;
    case 0x16:
      reply[4] = s.liftoff;
      reply[5] = s.sensorA;
      reply[6] = s.sensorB;
      break;
    case 0x17:
      reply[4] = s.sleepTime;
      reply[5] = s.moveWakeup;
      reply[6] = s.moveCloseLight;
      reply[7] = s.buttonResponse;
      break;
    case 0x20:
      reply[4] = identity_.firmwareMajor;
      reply[5] = identity_.firmwareMinor;
      break;
  }
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::Write(const Frame& f) {
  switch (f[1]) {
    case 0x02: return WriteReportRate(f);
    case 0x03: return WriteStages(f);
    case 0x04: return WriteColours(f);
    case 0x05: return WriteLighting(f);
    case 0x06: return WriteLiftoff(f);
    case 0x07: return WritePower(f);
    case 0x08: return WriteMacro(f);
    case 0x09: return WriteButtons(f);
    default: return Reset(f);
  }
}

FrameStatus MouseFirmware::WriteReportRate(const Frame& f) {
  if (!SingleWrite(f, 0x01)) return FrameStatus::BadHeader;
  const std::uint8_t rate = f[5];
  if (!IsRateCode(rate) || !RateSupported(rate, identity_.rateCap)) return FrameStatus::BadValue;
  Active().reportRate = rate;
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WriteStages(const Frame& f) {
  // The length byte of this command is 0x25, not the 25 bytes that follow.
  if (!SingleWrite(f, 0x25)) return FrameStatus::BadHeader;
  const int count = f[5] & 0x0F;
  if (count < 1 || count > kStageCount) return FrameStatus::BadValue;
  SlotSettings& s = Active();
  s.stageCount = static_cast<std::uint8_t>(count);
  s.stageIndex = static_cast<std::uint8_t>(f[5] >> 4);
  for (int k = 0; k < kStageCount; ++k) {
    s.stageX[k] = static_cast<std::uint16_t>(f[6 + 4 * k] | (f[7 + 4 * k] << 8));
    s.stageY[k] = static_cast<std::uint16_t>(f[8 + 4 * k] | (f[9 + 4 * k] << 8));
  }
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WriteColours(const Frame& f) {
  if (!SingleWrite(f, 0x12)) return FrameStatus::BadHeader;
  for (int k = 0; k < kStageCount; ++k) Active().stageColour[k] = ColourAt(&f[5 + 3 * k]);
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WriteLighting(const Frame& f) {
  if (f[2] != 0 || f[3] != 0x01) return FrameStatus::BadHeader;
  const std::uint8_t mode = f[5];
  SlotSettings& s = Active();
  switch (mode) {
    case 0: case 4: case 5:
      if (f[4] != 2) return FrameStatus::BadHeader;
      break;
    case 1:
      if (f[4] != 3) return FrameStatus::BadHeader;
      s.breathingExtra = f[7];
      break;
    case 2: {
      const int n = f[7];
      if (n < 1 || n > kCycleColourCount) return FrameStatus::BadValue;
      if (f[4] != 3 + 3 * n) return FrameStatus::BadHeader;
      s.cycleColourCount = static_cast<std::uint8_t>(n);
      for (int i = 0; i < n; ++i) s.cycleColours[i] = ColourAt(&f[8 + 3 * i]);
      break;
    }
    case 3:
      if (f[4] != 5) return FrameStatus::BadHeader;
      s.steadyColour = ColourAt(&f[7]);
      break;
    default: return FrameStatus::BadValue;
  }
  s.lightMode = mode;
  s.lightLevel[mode] = f[6];
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WriteLiftoff(const Frame& f) {
  if (!SingleWrite(f, 0x05)) return FrameStatus::BadHeader;
  if (f[6] > 1 || f[7] > 1) return FrameStatus::BadValue;
  SlotSettings& s = Active();
  s.liftoff = f[5];
  s.sensorA = f[6];
  s.sensorB = f[7];
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WritePower(const Frame& f) {
  if (!SingleWrite(f, 0x04)) return FrameStatus::BadHeader;
  SlotSettings& s = Active();
  s.sleepTime = f[5];
  s.moveWakeup = f[6];
  s.moveCloseLight = f[7];
  s.buttonResponse = f[8];
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::WriteMacro(const Frame& f) {
  if (f[2] != 0) return FrameStatus::BadHeader;
  MacroAssembler::Result r = macros_.Add(f[3], f[4], &f[kPayload]);
  if (r.complete) Active().macros[r.stream[0]] = std::move(r.stream);
  return r.status;
}

FrameStatus MouseFirmware::WriteButtons(const Frame& f) {
  // 27 payload bytes follow although the length byte says 0x0F.
  if (!SingleWrite(f, 0x0F)) return FrameStatus::BadHeader;
  for (int n = 0; n < kButtonCount; ++n)
    Active().buttons[n] = ButtonTriple{f[5 + 3 * n], f[6 + 3 * n], f[7 + 3 * n]};
  return FrameStatus::Ok;
}

FrameStatus MouseFirmware::Reset(const Frame& f) {
  if (!SingleWrite(f, 0x01)) return FrameStatus::BadHeader;
  const std::uint8_t expected = f[1] == 0x0F ? 0xFF : 0x01;
  if (f[5] != expected) return FrameStatus::BadValue;
  switch (f[1]) {
    case 0x0C: Active().ResetDpi(identity_.sensor); break;
    case 0x0D: Active().ResetReportRate(); break;
    case 0x0E: Active().ResetLighting(); break;
    case 0x0F: FactoryReset(); break;
    default: return FrameStatus::UnknownCommand;  // 0x0A, 0x0B are not commands
  }
  return FrameStatus::Ok;
}

void MouseFirmware::PressDpiButton(InputReport& report) {
  SlotSettings& s = Active();
  const int count = std::clamp<int>(s.stageCount, 1, kStageCount);
  s.stageIndex = static_cast<std::uint8_t>((s.stageIndex + 1) % count);
  report.fill(0);
  report[0] = 0xC2;
  report[1] = static_cast<std::uint8_t>((s.stageIndex << 4) | (s.stageCount & 0x0F));
}

void MouseFirmware::SerializeFlash(std::vector<std::uint8_t>& out) const {
  out.push_back(identity_.firmwareMajor);
  out.push_back(identity_.firmwareMinor);
  out.push_back(static_cast<std::uint8_t>(activeSlot_));
  for (const auto& s : slots_) s.Serialize(out);
}

bool MouseFirmware::DeserializeFlash(const std::uint8_t* data, std::size_t length) {
  if (length < 3 || data[2] >= kSlotCount) return false;
  std::array<SlotSettings, kSlotCount> slots;
  std::size_t pos = 3;
  for (auto& s : slots) {
    std::size_t used = 0;
    if (!s.Deserialize(data + pos, length - pos, used)) return false;
    pos += used;
  }
  if (pos != length) return false;
  SetFirmwareVersion(data[0], data[1]);
  activeSlot_ = data[2];
  slots_ = std::move(slots);
  macros_.Clear();
  return true;
}

}  // namespace korvex::sim

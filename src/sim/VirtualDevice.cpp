#include "sim/VirtualDevice.h"

namespace korvex::sim {
namespace {

// Update interface: report id 5 and 63 bytes each way.
constexpr std::size_t kUpdateReportLength = 64;

// The report descriptors, written out byte by byte as the device's firmware
// holds them.
constexpr std::uint8_t kPointerDescriptor[] = {
    0x05, 0x01, 0x09, 0x02, 0xA1, 0x01,        // Generic Desktop, Mouse, Application
    0x09, 0x01, 0xA1, 0x00,                    //   Pointer, Physical
    0x05, 0x09, 0x19, 0x01, 0x29, 0x05,        //     Buttons 1..5
    0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x05, 0x81, 0x02,
    0x75, 0x03, 0x95, 0x01, 0x81, 0x01,        //     padding
    0x05, 0x01, 0x09, 0x30, 0x09, 0x31, 0x09, 0x38,  // X, Y, wheel
    0x15, 0x81, 0x25, 0x7F, 0x75, 0x08, 0x95, 0x03, 0x81, 0x06,
    0xC0, 0xC0};
constexpr std::uint8_t kKeyboardDescriptor[] = {
    0x05, 0x01, 0x09, 0x06, 0xA1, 0x01,        // Generic Desktop, Keyboard
    0x05, 0x07, 0x19, 0xE0, 0x29, 0xE7, 0x15, 0x00, 0x25, 0x01,
    0x75, 0x01, 0x95, 0x08, 0x81, 0x02,        //   modifiers
    0x75, 0x08, 0x95, 0x01, 0x81, 0x01,        //   reserved
    0x19, 0x00, 0x29, 0x65, 0x15, 0x00, 0x25, 0x65,
    0x75, 0x08, 0x95, 0x06, 0x81, 0x00,        //   six keys
    0xC0};
constexpr std::uint8_t kConfigDescriptor[] = {
    0x05, 0x01, 0x09, 0x00, 0xA1, 0x01,        // Generic Desktop, Undefined, Application
    0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,  //   bytes
    0x95, 0x40, 0x09, 0x00, 0x81, 0x02,        //   64 in
    0x95, 0x40, 0x09, 0x00, 0x91, 0x02,        //   64 out
    0xC0};
constexpr std::uint8_t kUpdateDescriptor[] = {
    0x06, 0xEF, 0xFF, 0x09, 0x00, 0xA1, 0x01,  // vendor page 0xFFEF, Application
    0x85, 0x05, 0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08,
    0x95, 0x3F, 0x09, 0x00, 0x81, 0x02,        //   63 in
    0x95, 0x3F, 0x09, 0x00, 0x91, 0x02,        //   63 out
    0xC0};

constexpr InterfaceDescriptor kInterfaces[kInterfaceCount] = {
    {kPointerInterface, 0x0001, 0x0002, false, kPointerDescriptor, sizeof kPointerDescriptor},
    {kKeyboardInterface, 0x0001, 0x0006, false, kKeyboardDescriptor, sizeof kKeyboardDescriptor},
    {kConfigInterface, 0x0001, 0x0000, true, kConfigDescriptor, sizeof kConfigDescriptor},
    {kUpdateInterface, 0xFFEF, 0x0000, true, kUpdateDescriptor, sizeof kUpdateDescriptor},
};

}  // namespace

const InterfaceDescriptor& DescribeInterface(int number) {
  return kInterfaces[(number >= 0 && number < kInterfaceCount) ? number : 0];
}

VirtualDevice::VirtualDevice(DeviceSpec entry) : spec_(std::move(entry)), mouse_(spec_.mouse) {
  // A mouse on its cable charges; one behind the receiver runs on its battery.
  if (spec_.mouse.hasBattery) mouse_.SetBattery(80, spec_.receiver ? 0 : 1);
}

std::uint16_t VirtualDevice::Release() const {
  if (spec_.receiver) return spec_.release;
  const MouseIdentity& m = mouse_.Identity();
  return static_cast<std::uint16_t>((m.firmwareMajor << 8) | m.firmwareMinor);
}

int VirtualDevice::HandleOutput(int interfaceNumber, const std::uint8_t* data,
                                std::size_t length, std::vector<OutgoingReport>& out) {
  if (!data || length == 0) return -1;
  if (interfaceNumber == kConfigInterface) {
    if (length != static_cast<std::size_t>(kOutputReportLength)) return -1;
    HandleConfig(data, length, out);
    return static_cast<int>(length);
  }
  if (interfaceNumber == kUpdateInterface) {
    if (length != kUpdateReportLength || data[0] != 0x05) return -1;
    HandleUpdate(data, length, out);
    return static_cast<int>(length);
  }
  return -1;
}

void VirtualDevice::HandleConfig(const std::uint8_t* data, std::size_t length,
                                 std::vector<OutgoingReport>& out) {
  OutgoingReport r{kConfigInterface, {}};
  if (spec_.receiver && !mouseOn_) {
    // The receiver answers for itself: who its paired mouse is, and that it
    // is away. Everything else cannot reach the mouse.
    if (data[0] != 0) return;
    std::uint8_t frame[kOutputReportLength] = {};
    for (std::size_t i = 0; i < length; ++i) frame[i] = data[i];
    if (!MouseFirmware::ChecksumOk(frame)) {
      MouseFirmware::StartReply(frame, r.bytes, FrameStatus::BadChecksum);
    } else if (frame[1] == 0x10 && frame[2] == 0 && frame[3] == 0 && frame[4] == 0) {
      MouseFirmware::StartReply(frame, r.bytes, FrameStatus::Ok);
      mouse_.FillDeviceInfo(r.bytes, false, false);
    } else {
      MouseFirmware::StartReply(frame, r.bytes, FrameStatus::MouseOffline);
    }
    out.push_back(r);
    return;
  }
  if (mouse_.HandleOutputReport(data, length, r.bytes)) out.push_back(r);
}

void VirtualDevice::HandleUpdate(const std::uint8_t* data, std::size_t length,
                                 std::vector<OutgoingReport>& out) {
  OutgoingReport r{kUpdateInterface, {}};
  if (spec_.receiver && !mouseOn_) {
    updater_.AnswerOffline(data, length, r.bytes);
  } else if (updater_.HandleOutputReport(data, length, r.bytes)) {
    // The image is the mouse's; the installed firmware reports the next
    // minor version, so a completed update is visible to the program.
    const MouseIdentity& m = mouse_.Identity();
    mouse_.SetFirmwareVersion(m.firmwareMajor, static_cast<std::uint8_t>(m.firmwareMinor + 1));
  }
  out.push_back(r);
}

void VirtualDevice::PowerCycle() {
  mouse_.ClearVolatile();
  updater_ = FirmwareUpdater{};
}

void VirtualDevice::StatusReport(std::vector<OutgoingReport>& out) const {
  OutgoingReport r{kConfigInterface, {}};
  r.bytes[0] = 0xC0;
  r.bytes[1] = mouseOn_ ? 1 : 0;
  r.bytes[2] = mouseOn_ ? mouse_.BatteryLevel() : 0;
  r.bytes[3] = mouseOn_ ? mouse_.BatteryState() : 0;
  out.push_back(r);
}

bool VirtualDevice::SetMouseOn(bool on, std::vector<OutgoingReport>& out) {
  if (!spec_.receiver) return false;
  if (mouseOn_ == on) return true;
  mouseOn_ = on;
  StatusReport(out);
  return true;
}

void VirtualDevice::SetBattery(std::uint8_t level, std::uint8_t state,
                               std::vector<OutgoingReport>& out) {
  mouse_.SetBattery(level, state);
  if (spec_.receiver && mouseOn_) StatusReport(out);
}

bool VirtualDevice::PressDpiButton(std::vector<OutgoingReport>& out) {
  if (spec_.receiver && !mouseOn_) return false;
  OutgoingReport r{kConfigInterface, {}};
  mouse_.PressDpiButton(r.bytes);
  out.push_back(r);
  return true;
}

}  // namespace korvex::sim

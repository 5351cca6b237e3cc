#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/DeviceRoster.h"
#include "sim/FirmwareUpdater.h"
#include "sim/MouseFirmware.h"

namespace korvex::sim {

// Interface numbers every virtual device exposes.
enum InterfaceNumber : int {
  kPointerInterface = 0,  // usage page 1, usage 2: the mouse pointer
  kKeyboardInterface = 1, // usage page 1, usage 6: keys the buttons can send
  kConfigInterface = 2,   // usage page 1, usage 0: the configuration collection
  kUpdateInterface = 3,   // usage page 0xFFEF, usage 0: firmware update
};
constexpr int kInterfaceCount = 4;

struct InterfaceDescriptor {
  int number = 0;
  std::uint16_t usagePage = 0;
  std::uint16_t usage = 0;
  bool takesOutput = false;
  // The HID report descriptor the interface declares to the host.
  const std::uint8_t* reportDescriptor = nullptr;
  std::size_t reportDescriptorSize = 0;
};

const InterfaceDescriptor& DescribeInterface(int number);

// An input report leaving the device on one interface.
struct OutgoingReport {
  int interfaceNumber = 0;
  InputReport bytes{};
};

// One USB device: a wired mouse, or a receiver with the mouse it hosts. It
// routes output reports to the firmware of the interface they were written
// to and collects the input reports they cause. Not thread-safe.
class VirtualDevice {
 public:
  explicit VirtualDevice(DeviceSpec entry);

  const DeviceSpec& Spec() const { return spec_; }
  std::uint16_t Release() const;

  // Bytes taken, or -1 when the interface has no output report or the report
  // is not the length its descriptor declares: like a real device, the mouse
  // refuses a short report instead of guessing the missing bytes.
  int HandleOutput(int interfaceNumber, const std::uint8_t* data, std::size_t length,
                   std::vector<OutgoingReport>& out);

  // Receiver only: the hosted mouse goes away or comes back (report 0xC0).
  bool SetMouseOn(bool on, std::vector<OutgoingReport>& out);
  bool MouseOn() const { return mouseOn_; }
  // Battery change; a receiver passes it on as report 0xC0 while its mouse is on.
  void SetBattery(std::uint8_t level, std::uint8_t state, std::vector<OutgoingReport>& out);
  // False when the mouse cannot be reached (receiver with its mouse away).
  bool PressDpiButton(std::vector<OutgoingReport>& out);

  // Power lost (unplugged): what the device held in RAM is gone, flash stays.
  void PowerCycle();

  MouseFirmware& Mouse() { return mouse_; }
  const MouseFirmware& Mouse() const { return mouse_; }
  const FirmwareUpdater& Updater() const { return updater_; }

 private:
  void HandleConfig(const std::uint8_t* data, std::size_t length,
                    std::vector<OutgoingReport>& out);
  void HandleUpdate(const std::uint8_t* data, std::size_t length,
                    std::vector<OutgoingReport>& out);
  void StatusReport(std::vector<OutgoingReport>& out) const;

  DeviceSpec spec_;
  MouseFirmware mouse_;
  FirmwareUpdater updater_;
  bool mouseOn_ = true;
};

}  // namespace korvex::sim

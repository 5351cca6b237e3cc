#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace korvex::sim {

// Who a mouse says it is in its device-information reply, plus what its
// firmware is built with.
struct MouseIdentity {
  std::string devId;            // four characters
  std::uint8_t sensor = 0;
  std::uint8_t rateCap = 0;     // highest report-rate code (0x10/0x20/0x40, else 1000 Hz)
  std::uint16_t deviceWord = 0;
  std::uint8_t firmwareMajor = 1;
  std::uint8_t firmwareMinor = 0x30;
  bool hasBattery = false;
};

// One USB device of the virtual roster.
struct DeviceSpec {
  std::string name;             // control name, lower case ("k1", "k3-receiver")
  std::uint16_t vendorId = 0x1209;
  std::uint16_t productId = 0;
  std::uint16_t release = 0;    // bcdDevice; a wired mouse shows its firmware version here
  std::string product;
  bool receiver = false;        // a 2.4 GHz receiver hosting the mouse below
  MouseIdentity mouse;
};

// Device list grammar: a comma-separated list of device names, case and
// surrounding blanks ignored:
//   k1, k3, k3-receiver (alias "receiver"), k5, k5-receiver, classic
// "", "all" and "default" give the default roster
//   k1, k3, k3-receiver, k5, classic.
// Unknown or repeated names make the whole list invalid: false, error says why.
bool ParseDeviceSpec(const std::string& text, std::vector<DeviceSpec>& out, std::string& error);

// The default roster, in the order above.
std::vector<DeviceSpec> DefaultRoster();

// Names ParseDeviceSpec accepts (without aliases).
std::vector<std::string> KnownDeviceNames();

}  // namespace korvex::sim

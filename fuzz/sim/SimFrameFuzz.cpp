// libFuzzer over the virtual mouse's decoders: the input is a run of reports
// (selector byte, length byte, bytes) played into one wired mouse and one
// receiver, so multi-packet macro uploads and firmware transfers carry state
// from one report to the next. The flash image loader gets the raw input too.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "sim/DeviceRoster.h"
#include "sim/VirtualDevice.h"

namespace {

using korvex::sim::OutgoingReport;
using korvex::sim::VirtualDevice;

VirtualDevice& Device(int which) {
  static std::vector<korvex::sim::DeviceSpec> specs = korvex::sim::DefaultRoster();
  static VirtualDevice wired(specs[0]);
  static VirtualDevice receiver(specs[2]);
  return which ? receiver : wired;
}

void Play(std::uint8_t selector, const std::uint8_t* data, std::size_t length) {
  VirtualDevice& device = Device(selector & 1);
  std::vector<OutgoingReport> out;
  switch ((selector >> 1) % 6) {
    case 0: case 1: device.HandleOutput(korvex::sim::kConfigInterface, data, length, out); break;
    case 2: device.HandleOutput(korvex::sim::kUpdateInterface, data, length, out); break;
    case 3: device.HandleOutput(selector % 4, data, length, out); break;
    case 4: device.SetMouseOn(length % 2 == 0, out); break;
    case 5: device.PressDpiButton(out); break;
  }
  for (const auto& r : out)
    if (r.interfaceNumber < 0 || r.interfaceNumber > 3) __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  korvex::sim::MouseFirmware scratch(korvex::sim::DefaultRoster()[0].mouse);
  scratch.DeserializeFlash(data, size);

  std::size_t pos = 0;
  while (pos + 2 <= size) {
    const std::uint8_t selector = data[pos];
    std::size_t length = data[pos + 1];
    pos += 2;
    if (length > size - pos) length = size - pos;
    // Copied so the sanitizer sees reads beyond the report's own end.
    std::vector<std::uint8_t> report(data + pos, data + pos + length);
    Play(selector, report.empty() ? nullptr : report.data(), report.size());
    pos += length;
  }
  return 0;
}

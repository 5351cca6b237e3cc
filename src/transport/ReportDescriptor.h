#pragma once
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

namespace korvex {

// What the program needs from a HID report descriptor: how long each output
// report is, and which top-level collections the interface has. A device
// that declares a 64-byte output report may refuse anything shorter, and on
// Linux neither the HID library nor the kernel pads a short write, so every
// write is padded here to the length the device declares.
class ReportDescriptor {
 public:
  struct Collection {
    std::uint16_t usagePage = 0;
    std::uint16_t usage = 0;
  };

  // Reads the items in order. A truncated or malformed item ends the parse;
  // what was read before it stays.
  static ReportDescriptor Parse(const std::uint8_t* bytes, std::size_t size);
  static ReportDescriptor Parse(const std::vector<std::uint8_t>& bytes) {
    return Parse(bytes.data(), bytes.size());
  }

  // Bytes of one write of output report `reportId`, the report-id byte
  // included (id 0 when the descriptor numbers no reports); 0 when the
  // descriptor declares no such output report.
  std::size_t OutputWriteLength(std::uint8_t reportId) const;
  const std::vector<Collection>& TopLevelCollections() const { return collections_; }
  bool HasCollection(std::uint16_t usagePage, std::uint16_t usage) const;

  // Points data/length at a zero-padded copy in `scratch` when the report is
  // shorter than its declared output; leaves them alone otherwise.
  void PadOutput(const std::uint8_t*& data, std::size_t& length,
                 std::vector<std::uint8_t>& scratch) const;

 private:
  std::map<std::uint8_t, std::uint32_t> outputBits_;  // by report id
  std::vector<Collection> collections_;
};

}  // namespace korvex

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>

namespace korvex {

// One vendor report as the program builds it: report id 0, command, 0,
// packet sequence, payload length, 27 payload bytes, checksum of bytes 5..31.
// Most commands use the 33-byte form; a few writers hand over 65 bytes, the
// tail zero. Replies are read back into the same buffer.
struct ReportFrame {
  static constexpr std::size_t kShortLength = 33;
  static constexpr std::size_t kLongLength = 65;
  static constexpr std::size_t kPayloadOffset = 5;
  static constexpr std::size_t kPayloadSize = 27;
  static constexpr std::size_t kChecksumOffset = 32;

  std::array<std::uint8_t, kLongLength> bytes{};
  std::size_t length = kShortLength;

  std::uint8_t& operator[](std::size_t i) { return bytes[i]; }
  std::uint8_t operator[](std::size_t i) const { return bytes[i]; }
  std::uint8_t* data() { return bytes.data(); }
  const std::uint8_t* data() const { return bytes.data(); }

  // Sum of bytes 5..31 modulo 256.
  std::uint8_t ComputeChecksum() const {
    unsigned sum = 0;
    for (std::size_t i = kPayloadOffset; i < kChecksumOffset; ++i) sum += bytes[i];
    return static_cast<std::uint8_t>(sum & 0xFF);
  }
  void StoreChecksum() { bytes[kChecksumOffset] = ComputeChecksum(); }
};

}  // namespace korvex

#pragma once
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace korvex {

// One 64-byte output report of the update interface: 05 02 <payload length>
// 00, then up to 60 payload bytes; every byte not set is 0xFF.
struct FirmwareReport {
  static constexpr std::size_t kLength = 64;
  static constexpr std::size_t kPayloadOffset = 4;
  static constexpr std::size_t kBlockSize = 20;     // number, 16 bytes, CRC
  static constexpr std::size_t kBlockData = 16;
  static constexpr std::size_t kMaxBlocks = 3;
  static constexpr std::size_t kMaxData = kBlockData * kMaxBlocks;  // 48 image bytes
  static constexpr int kMaxBlockNumber = 0xFFFF;

  std::array<std::uint8_t, kLength> bytes{};

  std::uint8_t* data() { return bytes.data(); }
  const std::uint8_t* data() const { return bytes.data(); }

  // Payload 01 FF.
  static FirmwareReport Start();
  // Payload 02 FF FF FF FF FF.
  static FirmwareReport End();
  // One block per 16 image bytes (1..3 blocks, payload length 20, 40 or 60),
  // numbered from firstBlock little-endian; a short last block is padded with
  // 0xFF; each block ends with the CRC-16/MODBUS of its first 18 bytes, low
  // byte first. False when count is 0 or above 48, or a block number would
  // not fit 16 bits.
  static bool Data(int firstBlock, const std::uint8_t* image, std::size_t count, FirmwareReport& out);
};

// The data reports of a whole image in sending order (48 bytes each, the
// rest in the last). Fills `out` (cleared first) and returns the count; 0 for
// an empty image or one whose blocks cannot be numbered in 16 bits.
int BuildFirmwareDataReports(const std::uint8_t* image, std::size_t length, std::vector<FirmwareReport>& out);

}  // namespace korvex

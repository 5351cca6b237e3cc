#include "protocol/FirmwareReport.h"

#include <algorithm>

#include "protocol/Crc16.h"

namespace korvex {
namespace {

FirmwareReport WithHeader(std::size_t payloadLength) {
  FirmwareReport report;
  report.bytes.fill(0xFF);
  report.bytes[0] = 0x05;
  report.bytes[1] = 0x02;
  report.bytes[2] = static_cast<std::uint8_t>(payloadLength);
  report.bytes[3] = 0x00;
  return report;
}

}  // namespace

FirmwareReport FirmwareReport::Start() {
  FirmwareReport report = WithHeader(2);
  report.bytes[4] = 0x01;
  return report;
}

FirmwareReport FirmwareReport::End() {
  FirmwareReport report = WithHeader(6);
  report.bytes[4] = 0x02;
  return report;
}

bool FirmwareReport::Data(int firstBlock, const std::uint8_t* image, std::size_t count, FirmwareReport& out) {
  if (image == nullptr || count == 0 || count > kMaxData || firstBlock < 0) return false;
  const std::size_t blocks = (count + kBlockData - 1) / kBlockData;
  if (firstBlock + static_cast<int>(blocks) - 1 > kMaxBlockNumber) return false;
  FirmwareReport report = WithHeader(blocks * kBlockSize);
  for (std::size_t b = 0; b < blocks; ++b) {
    std::uint8_t* block = report.bytes.data() + kPayloadOffset + b * kBlockSize;
    const int number = firstBlock + static_cast<int>(b);
    block[0] = static_cast<std::uint8_t>(number & 0xFF);
    block[1] = static_cast<std::uint8_t>((number >> 8) & 0xFF);
    const std::size_t begin = b * kBlockData;
    const std::size_t size = std::min(kBlockData, count - begin);
    std::copy(image + begin, image + begin + size, block + 2);  // padding stays 0xFF
    const std::uint16_t crc = Crc16Modbus(block, 18);
    block[18] = static_cast<std::uint8_t>(crc & 0xFF);
    block[19] = static_cast<std::uint8_t>(crc >> 8);
  }
  out = report;
  return true;
}

int BuildFirmwareDataReports(const std::uint8_t* image, std::size_t length, std::vector<FirmwareReport>& out) {
  out.clear();
  const std::size_t blocks = (length + FirmwareReport::kBlockData - 1) / FirmwareReport::kBlockData;
  if (image == nullptr || length == 0 || blocks > static_cast<std::size_t>(FirmwareReport::kMaxBlockNumber) + 1) {
    return 0;
  }
  out.reserve((length + FirmwareReport::kMaxData - 1) / FirmwareReport::kMaxData);
  for (std::size_t at = 0; at < length; at += FirmwareReport::kMaxData) {
    FirmwareReport report;
    const std::size_t count = std::min(FirmwareReport::kMaxData, length - at);
    FirmwareReport::Data(static_cast<int>(at / FirmwareReport::kBlockData), image + at, count, report);
    out.push_back(report);
  }
  return static_cast<int>(out.size());
}

}  // namespace korvex

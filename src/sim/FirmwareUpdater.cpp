#include "sim/FirmwareUpdater.h"

#include <algorithm>
#include <array>

namespace korvex::sim {
namespace {

constexpr std::uint8_t kReportId = 0x05;
constexpr std::size_t kReportLength = 64;
constexpr int kPayloadOffset = 4;
constexpr int kBlockSize = 20;
constexpr int kBlockData = 16;
constexpr int kMaxBlocks = 0x10000;  // block numbers are 16 bits

enum Kind : std::uint8_t { kUnknown = 0, kStart = 1, kEnd = 2, kData = 3 };

Kind KindOf(const std::uint8_t* r) {
  const int len = r[2];
  const std::uint8_t* p = r + kPayloadOffset;
  if (len == 2 && p[0] == 0x01 && p[1] == 0xFF) return kStart;
  if (len == 6 && p[0] == 0x02 && std::all_of(p + 1, p + 6, [](auto b) { return b == 0xFF; }))
    return kEnd;
  if (len == 20 || len == 40 || len == 60) return kData;
  return kUnknown;
}

// Header 05 02 len 00, payload length within the report, every byte after
// the payload 0xFF as the sender fills it.
bool WellFormed(const std::uint8_t* r) {
  if (r[0] != kReportId || r[1] != 0x02 || r[3] != 0x00) return false;
  const int end = kPayloadOffset + r[2];
  if (end > static_cast<int>(kReportLength)) return false;
  return std::all_of(r + end, r + kReportLength, [](auto b) { return b == 0xFF; });
}

void Answer(InputReport& reply, UpdateResult result, Kind kind, int blocks) {
  reply.fill(0);
  reply[0] = kReportId;
  reply[1] = static_cast<std::uint8_t>(result);
  reply[2] = kind;
  reply[3] = static_cast<std::uint8_t>(blocks & 0xFF);
  reply[4] = static_cast<std::uint8_t>((blocks >> 8) & 0xFF);
}

}  // namespace

std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t length) {
  std::uint16_t crc = 0xFFFF;
  for (std::size_t i = 0; i < length; ++i) {
    crc ^= data[i];
    for (int bit = 0; bit < 8; ++bit)
      crc = (crc & 1) ? static_cast<std::uint16_t>((crc >> 1) ^ 0xA001)
                      : static_cast<std::uint16_t>(crc >> 1);
  }
  return crc;
}

const char* UpdateResultName(UpdateResult r) {
  switch (r) {
    case UpdateResult::Ok: return "ok";
    case UpdateResult::BadCrc: return "bad-crc";
    case UpdateResult::BadOrder: return "bad-order";
    case UpdateResult::NotStarted: return "not-started";
    case UpdateResult::Malformed: return "malformed";
    case UpdateResult::Offline: return "offline";
  }
  return "?";
}

const char* UpdatePhaseName(UpdateStatus::Phase p) {
  switch (p) {
    case UpdateStatus::Phase::Idle: return "idle";
    case UpdateStatus::Phase::Receiving: return "receiving";
    case UpdateStatus::Phase::Failed: return "failed";
    case UpdateStatus::Phase::Installed: return "installed";
  }
  return "?";
}

void FirmwareUpdater::AnswerOffline(const std::uint8_t* data, std::size_t length,
                                    InputReport& reply) {
  std::array<std::uint8_t, kReportLength> r{};
  std::copy(data, data + std::min(length, kReportLength), r.begin());
  Answer(reply, UpdateResult::Offline, WellFormed(r.data()) ? KindOf(r.data()) : kUnknown,
         status_.blocks);
}

bool FirmwareUpdater::HandleOutputReport(const std::uint8_t* data, std::size_t length,
                                         InputReport& reply) {
  // Short writes are zero-padded by the driver, which the padding check then
  // refuses: the sender must hand over whole 64-byte reports.
  std::array<std::uint8_t, kReportLength> r{};
  std::copy(data, data + std::min(length, kReportLength), r.begin());
  if (!WellFormed(r.data())) {
    Answer(reply, UpdateResult::Malformed, kUnknown, status_.blocks);
    return false;
  }
  const Kind kind = KindOf(r.data());
  UpdateResult result = UpdateResult::Malformed;
  if (kind == kStart) result = Start();
  if (kind == kData) result = Data(r.data() + kPayloadOffset, r[2]);
  if (kind == kEnd) result = End();
  Answer(reply, result, kind, status_.blocks);
  return kind == kEnd && result == UpdateResult::Ok;
}

UpdateResult FirmwareUpdater::Start() {
  const int installs = status_.installs;
  status_ = UpdateStatus{};
  status_.installs = installs;
  status_.phase = UpdateStatus::Phase::Receiving;
  image_.clear();
  lastDataSeen_ = false;
  return UpdateResult::Ok;
}

UpdateResult FirmwareUpdater::Fail(UpdateResult why, int block) {
  status_.phase = UpdateStatus::Phase::Failed;
  status_.lastError = why;
  status_.failedBlock = block;
  image_.clear();
  return why;
}

UpdateResult FirmwareUpdater::Data(const std::uint8_t* payload, int length) {
  if (status_.phase == UpdateStatus::Phase::Failed) return status_.lastError;
  if (status_.phase != UpdateStatus::Phase::Receiving) return UpdateResult::NotStarted;
  const int count = length / kBlockSize;
  for (int i = 0; i < count; ++i) {
    const std::uint8_t* block = payload + i * kBlockSize;
    const int number = block[0] | (block[1] << 8);
    if (lastDataSeen_ || number != status_.blocks || status_.blocks >= kMaxBlocks)
      return Fail(UpdateResult::BadOrder, number);
    const std::uint16_t crc = static_cast<std::uint16_t>(block[18] | (block[19] << 8));
    if (Crc16Modbus(block, 18) != crc) return Fail(UpdateResult::BadCrc, number);
    image_.insert(image_.end(), block + 2, block + 2 + kBlockData);
    ++status_.blocks;
  }
  // Only the last report of an image may carry fewer than three blocks.
  if (count < 3) lastDataSeen_ = true;
  return UpdateResult::Ok;
}

UpdateResult FirmwareUpdater::End() {
  if (status_.phase == UpdateStatus::Phase::Failed) return status_.lastError;
  if (status_.phase != UpdateStatus::Phase::Receiving || status_.blocks == 0)
    return UpdateResult::NotStarted;
  status_.phase = UpdateStatus::Phase::Installed;
  status_.imageBytes = static_cast<std::uint32_t>(image_.size());
  status_.imageCrc = Crc16Modbus(image_.data(), image_.size());
  ++status_.installs;
  image_.clear();
  return UpdateResult::Ok;
}

}  // namespace korvex::sim

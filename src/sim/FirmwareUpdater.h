#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "sim/MouseFirmware.h"

namespace korvex::sim {

// CRC-16/MODBUS: reflected polynomial 0xA001, initial 0xFFFF, no final XOR.
std::uint16_t Crc16Modbus(const std::uint8_t* data, std::size_t length);

// Outcome of the firmware transfer, also byte 1 of the update interface's
// answer to every report.
enum class UpdateResult : std::uint8_t {
  Ok = 0,          // the report was taken (or, after end, the image was installed)
  BadCrc = 1,
  BadOrder = 2,    // block number not the next one, or data after the last block
  NotStarted = 3,  // data or end without a start report
  Malformed = 4,   // wrong header, payload length or padding
  Offline = 5,     // a receiver whose mouse is away
};

const char* UpdateResultName(UpdateResult r);

struct UpdateStatus {
  enum class Phase : std::uint8_t { Idle, Receiving, Failed, Installed };
  Phase phase = Phase::Idle;
  UpdateResult lastError = UpdateResult::Ok;
  int blocks = 0;              // blocks taken in the current (or last) transfer
  int failedBlock = -1;        // block number that failed, -1 when none
  std::uint32_t imageBytes = 0;
  std::uint16_t imageCrc = 0;  // CRC-16/MODBUS of the installed image (padding included)
  int installs = 0;            // completed transfers since power-up
};

const char* UpdatePhaseName(UpdateStatus::Phase p);

// The update interface (report id 5, usage page 0xFFEF): start, data and end
// reports. Every report is answered with report 5: byte 1 the result, byte 2
// the kind (1 start, 2 end, 3 data, 0 unknown), bytes 3-4 the number of blocks
// taken so far. A failed transfer stays failed until the next start.
class FirmwareUpdater {
 public:
  // Returns true when this report completed an image (end after a clean
  // transfer); the caller installs it.
  bool HandleOutputReport(const std::uint8_t* data, std::size_t length, InputReport& reply);
  void AnswerOffline(const std::uint8_t* data, std::size_t length, InputReport& reply);

  const UpdateStatus& Status() const { return status_; }

 private:
  UpdateResult Start();
  UpdateResult Data(const std::uint8_t* payload, int length);
  UpdateResult End();
  UpdateResult Fail(UpdateResult why, int block);

  UpdateStatus status_;
  std::vector<std::uint8_t> image_;
  bool lastDataSeen_ = false;
};

}  // namespace korvex::sim

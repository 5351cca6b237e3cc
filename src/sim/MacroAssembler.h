#pragma once
#include <cstdint>
#include <vector>

#include "sim/FrameStatus.h"

namespace korvex::sim {

// Puts a button's macro stream back together from command 0x08 packets.
// Packet i of P carries (i << 4) | P in its sequence byte; every packet but
// the last carries 27 bytes. Packets must arrive in order: a packet that does
// not continue the upload in progress is refused and drops that upload, a new
// packet 0 abandons an incomplete one. Nothing reaches flash until the last
// packet of a well-formed stream has arrived.
class MacroAssembler {
 public:
  struct Result {
    FrameStatus status = FrameStatus::Ok;
    bool complete = false;            // stream below is whole and valid
    std::vector<std::uint8_t> stream; // key code byte, then 4-byte events
  };

  // sequence = frame byte 3, length = frame byte 4, payload = frame bytes 5..31.
  Result Add(std::uint8_t sequence, std::uint8_t length, const std::uint8_t* payload);

  bool InProgress() const { return expected_ != 0; }
  void Clear();

  // A stream the mouse can play: one key code below 9, then whole events of
  // known codes.
  static bool IsValidStream(const std::vector<std::uint8_t>& stream);

 private:
  Result Finish();

  int expected_ = 0;  // packet count of the upload in progress, 0 = none
  int next_ = 0;      // index of the packet that must come next
  std::vector<std::uint8_t> buffer_;
};

}  // namespace korvex::sim

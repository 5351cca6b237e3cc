#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "transport/HidBackend.h"

namespace korvex::vmouse {

// Messages between korvex-vmouse and its clients on the Unix socket. Each
// message on the stream is a 32-bit little-endian body length followed by the
// body; a length above kMaxMessageLength is refused. The body layout is the
// same for every type:
//   u8 type, u32 id, u64 handle, i32 value, i64 time,
//   u16 n + n bytes,
//   u16 n + n texts (u16 length + UTF-8 bytes each),
//   u16 n + n interfaces (text path, u16 vid, pid, release, usage page,
//                         usage, i32 interface number, text product),
//   u8 event kind, text event path, u16 vid, u16 pid, i32 interface number.
// A body that is shorter or longer than its fields say is malformed.
constexpr std::uint32_t kMaxMessageLength = 64 * 1024;

enum class MessageType : std::uint8_t {
  Enumerate = 1,   // client: list interfaces            -> Interfaces
  Interfaces = 2,
  Open = 3,        // client: texts[0] = path            -> Opened (handle 0: failed; texts[0] product,
                   //   bytes = the interface's report descriptor)
  Opened = 4,
  Close = 5,       // client: handle; no answer
  Write = 6,       // client: handle, bytes              -> Written (value = result,
                   //   time = when the writer may return: its endpoint has room)
  Written = 7,
  Input = 8,       // daemon: an input report for handle, readable from time on
  Gone = 9,        // daemon: handle's device was unplugged
  Watch = 10,      // client: value 1 = send events, 0 = stop; no answer
  Event = 11,      // daemon: arrival or removal
  Control = 12,    // client: texts = command words      -> ControlReply
  ControlReply = 13,  // value 0 = done, 1 = refused; texts[0] = output
  Error = 14,      // daemon: texts[0] says why before it drops a client
};

struct WireMessage {
  MessageType type = MessageType::Error;
  std::uint32_t id = 0;       // request id, echoed in the answer; 0 for pushes
  std::uint64_t handle = 0;
  std::int32_t value = 0;
  std::int64_t time = 0;      // CLOCK_MONOTONIC nanoseconds (Written, Input)
  std::vector<std::uint8_t> bytes;
  std::vector<std::string> texts;
  std::vector<HidInterfaceInfo> interfaces;
  HidDeviceEvent event;
};

// Appends length prefix and body to out. False (out unchanged) when a field
// does not fit its width or the body would exceed kMaxMessageLength.
bool EncodeMessage(const WireMessage& message, std::vector<std::uint8_t>& out);

// Decodes one body (without its length prefix). False on any inconsistency.
bool DecodeMessage(const std::uint8_t* body, std::size_t length, WireMessage& out);

}  // namespace korvex::vmouse

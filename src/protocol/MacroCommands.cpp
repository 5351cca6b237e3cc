#include "protocol/MacroCommands.h"

#include <algorithm>
#include <cstring>

#include "platform/Log.h"
#include "protocol/Frames.h"
#include "protocol/KeyUsage.h"

namespace korvex {
namespace {

constexpr std::size_t kChunk = ReportFrame::kPayloadSize;
constexpr std::size_t kSinglePacketBytes = 25;

// Sums beyond 65.535 s keep the longest delay the field holds instead of
// wrapping round to a short one; nothing below 1 ms is sent between events.
void StoreDelay(std::vector<std::uint8_t>& out, long long delay) {
  const long long ms = std::clamp<long long>(delay, 1, 0xFFFF);
  const std::size_t at = out.size() - kMacroEventBytes;
  out[at + 1] = static_cast<std::uint8_t>(ms & 0xFF);
  out[at + 2] = static_cast<std::uint8_t>((ms >> 8) & 0xFF);
}

bool AppendEvent(std::vector<std::uint8_t>& out, const MacroItem& item) {
  std::uint8_t code = 0;
  int data = 0;
  switch (item.type) {
    case kMacroKeyPress:
    case kMacroKeyRelease: {
      const bool press = item.type == kMacroKeyPress;
      if (IsModifierKeyCode(item.value)) {
        code = press ? 0x20 : 0xA0;
        data = ModifierBitOf(item.value);
      } else {
        code = press ? 0x30 : 0xB0;
        data = VirtualKeyToUsage(item.value);
      }
      break;
    }
    case kMacroMousePress: code = 0x10; data = item.value; break;
    case kMacroMouseRelease: code = 0x90; data = item.value; break;
    default: return false;
  }
  out.insert(out.end(), {code, 0x01, 0x00, static_cast<std::uint8_t>(data & 0xFF)});
  return true;
}

}  // namespace

int EncodeMacroEvents(const std::vector<MacroItem>& records, std::vector<std::uint8_t>& out) {
  out.clear();
  long long pending = 0;
  bool written = false;
  for (std::size_t i = 0; i < records.size(); ++i) {
    const MacroItem& item = records[i];
    if (item.type == kMacroDelay) {
      pending += item.value;
      if (i + 1 == records.size() && written) StoreDelay(out, pending);
      continue;
    }
    if (written) {
      StoreDelay(out, pending);
      pending = 0;
    }
    if (AppendEvent(out, item)) written = true;
  }
  return static_cast<int>(out.size() / kMacroEventBytes);
}

std::vector<std::uint8_t> BuildMacroStream(int keyCode, const std::vector<MacroItem>& records) {
  std::vector<std::uint8_t> events;
  EncodeMacroEvents(records, events);
  std::vector<std::uint8_t> stream;
  stream.reserve(events.size() + 1);
  stream.push_back(static_cast<std::uint8_t>(keyCode & 0xFF));
  stream.insert(stream.end(), events.begin(), events.end());
  return stream;
}

int SplitMacroStream(const std::vector<std::uint8_t>& stream, std::vector<ReportFrame>& out) {
  out.clear();
  const std::size_t length = stream.size();
  if (length <= kSinglePacketBytes) {
    ReportFrame frame = MakeWriteFrame(Command::MacroData, static_cast<std::uint8_t>(length));
    std::copy(stream.begin(), stream.end(), frame.bytes.begin() + ReportFrame::kPayloadOffset);
    frame.StoreChecksum();
    out.push_back(frame);
    return 1;
  }
  const std::size_t packets = (length + kChunk - 1) / kChunk;
  if (packets > static_cast<std::size_t>(kMaxMacroPackets)) {
    LogLine(2, "0x08: macro of %zu events needs %zu reports, more than the %d the mouse can order; not sent",
            (length - 1) / kMacroEventBytes, packets, kMaxMacroPackets);
    return 0;
  }
  ReportFrame frame;  // reused without clearing, as the mouse has always received it
  frame[1] = CommandByte(Command::MacroData);
  for (std::size_t i = 0; i < packets; ++i) {
    const std::size_t begin = i * kChunk;
    const std::size_t size = std::min(kChunk, length - begin);
    frame[3] = static_cast<std::uint8_t>((i << 4) | packets);
    frame[4] = static_cast<std::uint8_t>(size);
    std::memcpy(frame.data() + ReportFrame::kPayloadOffset, stream.data() + begin, size);
    frame.StoreChecksum();
    out.push_back(frame);
  }
  return static_cast<int>(out.size());
}

std::string MacroStreamHex(const std::vector<std::uint8_t>& stream) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string text;
  text.reserve(stream.size() * 2);
  for (std::uint8_t b : stream) {
    text.push_back(kDigits[b >> 4]);
    text.push_back(kDigits[b & 0x0F]);
  }
  return text;
}

int BuildMacroReports(int keyCode, const std::vector<MacroItem>& records, std::vector<ReportFrame>& out) {
  return SplitMacroStream(BuildMacroStream(keyCode, records), out);
}

}  // namespace korvex

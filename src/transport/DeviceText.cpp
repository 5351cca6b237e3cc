#include "transport/DeviceText.h"

namespace korvex {
namespace {

bool IsContinuationByte(char c) {
  return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

}  // namespace

std::size_t Utf8Length(const std::string& text) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    // A continuation byte with no lead byte before it still counts.
    if (!IsContinuationByte(text[i]) || i == 0) ++count;
  }
  return count;
}

std::string TruncateUtf8(const std::string& text, std::size_t maxChars) {
  std::size_t count = 0;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (IsContinuationByte(text[i]) && i != 0) continue;
    if (count == maxChars) return text.substr(0, i);
    ++count;
  }
  return text;
}

std::string DeviceIdFromReply(const ReportBuffer& reply) {
  std::string id;
  for (std::size_t i = 4; i < 8 && reply[i] != 0; ++i) {
    id.push_back(static_cast<char>(reply[i]));
  }
  return id;
}

}  // namespace korvex

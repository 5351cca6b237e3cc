#include "sim/HexText.h"

namespace korvex::sim {
namespace {

int Digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string ToHex(const std::uint8_t* data, std::size_t length, bool spaced) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(length * 3);
  for (std::size_t i = 0; i < length; ++i) {
    if (spaced && i > 0) out.push_back(' ');
    out.push_back(kDigits[data[i] >> 4]);
    out.push_back(kDigits[data[i] & 0x0F]);
  }
  return out;
}

bool FromHex(const std::string& text, std::vector<std::uint8_t>& out) {
  out.clear();
  int high = -1;
  for (char c : text) {
    if (c == ' ' || c == '\t') {
      if (high >= 0) return false;
      continue;
    }
    const int d = Digit(c);
    if (d < 0) return false;
    if (high < 0) {
      high = d;
    } else {
      out.push_back(static_cast<std::uint8_t>((high << 4) | d));
      high = -1;
    }
  }
  return high < 0;
}

}  // namespace korvex::sim

#include "catalogue/ColourText.h"

#include <algorithm>

namespace korvex {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a piece of at most two characters the way strtol with base 16 would:
// leading hexadecimal digits only, nothing readable gives 0.
std::uint32_t HexPiece(std::string_view piece) {
  std::uint32_t value = 0;
  for (char c : piece) {
    int digit = HexDigit(c);
    if (digit < 0) break;
    value = value * 16 + static_cast<std::uint32_t>(digit);
  }
  return value;
}

}  // namespace

ColourRef ParseColourText(std::string_view text) {
  if (text.empty()) return 0;
  std::string_view rest = text.substr(1);
  if (rest.size() < 2 || rest.size() > 6) return 0;
  std::uint32_t red = HexPiece(rest.substr(0, 2));
  std::uint32_t green = HexPiece(rest.substr(2, std::min<size_t>(2, rest.size() - 2)));
  std::uint32_t blue = rest.size() > 4 ? HexPiece(rest.substr(4)) : 0;
  return red + green * 256 + blue * 65536;
}

}  // namespace korvex

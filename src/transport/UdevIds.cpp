#include "transport/UdevIds.h"

#include <cstring>

namespace korvex {
namespace {

// Parses one to eight hex digits; false on anything else.
bool ParseHex(const char* begin, const char* end, unsigned long& value) {
  if (begin == end || end - begin > 8) return false;
  value = 0;
  for (const char* p = begin; p != end; ++p) {
    const char c = *p;
    int digit;
    if (c >= '0' && c <= '9') {
      digit = c - '0';
    } else if (c >= 'a' && c <= 'f') {
      digit = c - 'a' + 10;
    } else if (c >= 'A' && c <= 'F') {
      digit = c - 'A' + 10;
    } else {
      return false;
    }
    value = value * 16 + static_cast<unsigned long>(digit);
  }
  return true;
}

}  // namespace

bool ParseHidId(const char* hidId, std::uint16_t& vendorId, std::uint16_t& productId) {
  if (!hidId) return false;
  const char* first = std::strchr(hidId, ':');
  if (!first) return false;
  const char* second = std::strchr(first + 1, ':');
  if (!second) return false;
  unsigned long vendor = 0;
  unsigned long product = 0;
  if (!ParseHex(first + 1, second, vendor)) return false;
  if (!ParseHex(second + 1, second + 1 + std::strlen(second + 1), product)) return false;
  if (vendor > 0xFFFF || product > 0xFFFF) return false;
  vendorId = static_cast<std::uint16_t>(vendor);
  productId = static_cast<std::uint16_t>(product);
  return true;
}

int ParseInterfaceNumber(const char* attribute) {
  if (!attribute) return -1;
  const char* end = attribute + std::strlen(attribute);
  while (end != attribute && (end[-1] == '\n' || end[-1] == ' ')) --end;
  unsigned long value = 0;
  if (!ParseHex(attribute, end, value) || value > 0xFF) return -1;
  return static_cast<int>(value);
}

int InterfaceFromPhys(const char* phys) {
  if (!phys) return -1;
  const char* marker = std::strstr(phys, "/input");
  if (!marker) return -1;
  const char* digits = marker + 6;
  int value = 0;
  int count = 0;
  for (; *digits >= '0' && *digits <= '9' && count < 3; ++digits, ++count) {
    value = value * 10 + (*digits - '0');
  }
  if (count == 0 || (*digits >= '0' && *digits <= '9')) return -1;
  return value;
}

}  // namespace korvex

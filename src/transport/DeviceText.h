#pragma once
#include <cstddef>
#include <string>

#include "transport/HidInterfaceEntry.h"

namespace korvex {

// Number of characters (code points) in UTF-8 text; stray bytes count as one.
std::size_t Utf8Length(const std::string& text);

// The first maxChars characters of UTF-8 text, never splitting a character.
std::string TruncateUtf8(const std::string& text, std::size_t maxChars);

// The device id of a device-information reply: bytes 4 to 7, up to the first
// zero byte.
std::string DeviceIdFromReply(const ReportBuffer& reply);

}  // namespace korvex

#pragma once
// Text-file decoding for the language files: UTF-16 (either byte order) by
// its byte-order mark, otherwise UTF-8 with an optional mark. Invalid bytes
// become U+FFFD and NULs end nothing, they are dropped.

#include <string>
#include <string_view>

namespace korvex {

std::string DecodeTextFile(std::string_view bytes);

// The first `maxChars` characters of UTF-8 text, never splitting one.
std::string CutToCharacters(std::string_view utf8, size_t maxChars);

}  // namespace korvex

#pragma once
// The text conversions the XML files, the language files and the HID
// product strings share: one UTF-8 encoder and one UTF-16 decoder.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvex::text {

inline constexpr char32_t kReplacement = 0xFFFD;

// Appends one code point as UTF-8. Surrogate halves and values above
// U+10FFFF are not characters: they become U+FFFD and the result is false.
bool AppendUtf8(std::string& out, char32_t codePoint);

// UTF-16 bytes in either byte order to UTF-8. A high and a low surrogate
// make one character; a lone half becomes U+FFFD (*lossy set); an odd last
// byte is dropped (*truncated set). NUL characters are kept for the caller
// to judge.
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool* lossy = nullptr,
                        bool* truncated = nullptr);

}  // namespace korvex::text

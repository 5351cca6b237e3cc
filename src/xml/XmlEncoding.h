#pragma once
// Byte-level text conversions used when XML files are read and written.
// Everything in memory is UTF-8; files may be UTF-8, UTF-16 (either byte
// order), Windows-1252, ISO-8859-1 or anything the C library's iconv knows.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvex::xml {

enum class TextEncoding { Utf8, Utf16Le, Utf16Be, Windows1252, Latin1, Other };

// Maps an encoding name ("UTF-8", "utf-16", "windows-1252", ...) to one of
// the encodings converted here; anything unknown is Other.
TextEncoding EncodingFromName(std::string_view name);

void AppendUtf8(std::string& out, uint32_t codePoint);

bool IsValidUtf8(std::string_view bytes);

// Copies UTF-8, replacing every invalid byte with U+FFFD and dropping NULs.
// `lossy` is set when a byte was replaced, `nulls` when a NUL was dropped.
std::string CleanUtf8(std::string_view bytes, bool& lossy, bool& nulls);

// UTF-16 without a byte-order mark; lone surrogates become U+FFFD and an odd
// trailing byte is dropped (`truncated`).
std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& lossy, bool& truncated);
std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian);

std::string SingleByteToUtf8(std::string_view bytes, TextEncoding encoding);
// Characters the code page lacks become '?' and set `lossy`.
std::string Utf8ToSingleByte(std::string_view utf8, TextEncoding encoding, bool& lossy);

// Conversion through iconv for declared encodings not handled above (GBK,
// Shift_JIS, ...). False when iconv does not know the name.
bool IconvToUtf8(const std::string& fromName, std::string_view bytes, std::string& out, bool& lossy);
bool IconvFromUtf8(const std::string& toName, std::string_view utf8, std::string& out, bool& lossy);

// Decodes one UTF-8 sequence at `pos` of already valid UTF-8 and advances.
uint32_t NextCodePoint(std::string_view utf8, size_t& pos);

}  // namespace korvex::xml

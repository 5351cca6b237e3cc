#pragma once
// Turning file bytes into document text and back, with the encoding rules of
// XML files: byte-order mark first, then the declaration's encoding, then
// "starts with '<' means UTF-8", then a UTF-8 validity test with
// Windows-1252 as the single-byte fallback.

#include <string>
#include <string_view>
#include <vector>

namespace korvex::xml {

// The `encoding` named by an XML declaration within the first 1024 bytes;
// empty when there is none.
std::string DeclaredEncodingName(std::string_view bytes);

// Converts file bytes to UTF-8 text without NUL characters. `notes` receives
// diagnostic names ("converted_from", "endian_swap", "utf8_detection",
// "nulls_removed", "conversion_loss", "truncation_error").
std::string DecodeXmlBytes(std::string_view bytes, std::vector<const char*>& notes);

// Converts document text to the bytes of its declared encoding, no BOM.
std::string EncodeXmlText(const std::string& text, std::vector<const char*>& notes);

// Reads a regular file whole; false when it cannot be opened or read or is
// larger than `maxSize`.
bool ReadFileBytes(const std::string& path, std::string& out, size_t maxSize);

// Writes through a temporary file in the same folder and renames it over
// `path`, so an interrupted write never leaves a half-written file.
bool WriteFileReplacing(const std::string& path, std::string_view bytes);

}  // namespace korvex::xml

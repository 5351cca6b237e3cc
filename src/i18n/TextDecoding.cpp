#include "i18n/TextDecoding.h"

#include <cstdint>

#include "text/Utf.h"

namespace korvex {
namespace {

constexpr uint32_t kReplacement = 0xFFFD;

void Append(std::string& out, uint32_t cp) {
  if (cp != 0) text::AppendUtf8(out, cp);
}

// NULs end nothing in a language file: they are dropped.
std::string FromUtf16(std::string_view bytes, bool bigEndian) {
  std::string out = text::Utf16ToUtf8(bytes, bigEndian);
  std::erase(out, '\0');
  return out;
}

// Length of a valid UTF-8 sequence at i, 0 when invalid.
size_t SequenceLength(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    lo = c == 0xE0 ? 0xA0 : 0x80;
    hi = c == 0xED ? 0x9F : 0xBF;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    lo = c == 0xF0 ? 0x90 : 0x80;
    hi = c == 0xF4 ? 0x8F : 0xBF;
  } else {
    return 0;
  }
  if (s.size() - i < n) return 0;
  for (size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (b < (k == 1 ? lo : 0x80) || b > (k == 1 ? hi : 0xBF)) return 0;
  }
  return n;
}

std::string FromUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (size_t i = 0; i < bytes.size();) {
    const size_t n = SequenceLength(bytes, i);
    if (n == 0) {
      Append(out, kReplacement);
      ++i;
    } else {
      if (bytes[i] != '\0') out.append(bytes.substr(i, n));
      i += n;
    }
  }
  return out;
}

}  // namespace

std::string DecodeTextFile(std::string_view bytes) {
  if (bytes.substr(0, 2) == "\xFF\xFE") return FromUtf16(bytes.substr(2), false);
  if (bytes.substr(0, 2) == "\xFE\xFF") return FromUtf16(bytes.substr(2), true);
  if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return FromUtf8(bytes);
}

std::string CutToCharacters(std::string_view utf8, size_t maxChars) {
  size_t pos = 0;
  for (size_t count = 0; pos < utf8.size() && count < maxChars; ++count) {
    ++pos;
    while (pos < utf8.size() && (static_cast<unsigned char>(utf8[pos]) & 0xC0) == 0x80) ++pos;
  }
  return std::string(utf8.substr(0, pos));
}

}  // namespace korvex

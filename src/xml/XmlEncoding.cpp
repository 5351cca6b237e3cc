#include "xml/XmlEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cctype>
#include <vector>

#include "text/Utf.h"

namespace korvex::xml {
namespace {

// Windows-1252 bytes 0x80..0x9F; the five holes keep their C1 code points,
// as the system converter does.
constexpr uint16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr uint32_t kReplacement = 0xFFFD;

// Length of the valid UTF-8 sequence starting at i, 0 when it is invalid
// (overlong forms, surrogates and values above U+10FFFF included).
size_t SequenceLength(std::string_view s, size_t i) {
  const auto c = static_cast<unsigned char>(s[i]);
  if (c < 0x80) return 1;
  size_t n = 0;
  unsigned char lo = 0x80, hi = 0xBF;
  if (c >= 0xC2 && c <= 0xDF) {
    n = 2;
  } else if (c >= 0xE0 && c <= 0xEF) {
    n = 3;
    if (c == 0xE0) lo = 0xA0;
    if (c == 0xED) hi = 0x9F;
  } else if (c >= 0xF0 && c <= 0xF4) {
    n = 4;
    if (c == 0xF0) lo = 0x90;
    if (c == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  if (s.size() - i < n) return 0;
  const auto second = static_cast<unsigned char>(s[i + 1]);
  if (second < lo || second > hi) return 0;
  for (size_t k = 2; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if (b < 0x80 || b > 0xBF) return 0;
  }
  return n;
}

std::string Normalised(std::string_view name) {
  std::string out;
  for (char ch : name) {
    if (ch == '-' || ch == '_' || ch == ' ') continue;
    out.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(ch))));
  }
  return out;
}

int Cp1252ByteFor(uint32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<int>(cp);
  for (int k = 0; k < 32; ++k) {
    if (kCp1252High[k] == cp) return 0x80 + k;
  }
  return -1;
}

bool RunIconv(iconv_t cd, std::string_view in, std::string& out, bool& lossy, bool toUtf8) {
  out.clear();
  std::vector<char> buffer(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  size_t srcLeft = in.size();
  while (srcLeft > 0) {
    char* dst = buffer.data();
    size_t dstLeft = buffer.size();
    const size_t rc = iconv(cd, &src, &srcLeft, &dst, &dstLeft);
    out.append(buffer.data(), buffer.size() - dstLeft);
    if (rc != static_cast<size_t>(-1)) break;
    if (errno == E2BIG) continue;
    // EILSEQ or an incomplete sequence: skip one byte and mark the loss.
    lossy = true;
    if (toUtf8) {
      AppendUtf8(out, kReplacement);
    } else {
      out.push_back('?');
    }
    if (errno == EINVAL) break;
    // Skip the whole offending character: a byte in the input encoding, a
    // full UTF-8 sequence when converting from UTF-8.
    size_t at = static_cast<size_t>(src - in.data());
    const size_t from = at;
    if (toUtf8) {
      ++at;
    } else {
      NextCodePoint(in, at);
    }
    src += at - from;
    srcLeft -= at - from;
    iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  return true;
}

}  // namespace

TextEncoding EncodingFromName(std::string_view name) {
  const std::string n = Normalised(name);
  if (n == "utf8") return TextEncoding::Utf8;
  if (n == "utf16" || n == "utf16le" || n == "ucs2" || n == "unicode") return TextEncoding::Utf16Le;
  if (n == "utf16be" || n == "unicodefffe") return TextEncoding::Utf16Be;
  if (n == "windows1252" || n == "cp1252" || n == "ansi") return TextEncoding::Windows1252;
  if (n == "iso88591" || n == "latin1" || n == "l1" || n == "usascii" || n == "ascii") {
    return TextEncoding::Latin1;
  }
  return TextEncoding::Other;
}

void AppendUtf8(std::string& out, uint32_t cp) { text::AppendUtf8(out, cp); }

bool IsValidUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    const size_t n = SequenceLength(bytes, i);
    if (n == 0) return false;
    i += n;
  }
  return true;
}

std::string CleanUtf8(std::string_view bytes, bool& lossy, bool& nulls) {
  std::string out;
  out.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    // Copy runs of plain ASCII in one go; they are the bulk of any document.
    size_t run = i;
    while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) - 1u < 0x7Fu) ++run;
    out.append(bytes.data() + i, run - i);
    i = run;
    if (i >= bytes.size()) break;
    if (bytes[i] == '\0') {
      nulls = true;
      ++i;
      continue;
    }
    const size_t n = SequenceLength(bytes, i);
    if (n == 0) {
      lossy = true;
      AppendUtf8(out, kReplacement);
      ++i;
    } else {
      out.append(bytes.data() + i, n);
      i += n;
    }
  }
  return out;
}

std::string Utf16ToUtf8(std::string_view bytes, bool bigEndian, bool& lossy, bool& truncated) {
  return text::Utf16ToUtf8(bytes, bigEndian, &lossy, &truncated);
}

uint32_t NextCodePoint(std::string_view s, size_t& pos) {
  const size_t n = SequenceLength(s, pos);
  if (n == 0) {
    ++pos;
    return kReplacement;
  }
  auto byte = [&](size_t k) { return static_cast<uint32_t>(static_cast<unsigned char>(s[pos + k])); };
  uint32_t cp = 0;
  switch (n) {
    case 1: cp = byte(0); break;
    case 2: cp = (byte(0) & 0x1F) << 6 | (byte(1) & 0x3F); break;
    case 3: cp = (byte(0) & 0x0F) << 12 | (byte(1) & 0x3F) << 6 | (byte(2) & 0x3F); break;
    default:
      cp = (byte(0) & 0x07) << 18 | (byte(1) & 0x3F) << 12 | (byte(2) & 0x3F) << 6 | (byte(3) & 0x3F);
  }
  pos += n;
  return cp;
}

std::string Utf8ToUtf16(std::string_view utf8, bool bigEndian) {
  std::string out;
  out.reserve(utf8.size() * 2);
  auto put = [&](uint32_t unit) {
    const char hi = static_cast<char>(unit >> 8);
    const char lo = static_cast<char>(unit & 0xFF);
    out.push_back(bigEndian ? hi : lo);
    out.push_back(bigEndian ? lo : hi);
  };
  size_t pos = 0;
  while (pos < utf8.size()) {
    const uint32_t cp = NextCodePoint(utf8, pos);
    if (cp >= 0x10000) {
      put(0xD800 + ((cp - 0x10000) >> 10));
      put(0xDC00 + ((cp - 0x10000) & 0x3FF));
    } else {
      put(cp);
    }
  }
  return out;
}

std::string SingleByteToUtf8(std::string_view bytes, TextEncoding encoding) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 2);
  for (char ch : bytes) {
    const auto b = static_cast<unsigned char>(ch);
    if (b == 0) continue;
    if (encoding == TextEncoding::Windows1252 && b >= 0x80 && b <= 0x9F) {
      AppendUtf8(out, kCp1252High[b - 0x80]);
    } else {
      AppendUtf8(out, b);
    }
  }
  return out;
}

std::string Utf8ToSingleByte(std::string_view utf8, TextEncoding encoding, bool& lossy) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const uint32_t cp = NextCodePoint(utf8, pos);
    int b = -1;
    if (encoding == TextEncoding::Windows1252) {
      b = Cp1252ByteFor(cp);
    } else if (cp <= 0xFF) {
      b = static_cast<int>(cp);
    }
    if (b < 0) {
      lossy = true;
      b = '?';
    }
    out.push_back(static_cast<char>(b));
  }
  return out;
}

bool IconvToUtf8(const std::string& fromName, std::string_view bytes, std::string& out, bool& lossy) {
  iconv_t cd = iconv_open("UTF-8", fromName.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  RunIconv(cd, bytes, out, lossy, true);
  iconv_close(cd);
  return true;
}

bool IconvFromUtf8(const std::string& toName, std::string_view utf8, std::string& out, bool& lossy) {
  iconv_t cd = iconv_open(toName.c_str(), "UTF-8");
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  RunIconv(cd, utf8, out, lossy, false);
  iconv_close(cd);
  return true;
}

}  // namespace korvex::xml

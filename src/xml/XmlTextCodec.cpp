#include "xml/XmlTextCodec.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstring>

#include "xml/XmlEncoding.h"

namespace korvex::xml {
namespace {

constexpr size_t kDeclarationWindow = 1024;

bool IsSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string FromUtf8(std::string_view bytes, std::vector<const char*>& notes) {
  bool lossy = false;
  bool nulls = false;
  std::string text = CleanUtf8(bytes, lossy, nulls);
  if (lossy) notes.push_back("conversion_loss");
  if (nulls) notes.push_back("nulls_removed");
  return text;
}

// Converted text may still carry NULs (from UTF-16 or a code page).
std::string DropNulls(std::string text, std::vector<const char*>& notes) {
  const size_t before = text.size();
  std::erase(text, '\0');
  if (text.size() != before) notes.push_back("nulls_removed");
  return text;
}

std::string FromUtf16(std::string_view bytes, bool bigEndian, std::vector<const char*>& notes) {
  bool lossy = false;
  bool truncated = false;
  std::string text = Utf16ToUtf8(bytes, bigEndian, lossy, truncated);
  notes.push_back("converted_from");
  if (bigEndian) notes.push_back("endian_swap");
  if (lossy) notes.push_back("conversion_loss");
  if (truncated) notes.push_back("truncation_error");
  return DropNulls(std::move(text), notes);
}

bool FromDeclared(std::string_view bytes, std::vector<const char*>& notes, std::string& text) {
  const std::string name = DeclaredEncodingName(bytes);
  if (name.empty()) return false;
  switch (EncodingFromName(name)) {
    case TextEncoding::Utf8:
    // A UTF-16 declaration that could be read byte by byte is not UTF-16.
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      text = FromUtf8(bytes, notes);
      return true;
    case TextEncoding::Windows1252:
    case TextEncoding::Latin1:
      text = DropNulls(SingleByteToUtf8(bytes, EncodingFromName(name)), notes);
      notes.push_back("converted_from");
      return true;
    case TextEncoding::Other: {
      bool lossy = false;
      std::string converted;
      if (!IconvToUtf8(name, bytes, converted, lossy)) return false;
      notes.push_back("converted_from");
      if (lossy) notes.push_back("conversion_loss");
      bool nulls = false;
      text = CleanUtf8(converted, lossy, nulls);
      if (nulls) notes.push_back("nulls_removed");
      return true;
    }
  }
  return false;
}

}  // namespace

std::string DeclaredEncodingName(std::string_view bytes) {
  const std::string_view window = bytes.substr(0, kDeclarationWindow);
  const size_t start = window.find("<?xml");
  if (start == std::string_view::npos) return {};
  size_t end = window.find("?>", start);
  if (end == std::string_view::npos) end = window.size();
  const std::string_view decl = window.substr(start, end - start);
  size_t pos = decl.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos += 8;
  while (pos < decl.size() && IsSpace(decl[pos])) ++pos;
  if (pos >= decl.size() || decl[pos] != '=') return {};
  ++pos;
  while (pos < decl.size() && IsSpace(decl[pos])) ++pos;
  if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\'')) return {};
  const size_t close = decl.find(decl[pos], pos + 1);
  if (close == std::string_view::npos) return {};
  return std::string(decl.substr(pos + 1, close - pos - 1));
}

std::string DecodeXmlBytes(std::string_view bytes, std::vector<const char*>& notes) {
  auto starts = [&](std::string_view mark) { return bytes.substr(0, mark.size()) == mark; };
  if (starts("\xEF\xBB\xBF")) return FromUtf8(bytes.substr(3), notes);
  if (starts("\xFF\xFE")) return FromUtf16(bytes.substr(2), false, notes);
  if (starts("\xFE\xFF")) return FromUtf16(bytes.substr(2), true, notes);
  // UTF-16 without a mark, as written by SaveFile: '<' followed or preceded by 0.
  if (starts(std::string_view("<\0", 2))) return FromUtf16(bytes, false, notes);
  if (starts(std::string_view("\0<", 2))) return FromUtf16(bytes, true, notes);
  std::string text;
  if (FromDeclared(bytes, notes, text)) return text;
  if (starts("<")) return FromUtf8(bytes, notes);
  notes.push_back("utf8_detection");
  if (IsValidUtf8(bytes)) return FromUtf8(bytes, notes);
  notes.push_back("converted_from");
  return DropNulls(SingleByteToUtf8(bytes, TextEncoding::Windows1252), notes);
}

std::string EncodeXmlText(const std::string& text, std::vector<const char*>& notes) {
  const std::string name = DeclaredEncodingName(text);
  if (name.empty()) return text;
  const TextEncoding encoding = EncodingFromName(name);
  bool lossy = false;
  std::string bytes;
  switch (encoding) {
    case TextEncoding::Utf8:
      return text;
    case TextEncoding::Utf16Le:
    case TextEncoding::Utf16Be:
      bytes = Utf8ToUtf16(text, encoding == TextEncoding::Utf16Be);
      break;
    case TextEncoding::Windows1252:
    case TextEncoding::Latin1:
      bytes = Utf8ToSingleByte(text, encoding, lossy);
      break;
    case TextEncoding::Other:
      // Unknown to iconv as well: the text stays UTF-8, which is also how
      // such a file is read back.
      if (!IconvFromUtf8(name, text, bytes, lossy)) return text;
      break;
  }
  notes.push_back("converted_to");
  if (lossy) notes.push_back("conversion_loss");
  return bytes;
}

bool ReadFileBytes(const std::string& path, std::string& out, size_t maxSize) {
  out.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && static_cast<size_t>(st.st_size) <= maxSize;
  if (ok) {
    out.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (ok && done < out.size()) {
      const ssize_t n = ::read(fd, out.data() + done, out.size() - done);
      if (n < 0 && errno == EINTR) continue;
      if (n <= 0) break;  // the file shrank while being read
      done += static_cast<size_t>(n);
    }
    out.resize(done);
  }
  ::close(fd);
  if (!ok) out.clear();
  return ok;
}

bool WriteFileReplacing(const std::string& path, std::string_view bytes) {
  static std::atomic<unsigned> counter{0};
  const std::string temp = path + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
  const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  size_t done = 0;
  bool ok = true;
  while (ok && done < bytes.size()) {
    const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) done += static_cast<size_t>(n);
  }
  ok = ok && ::fsync(fd) == 0;
  ok = (::close(fd) == 0) && ok;
  ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
  if (!ok) ::unlink(temp.c_str());
  return ok;
}

}  // namespace korvex::xml

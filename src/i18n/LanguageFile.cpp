#include "i18n/LanguageFile.h"

#include <algorithm>
#include <cstdlib>

#include "i18n/TextDecoding.h"
#include "platform/AtomicFile.h"

namespace korvex {
namespace {

constexpr size_t kMaxFileSize = 8 << 20;

std::string_view Trim(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

bool EqualNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if ((a[i] | 0x20) != (b[i] | 0x20)) return false;
  }
  return true;
}

// A value in matching quotes loses them, as the INI readers do.
std::string_view Unquote(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

bool IsPlainNumber(const std::string& key) {
  if (key.empty() || key.size() > 9 || (key.size() > 1 && key[0] == '0')) return false;
  for (char c : key) {
    if (c < '0' || c > '9') return false;
  }
  return true;
}

}  // namespace

bool LanguageFile::Load(const std::string& path) {
  std::string bytes;
  if (ReadWholeFile(path, bytes, kMaxFileSize) != FileReadStatus::Ok) {
    texts_.clear();
    return false;
  }
  Parse(bytes);
  return true;
}

void LanguageFile::Parse(std::string_view bytes) {
  texts_.clear();
  const std::string text = DecodeTextFile(bytes);
  std::string_view rest(text);
  bool inSection = false;
  while (!rest.empty()) {
    const size_t end = rest.find('\n');
    std::string_view line = rest.substr(0, end);
    rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    line = Trim(line);
    if (line.empty() || line.front() == ';') continue;
    if (line.front() == '[') {
      const size_t close = line.find(']');
      inSection = close != std::string_view::npos && EqualNoCase(Trim(line.substr(1, close - 1)), "LAN");
      continue;
    }
    const size_t eq = line.find('=');
    if (!inSection || eq == std::string_view::npos) continue;
    const std::string key(Trim(line.substr(0, eq)));
    const std::string_view value = Unquote(Trim(line.substr(eq + 1)));
    texts_.emplace(key, CutToCharacters(value, kMaxTextLength));  // the first occurrence wins
  }
}

std::string LanguageFile::Text(int number) const {
  const auto it = texts_.find(std::to_string(number));
  return it == texts_.end() ? std::string() : it->second;
}

size_t LanguageFile::Numbers(std::vector<int>& out) const {
  out.clear();
  for (const auto& [key, value] : texts_) {
    if (IsPlainNumber(key)) out.push_back(std::atoi(key.c_str()));
  }
  std::sort(out.begin(), out.end());
  return out.size();
}

}  // namespace korvex

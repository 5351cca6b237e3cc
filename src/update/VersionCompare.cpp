#include "update/VersionCompare.h"

#include <cstdlib>
#include <vector>

namespace korvex {
namespace {

std::vector<std::string> Parts(const std::string& text) {
  std::vector<std::string> parts;
  std::size_t begin = 0;
  for (;;) {
    const std::size_t dot = text.find('.', begin);
    parts.push_back(text.substr(begin, dot == std::string::npos ? std::string::npos : dot - begin));
    if (dot == std::string::npos) return parts;
    begin = dot + 1;
  }
}

long PartValue(const std::string& part) { return std::strtol(part.c_str(), nullptr, 10); }

bool AllowedCharacter(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
         c == '-' || c == '_';
}

}  // namespace

int CompareVersions(const std::string& local, const std::string& remote) {
  const std::vector<std::string> mine = Parts(local);
  const std::vector<std::string> theirs = Parts(remote);
  if (mine.size() != theirs.size()) return 2;
  for (std::size_t i = 0; i < mine.size(); ++i) {
    const long a = PartValue(mine[i]);
    const long b = PartValue(theirs[i]);
    if (a > b) return -1;
    if (a < b) return 1;
  }
  return 0;
}

std::string AcceptVersionText(const std::string& answer, std::size_t maxLength) {
  const char* blanks = " \t\r\n";
  const std::size_t first = answer.find_first_not_of(blanks);
  if (first == std::string::npos) return {};
  const std::string text = answer.substr(first, answer.find_last_not_of(blanks) - first + 1);
  if (text.size() > maxLength || text.find("..") != std::string::npos) return {};
  for (char c : text)
    if (!AllowedCharacter(c)) return {};
  return text;
}

}  // namespace korvex

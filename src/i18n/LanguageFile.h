#pragma once
// One language file: an INI file whose section "LAN" maps text numbers
// ("1", "17", ...) to interface texts. Files may be UTF-8 with or without a
// byte-order mark, or UTF-16 with one. Texts longer than 259 characters are
// cut there.

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

class LanguageFile {
 public:
  static constexpr size_t kMaxTextLength = 259;

  // False when the file cannot be read; the texts are then empty.
  bool Load(const std::string& path);
  void Parse(std::string_view bytes);

  // The text of key `number` in section "LAN"; empty when absent.
  std::string Text(int number) const;
  // Every key of the section that is a plain decimal number, ascending.
  size_t Numbers(std::vector<int>& out) const;

 private:
  std::map<std::string, std::string> texts_;
};

}  // namespace korvex

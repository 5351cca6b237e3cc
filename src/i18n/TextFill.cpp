#include "i18n/TextFill.h"

#include <cctype>
#include <cstring>
#include <vector>

namespace korvex {

std::string FillText(std::string_view format, std::initializer_list<std::string_view> args) {
  const std::vector<std::string_view> values(args);
  size_t next = 0;
  std::string out;
  out.reserve(format.size() + 32);
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] != '%') {
      out += format[i];
      continue;
    }
    if (i + 1 < format.size() && format[i + 1] == '%') {
      out += '%';
      ++i;
      continue;
    }
    // Flags, width, precision and length, then the conversion letter.
    size_t j = i + 1;
    while (j < format.size() && format[j] != '\0' && std::strchr("-+ #0123456789.lhzjt", format[j]) != nullptr) ++j;
    if (j >= format.size() || !std::isalpha(static_cast<unsigned char>(format[j]))) {
      out += '%';  // not a field: kept as written
      continue;
    }
    if (next < values.size()) out += values[next];
    ++next;
    i = j;
  }
  return out;
}

}  // namespace korvex

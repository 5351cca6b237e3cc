#include "prefs/DesktopEntryText.h"

namespace korvex {
namespace {

bool IsReserved(char c) {
  static constexpr std::string_view kReserved = " \t\n\"'\\><~|&;$*?#()`";
  return kReserved.find(c) != std::string_view::npos;
}

bool NeedsQuotes(std::string_view argument) {
  if (argument.empty()) return true;
  for (char c : argument) {
    if (IsReserved(c) || c == '\r' || c == '=') return true;
  }
  return false;
}

}  // namespace

std::string EscapeDesktopString(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '\n': out += "\\n"; break;
      case '\t': out += "\\t"; break;
      case '\r': out += "\\r"; break;
      default: out += c;
    }
  }
  return out;
}

std::string QuoteExecArgument(std::string_view argument) {
  // First the Exec quoting, then the string escapes over the result: readers
  // undo them in the opposite order.
  std::string quoted;
  const bool quote = NeedsQuotes(argument);
  if (quote) quoted += '"';
  for (char c : argument) {
    if (quote && (c == '"' || c == '`' || c == '$' || c == '\\')) quoted += '\\';
    quoted += c;
    if (c == '%') quoted += '%';
  }
  if (quote) quoted += '"';
  return EscapeDesktopString(quoted);
}

}  // namespace korvex

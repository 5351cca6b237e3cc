#pragma once
// Writing values of a desktop entry file (.desktop), as desktop
// environments read them: string escapes, and the quoting of Exec arguments.

#include <string>
#include <string_view>

namespace korvex {

// A string value: backslash, line breaks and tabs escaped.
std::string EscapeDesktopString(std::string_view text);

// One argument of an Exec value, complete with the string escapes: quoted
// when it holds a reserved character (space, quote, '$', ...) or is empty,
// '%' doubled so that it is never taken for a field code.
std::string QuoteExecArgument(std::string_view argument);

}  // namespace korvex

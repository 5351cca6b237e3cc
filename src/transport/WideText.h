#pragma once
#include <string>

namespace korvex {

// UTF-8 of a zero-terminated wide string (UTF-32 on Linux). Code points that
// are not characters become U+FFFD.
std::string WideToUtf8(const wchar_t* text);

}  // namespace korvex

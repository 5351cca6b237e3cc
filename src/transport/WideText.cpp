#include "transport/WideText.h"

#include "text/Utf.h"

namespace korvex {

std::string WideToUtf8(const wchar_t* wide) {
  std::string out;
  if (!wide) return out;
  for (; *wide; ++wide) text::AppendUtf8(out, static_cast<char32_t>(*wide));
  return out;
}

}  // namespace korvex

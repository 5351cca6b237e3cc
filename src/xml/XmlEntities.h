#pragma once
// Character references in attribute values: decoding on read, escaping on
// write.

#include <cstdint>
#include <string>
#include <string_view>

namespace korvex::xml {

// Code point of a named character reference (the HTML 4.01 set plus "apos"),
// compared without regard to letter case; an exact-case match wins when two
// names differ only in case. -1 when the name is unknown.
int32_t LookupEntity(std::string_view name);

// Decodes "&#NNN;", "&#xHHH;" and "&name;"; everything else stays as written.
std::string DecodeAttributeValue(std::string_view raw);

// & < > ' " become &amp; &lt; &gt; &apos; &quot;.
std::string EscapeAttributeValue(std::string_view value);

}  // namespace korvex::xml

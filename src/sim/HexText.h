#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace korvex::sim {

// Upper-case hexadecimal, two digits a byte, separated by spaces when asked.
std::string ToHex(const std::uint8_t* data, std::size_t length, bool spaced);
// Reads pairs of hexadecimal digits, blanks between pairs allowed. False on
// any other character or an odd digit count.
bool FromHex(const std::string& text, std::vector<std::uint8_t>& out);

}  // namespace korvex::sim

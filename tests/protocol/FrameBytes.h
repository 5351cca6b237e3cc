#pragma once
#include <cstdint>
#include <vector>

#include "transport/ReportFrame.h"

namespace korvex::test {

using Bytes = std::vector<std::uint8_t>;

// Bytes [from, from + count) of a frame, for comparison with a literal.
inline Bytes Slice(const ReportFrame& frame, std::size_t from, std::size_t count) {
  return Bytes(frame.bytes.begin() + static_cast<std::ptrdiff_t>(from),
               frame.bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

inline bool AllZero(const ReportFrame& frame, std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i) {
    if (frame[i] != 0) return false;
  }
  return true;
}

// Checksum recomputed independently of ReportFrame's own helper.
inline std::uint8_t SumOfPayload(const ReportFrame& frame) {
  unsigned sum = 0;
  for (std::size_t i = 5; i <= 31; ++i) sum += frame[i];
  return static_cast<std::uint8_t>(sum);
}

}  // namespace korvex::test

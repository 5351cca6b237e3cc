#pragma once
// The play and recording-delay settings of a macro as the page's radios
// and fields carry them, with their clamps.

#include <string>

#include "store/StoreRecords.h"

namespace korvex {

// Radio positions: 0 first, 1 second, 2 third.
struct MacroRadios {
  int delayRadio = 1;           // no delay, measured, fixed
  std::string delayText = "10"; // the fixed delay field
  int playRadio = 2;            // held, toggled, a number of times
  std::string timesText = "1";  // the times field
};

inline constexpr int kMinFixedDelay = 1;
inline constexpr int kMaxFixedDelay = 10000;
inline constexpr int kDefaultFixedDelay = 10;

// Play counts are 1 to 999 for device types below 201, 1 to 255 above.
int MaxPlayTimes(int deviceType);
int ClampPlayTimes(long long typed, int deviceType);
int ClampFixedDelay(long long typed);

// A decimal number as the files and fields hold it: 0 for an empty or
// non-numeric text; out-of-range numbers saturate.
long long DecimalOf(const std::string& text);

// What the radios show for a stored macro (play_type 3 plays as 1).
MacroRadios RadiosOf(const MacroInfo& info);
// The stored macro with the radios' settings: delay_time only for the
// fixed delay (an empty field reads "10"), play_times only for a number of
// times (an empty field reads "1"), otherwise 0 and 1.
MacroInfo ApplyRadios(const MacroInfo& stored, const MacroRadios& radios);

}  // namespace korvex

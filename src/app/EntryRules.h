#pragma once
#include <vector>

namespace korvex {

// The rules the performance page applies to what the user enters; the
// command-line tool applies the same ones.

// A typed DPI value for the sensor: rounded down to the sensor's step, then
// limited to its range (values of 0 or below become the minimum).
int DpiEntryValue(int sensorCode, long long typed);

// Report-rate code of a rate in Hz, or 0 when the rate is not offered with
// this many choices (4: 125 to 1000 Hz; 7: up to 8000 Hz).
int ReportRateCodeOf(int hertz, int rateChoiceCount);
// Rate in Hz of a code; 0 for an unknown code.
int ReportRateHertzOf(int code);

// Sleep times offered, in minutes, and their stored value (tens of seconds).
const std::vector<int>& SleepMinutesOffered();
// The stored "sleep_light" value of a number of minutes; 0 when not offered.
int SleepValueOfMinutes(int minutes);

// Button response time limited to 0..20.
int ButtonResponseValue(long long typed);

}  // namespace korvex

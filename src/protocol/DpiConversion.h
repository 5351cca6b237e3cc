#pragma once

namespace korvex {

// Limits of one sensor code (device-information byte 10). The two texts go to
// the DPI slider as its maximum and step captions.
struct SensorLimits {
  int sensor;          // code, or -1 for the fallback row
  int dpiMin;
  int dpiMax;
  int sliderMax;       // highest slider position
  const char* maxText;
  const char* stepText;
};

// The row for this sensor; unknown codes get the fallback (50..26000).
const SensorLimits& SensorLimitsOf(int sensor);

// Stage value limited to the sensor's range before it is converted.
int ClampDpi(int sensor, int dpi);

// DPI value to the 16-bit register the DPI-stage command carries.
int DpiToRegister(int sensor, int dpi);
// Register read back from the mouse to a DPI value.
int RegisterToDpi(int sensor, int reg);
// DPI value to the DPI slider's position, and the slider's position back to a
// DPI value (limited to the sensor's maximum).
int DpiToSlider(int sensor, int dpi);
int SliderToDpi(int sensor, int position);

// Report-rate choices offered for the device-information capability byte
// (byte 11): 0x10 -> 5, 0x20 -> 6, 0x40 -> 7, otherwise 4.
int ReportRateChoiceCount(int capability);

// Report-rate codes in the order they are offered, with their captions.
struct ReportRateChoice {
  int code;
  int hertz;
  const char* text;
};
constexpr int kReportRateChoices = 7;
const ReportRateChoice& ReportRateChoiceAt(int index);  // index 0..6, clamped

}  // namespace korvex

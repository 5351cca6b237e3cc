#include "protocol/DpiConversion.h"

#include <algorithm>
#include <array>

namespace korvex {
namespace {

constexpr std::array<SensorLimits, 10> kSensors{{
    {4, 100, 8000, 80, "8000", "100"},
    {5, 50, 12000, 184, "12000", "50"},
    {16, 100, 4800, 48, "4800", "100"},
    {17, 50, 12000, 220, "12000", "50"},
    {18, 100, 4800, 48, "4800", "100"},
    {37, 100, 10000, 60, "10000", "100"},
    {38, 200, 10000, 59, "10000", "200"},
    {49, 100, 24000, 132, "24000", "100"},
    {53, 100, 16000, 160, "16000", "100"},
    {-1, 50, 26000, 520, "26000", "50"},
}};

constexpr std::array<ReportRateChoice, kReportRateChoices> kRates{{
    {8, 125, "125Hz"},
    {4, 250, "250Hz"},
    {2, 500, "500Hz"},
    {1, 1000, "1000Hz"},
    {16, 2000, "2000Hz"},
    {32, 4000, "4000Hz"},
    {64, 8000, "8000Hz"},
}};

bool HundredStepSensor(int sensor) {
  return sensor == 4 || sensor == 16 || sensor == 18 || sensor == 53;
}

// Sensors 38 and 49: the rule towards the mouse, shared by the slider.
int Sensor38Towards(int a) { return a <= 5000 ? a / 100 - 1 : (a - 5000) / 500 + 50; }
int Sensor49Towards(int a) { return a <= 12000 ? a / 100 : (a - 12000) / 1000 + 120; }

}  // namespace

const SensorLimits& SensorLimitsOf(int sensor) {
  for (const SensorLimits& row : kSensors) {
    if (row.sensor == sensor) return row;
  }
  return kSensors.back();
}

int ClampDpi(int sensor, int dpi) {
  const SensorLimits& limits = SensorLimitsOf(sensor);
  if (dpi < limits.dpiMin) return limits.dpiMin;
  return std::min(dpi, limits.dpiMax);
}

int DpiToRegister(int sensor, int a) {
  if (HundredStepSensor(sensor)) return a / 100;
  switch (sensor) {
    case 5:
      return a <= 6400 ? a / 50 : (a - 6400) / 100 + 128;
    case 17:
      if (a <= 10000) return a / 50;
      if (a < 13000) return (a - 10000) / 100 + 200;
      return (a - 13000) / 1000 + 221;
    case 37:
      return a <= 5000 ? a / 100 : (a - 5000) / 500 + 50;
    case 38:
      return Sensor38Towards(a);
    case 49:
      return Sensor49Towards(a);
    default:
      return a / 50 - 1;
  }
}

// For 38 and 49 the read-back inverts the rule towards the mouse, so a value
// written and read back stays where it was. Read with rules that do not
// invert the writer's, a stored stage would move one register step on every
// read-back and write, drifting further each run.
//
// Sensor 38 sends 5000 as register 49 and only 5001..5499 as register 50, so
// register 50 reads back as the first value of its band on the sensor's
// 200 step, 5200; read as 5000 it would go out again as 49.
constexpr int kSensor38Band50 = 5200;

int RegisterToDpi(int sensor, int r) {
  if (HundredStepSensor(sensor)) return r * 100;
  switch (sensor) {
    case 5:
      return r < 129 ? r * 50 : r * 100 - 6400;
    case 17:
      if (r < 200) return r * 50;
      if (r <= 220) return r * 100 - 10000;
      return r * 50 + 50;
    case 37:
      return r < 50 ? r * 100 : r * 500 - 20000;
    case 38:
      if (r < 50) return (r + 1) * 100;
      return r == 50 ? kSensor38Band50 : r * 500 - 20000;
    case 49:
      return r <= 120 ? r * 100 : r * 1000 - 108000;
    default:
      return r * 50 + 50;
  }
}

int DpiToSlider(int sensor, int a) {
  if (sensor == 17) {
    if (a <= 10000) return a / 50;
    if (a <= 12000) return (a - 10000) / 100 + 200;
    return (a - 13000) / 1000 + 221;
  }
  if (HundredStepSensor(sensor) || sensor == 5 || sensor == 37 || sensor == 38 || sensor == 49) {
    return DpiToRegister(sensor, a);
  }
  return a / 50;
}

int SliderToDpi(int sensor, int p) {
  int value = 0;
  switch (sensor) {
    case 4: case 16: case 18: case 53:
      value = 100 * p;
      break;
    case 5:
      value = p <= 128 ? 50 * p : 100 * p - 6400;
      break;
    case 17:
      value = p <= 200 ? 50 * p : (p <= 220 ? 100 * p - 10000 : 1000 * p - 208000);
      break;
    case 37:
      value = p <= 50 ? 100 * p : 500 * p - 20000;
      break;
    case 38:
      value = p <= 49 ? 100 * p + 100 : 500 * p - 19500;
      break;
    case 49:
      value = p <= 120 ? 100 * p : 1000 * p - 108000;
      break;
    default:
      value = 50 * p;
      break;
  }
  return std::min(value, SensorLimitsOf(sensor).dpiMax);
}

int ReportRateChoiceCount(int capability) {
  switch (capability) {
    case 0x10: return 5;
    case 0x20: return 6;
    case 0x40: return 7;
    default: return 4;
  }
}

const ReportRateChoice& ReportRateChoiceAt(int index) {
  return kRates[static_cast<std::size_t>(std::clamp(index, 0, kReportRateChoices - 1))];
}

}  // namespace korvex

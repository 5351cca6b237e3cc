#pragma once
// The rules of the performance page that do not need a window: which stage
// is active, what the slider stands for, which report rates are listed, the
// sensor option bits, the sleep list and the colour texts of the command
// line. The page, korvexctl and the tests share them.

#include <string>
#include <string_view>
#include <vector>

#include "lighting/LightingChange.h"  // ParseWebColour, WebColourText
#include "store/ColourRef.h"

namespace korvex {

// The active stage shown for a stored index: the index when it is one of the
// stages in use, else the first stage.
int ActiveStageOf(int storedIndex, int count);
// The active stage after the stage count changed: the stored index while it
// is below the new count, else the last stage.
int ActiveStageAfterCount(int storedIndex, int count);

// A slider position as a stage value. The slider starts at position 0,
// which for most sensors stands below their smallest DPI, so the value is
// also kept at or above the sensor's minimum.
int SliderStageValue(int sensorCode, int position);

// How many report-rate entries the list shows for the mouse's report-rate
// choice count (4 to 7): all seven only for an 8000 Hz mouse, else 125 to
// 1000 Hz.
int ReportRateEntriesShown(int rateChoiceCount);

// "sensor_flag" bits of the three sensor boxes, in box order: angle
// snapping, ripple control, motion sync.
constexpr int kSensorOptionCount = 3;
int SensorOptionBit(int box);  // 0 for a box that does not exist
int SensorFlagOf(bool first, bool second, bool third);
bool SensorOptionOn(int sensorFlag, int box);
// The option's box from its command-line name ("angle", "ripple",
// "motion-sync"); -1 for another name.
int SensorOptionOfName(std::string_view name);

// "liftoff_height": 2 for 2.0 mm, 1 otherwise; and whether a stored value
// shows as 2.0 mm (only "2" exactly).
int LiftoffValue(bool twoMillimetres);
bool LiftoffIsTwo(const std::string& stored);

// The sleep list: its entries' minutes and item data ("sleep_light", tens of
// seconds), in list order.
struct SleepItem {
  int minutes;
  int data;
};
const std::vector<SleepItem>& SleepItems();

// The help text of the sensor section from its eight texts, in the order
// section title, first option name, its two lines, second option name, its
// line, third option name, its line.
std::string SensorHelpText(const std::vector<std::string>& texts);

// "on" / "off" of the command line; false for another word.
bool ParseOnOff(std::string_view text, bool& on);

}  // namespace korvex

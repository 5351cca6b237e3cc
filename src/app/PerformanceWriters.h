#pragma once
#include "app/DeviceContext.h"

namespace korvex {

// Writers of the performance settings: each reads the active profile's
// values, sends its command and logs a refusal. True when acknowledged.
bool WriteDpiStages(DeviceContext& ctx);      // 0x03
bool WriteDpiColours(DeviceContext& ctx);     // 0x04
bool WriteReportRate(DeviceContext& ctx);     // 0x02
bool WriteLiftoffSensor(DeviceContext& ctx);  // 0x06
bool WritePowerOptions(DeviceContext& ctx);   // 0x07

// Resets: the mouse restores one group of its defaults, then the program
// follows (report rate and lighting are read back). True when the reset
// itself was acknowledged.
bool ResetReportRate(DeviceContext& ctx);  // 0x0D, then 0x12
bool ResetLighting(DeviceContext& ctx);    // 0x0E, then 0x15

}  // namespace korvex

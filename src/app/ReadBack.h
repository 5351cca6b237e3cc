#pragma once
#include "app/DeviceContext.h"

namespace korvex {

// Learns the sensor, limits and battery from the stored device information
// of the active interface and, the first time in a run that the current
// device type is seen, reads every setting of the mouse into the active
// profile. True when the mouse is connected.
bool ReadBack(DeviceContext& ctx);

// Applies a 0x15 reply to the profile: the mode becomes the active lighting
// mode and its row (if any) takes the brightness and speed. Used by the
// read-back and by the lighting reset. True when the read was answered.
bool ReadLightingInto(DeviceContext& ctx, ProfileId profile);

// 0x12 into "report_rate" and "report_rate_wireless"; rateCode gets the code.
bool ReadReportRateInto(DeviceContext& ctx, ProfileId profile, int& rateCode);

}  // namespace korvex

#pragma once
#include "app/DeviceContext.h"

namespace korvex {

// One poll of the device interfaces for an unsolicited report while the
// worker is idle: a DPI-button report (0xC2) updates the stage count and the
// current stage; a receiver status report (0xC0) brings the mouse online or
// takes it offline and updates the battery. True when a report was taken.
// Each interface is read with readTimeoutMs.
bool PollNotificationsOnce(DeviceContext& ctx, int readTimeoutMs);
bool PollNotificationsOnce(DeviceContext& ctx);

}  // namespace korvex

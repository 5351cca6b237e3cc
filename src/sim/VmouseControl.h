#pragma once
#include <string>
#include <vector>

#include "sim/VirtualMouseHub.h"

namespace korvex::sim {

// Runs one control command of korvex-vmouse on the hub:
//   plug NAME | unplug NAME | mouse-off NAME | mouse-on NAME
//   battery NAME LEVEL STATE | dpi-button NAME | slot NAME N
//   delay MS | nak N | drop N | status [NAME]
//   inject NAME INTERFACE HEXBYTES
// NAME is a device name or vid:pid. Returns false with a reason in output
// for an unknown command, bad arguments or a control the device refuses.
bool RunControlCommand(VirtualMouseHub& hub, const std::vector<std::string>& words,
                       std::string& output);

// Usage text listing the commands above.
const char* ControlUsage();

}  // namespace korvex::sim

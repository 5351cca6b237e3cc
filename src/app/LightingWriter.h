#pragma once
#include "app/DeviceContext.h"

namespace korvex {

// Sends the active lighting mode of the active profile with its brightness,
// speed and colours (0x05). Nothing is sent when the mode has no row. True
// when acknowledged.
bool WriteLighting(DeviceContext& ctx);

}  // namespace korvex

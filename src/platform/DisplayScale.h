#pragma once
// Whether the program should handle high-DPI scaling itself, decided from the
// primary screen's size and the monitor's effective DPI. Small screens and a
// 1920 x 1080 screen scaled above 125 % are scaled by the program; others
// are left to the system.

namespace korvex {

// Display scale in percent for an effective DPI: up to 96 gives 100, 120
// gives 125, 144/168/192 give 150/175/200, anything else 100.
int DisplayScaleFromDpi(int effectiveDpi);

bool ShouldDeclareDpiAware(int width, int height, int effectiveDpi);

}  // namespace korvex

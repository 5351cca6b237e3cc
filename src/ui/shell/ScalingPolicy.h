#pragma once
// How Qt scales the window on this display. A window of 1400 x 788 pixels
// does not fit a small screen, nor a 1920 x 1080 screen scaled above 125 %
// once the system scales it; there the program draws it pixel for pixel
// (Qt's high-DPI scaling off). Everywhere else Qt scales it like the
// desktop does.

#include <QSize>
#include <memory>

class QApplication;

namespace korvex {

struct PrimaryScreenInfo {
  QSize pixels;            // the screen in device pixels
  int effectiveDpi = 96;   // the logical DPI times the scale factor
  double scale = 1.0;      // what Qt scales by now
  bool found = false;
};

// True when Qt's scaling must be off (the rule of DisplayScale).
bool ShouldDrawUnscaled(const PrimaryScreenInfo& screen);

// The primary screen of the running application.
PrimaryScreenInfo ReadPrimaryScreen();

// Creates the application object with the scaling the rule asks for. At a
// scale of 1 both ways draw the same, so only a scaled screen that must not
// be scaled costs a second start of the application object. A scale forced
// through QT_SCALE_FACTOR or QT_ENABLE_HIGHDPI_SCALING is left alone.
std::unique_ptr<QApplication> CreateScaledApplication(int& argc, char** argv);

}  // namespace korvex

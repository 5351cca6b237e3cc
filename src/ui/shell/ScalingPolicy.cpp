#include "ui/shell/ScalingPolicy.h"

#include <QApplication>
#include <QScreen>
#include <cmath>

#include "platform/DisplayScale.h"

namespace korvex {

bool ShouldDrawUnscaled(const PrimaryScreenInfo& screen) {
  if (!screen.found) return false;
  return ShouldDeclareDpiAware(screen.pixels.width(), screen.pixels.height(), screen.effectiveDpi);
}

PrimaryScreenInfo ReadPrimaryScreen() {
  PrimaryScreenInfo info;
  QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return info;
  info.scale = screen->devicePixelRatio();
  info.pixels = QSize(int(std::lround(screen->geometry().width() * info.scale)),
                      int(std::lround(screen->geometry().height() * info.scale)));
  info.effectiveDpi = int(std::lround(screen->logicalDotsPerInch() * info.scale));
  info.found = true;
  return info;
}

std::unique_ptr<QApplication> CreateScaledApplication(int& argc, char** argv) {
  auto app = std::make_unique<QApplication>(argc, argv);
  if (qEnvironmentVariableIsSet("QT_SCALE_FACTOR") || qEnvironmentVariableIsSet("QT_ENABLE_HIGHDPI_SCALING"))
    return app;
  const PrimaryScreenInfo screen = ReadPrimaryScreen();
  if (!ShouldDrawUnscaled(screen) || screen.scale == 1.0) return app;
  app.reset();
  qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
  return std::make_unique<QApplication>(argc, argv);
}

}  // namespace korvex

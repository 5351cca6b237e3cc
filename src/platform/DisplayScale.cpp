#include "platform/DisplayScale.h"

namespace korvex {

int DisplayScaleFromDpi(int effectiveDpi) {
  switch (effectiveDpi) {
    case 120: return 125;
    case 144: return 150;
    case 168: return 175;
    case 192: return 200;
    default: return 100;
  }
}

bool ShouldDeclareDpiAware(int width, int height, int effectiveDpi) {
  if (width < 1400 || height < 800) return true;
  return width == 1920 && height == 1080 && DisplayScaleFromDpi(effectiveDpi) > 125;
}

}  // namespace korvex

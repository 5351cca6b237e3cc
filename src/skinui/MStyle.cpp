#include "skinui/MStyle.h"

#include "skinui/Manager.h"

namespace DUI {

QColor MStyle::Window() { return QColor(0x0F, 0x11, 0x16); }
QColor MStyle::Panel() { return QColor(0x17, 0x1A, 0x21); }
QColor MStyle::PanelRaised() { return QColor(0x22, 0x26, 0x30); }
QColor MStyle::Border() { return QColor(0x2C, 0x31, 0x3D); }
QColor MStyle::Text() { return QColor(0xE9, 0xEC, 0xF2); }
QColor MStyle::TextDim() { return QColor(0x8B, 0x92, 0xA3); }
QColor MStyle::TextDisabled() { return QColor(0x55, 0x5B, 0x68); }
QColor MStyle::Accent() { return Manager::GetSelectColor(); }
QColor MStyle::AccentSoft() {
  QColor c = Accent();
  c.setAlpha(48);
  return c;
}
QColor MStyle::Danger() { return QColor(0xFF, 0x3D, 0x5A); }
QColor MStyle::Warning() { return QColor(0xFF, 0xB0, 0x2E); }
QColor MStyle::Success() { return QColor(0x3D, 0xDC, 0x84); }

QFont MStyle::Font(int pixelSize, bool bold) {
  QFont font;
  font.setFamilies(QStringList{Manager::GetFontName()} + Manager::GetFallbackFonts());
  font.setPixelSize(pixelSize > 0 ? pixelSize : kFontSize);
  font.setWeight(bold ? QFont::DemiBold : QFont::Normal);
  font.setStyleStrategy(QFont::PreferAntialias);
  return font;
}

}  // namespace DUI

#pragma once
#include <QColor>

// The colours of the default skin; the widget library paints with the same.
namespace skin {

inline const QColor kWindow(0x0F, 0x11, 0x16);
inline const QColor kPanel(0x17, 0x1A, 0x21);
inline const QColor kRaised(0x22, 0x26, 0x30);
inline const QColor kBorder(0x2C, 0x31, 0x3D);
inline const QColor kText(0xE9, 0xEC, 0xF2);
inline const QColor kTextDim(0x8B, 0x92, 0xA3);
inline const QColor kAccent(0x1F, 0xD2, 0xFF);
inline const QColor kMagenta(0xFF, 0x2E, 0x88);
inline const QColor kDanger(0xFF, 0x3D, 0x5A);
inline const QColor kSuccess(0x3D, 0xDC, 0x84);
inline const QColor kGold(0xFF, 0xB0, 0x2E);

}  // namespace skin

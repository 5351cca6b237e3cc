#pragma once
#include <QColor>
#include <QFont>

namespace DUI {

// The library's dark theme: one place for the colours and the interface font
// every control paints with, so the whole window changes together.
class MStyle {
 public:
  static QColor Window();       // window background
  static QColor Panel();        // content panels
  static QColor PanelRaised();  // hovered rows, buttons
  static QColor Border();       // hairlines and frames
  static QColor Text();         // primary text
  static QColor TextDim();      // secondary text
  static QColor TextDisabled();
  static QColor Accent();       // the selection colour
  static QColor AccentSoft();   // translucent accent for fills
  static QColor Danger();       // recording, low battery
  static QColor Warning();
  static QColor Success();

  // The interface font (Manager::GetFontName) at a pixel size.
  static QFont Font(int pixelSize, bool bold = false);

  // Default sizes used when a control is not told otherwise.
  static constexpr int kFontSize = 14;
  static constexpr int kRadius = 6;
};

}  // namespace DUI

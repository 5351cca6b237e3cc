#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// A text label. Presses pass through to the window (so a title bar made of
// labels still drags the window).
class MText : public MControlFont {
  Q_OBJECT

 public:
  MText(QWidget* parent, int id);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace DUI

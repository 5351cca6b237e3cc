#pragma once
#include "skinui/MButton.h"

namespace DUI {

// A link-like text button: accent text, underlined under the mouse.
// Event: kEventClick (2), param 0.
class CTextButton : public MButton {
  Q_OBJECT

 public:
  CTextButton(QWidget* parent, int id);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace DUI

#pragma once
#include "skinui/CImageButton.h"

namespace DUI {

// A small "?" mark whose tooltip carries the help text. Without a picture it
// paints a ring with a question mark. Event: kEventClick (2), param 0.
class CHelpButton : public CImageButton {
  Q_OBJECT

 public:
  CHelpButton(QWidget* parent, int id);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace DUI

#pragma once
#include "skinui/MButton.h"

namespace DUI {

// A button that is only a picture: a horizontal strip of `frames` states
// (normal, hover, pressed, disabled), scaled to fit the button. Used for the
// window's system buttons and the small reset and return buttons.
// Event: kEventClick (2), param 0.
class CImageButton : public MButton {
  Q_OBJECT

 public:
  CImageButton(QWidget* parent, int id);

  void SetImage(const QString& name, int frames = 4);
  QString GetImage() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  // Draws the state frame of the picture; false when there is none.
  bool PaintPicture(QPainter& p, const QRect& r);

 private:
  QString picture_;
  int pictureFrames_ = 4;
};

}  // namespace DUI

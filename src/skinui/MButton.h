#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// A push button with a text. Without a picture it paints a rounded dark
// button; with one, the picture is a horizontal strip of `frames` states
// (normal, hover, pressed, disabled) stretched with its corners kept.
// Event: kEventClick (2), param 0, on release over the button or Space/Enter.
class MButton : public MControlFont {
  Q_OBJECT

 public:
  MButton(QWidget* parent, int id);

  void SetImage(const QString& name, int frames = 4);
  // Filled with the accent colour: the main action of a dialog.
  void SetPrimary(bool on);
  // Highlighted as the current choice (the buttons page marks the active
  // function this way).
  void SetMarked(bool on);
  bool IsMarked() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  // Paints the face (picture or painted) for the current state.
  void PaintFace(QPainter& p, const QRect& r);
  bool IsPressed() const { return pressed_; }

 private:
  QString image_;
  int frames_ = 4;
  bool primary_ = false;
  bool marked_ = false;
  bool pressed_ = false;
};

// The buttons page's variant is the same control.
using MButton2 = MButton;

}  // namespace DUI

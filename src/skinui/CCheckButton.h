#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// A check box with its text. Safe from any thread; SetCheck never notifies.
// Event: kEventClick (2), param = the new check state (0 or 1), after the
// user toggled it.
class CCheckButton : public MControlFont {
  Q_OBJECT

 public:
  CCheckButton(QWidget* parent, int id);

  virtual void SetCheck(bool checked);
  bool GetCheck() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  virtual void Toggle();
  // The 18 px mark at the left, vertically centred.
  QRectF MarkRect() const;

  bool checked_ = false;

 private:
  bool pressed_ = false;
};

}  // namespace DUI

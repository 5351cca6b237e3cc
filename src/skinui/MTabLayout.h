#pragma once
#include "skinui/MControl.h"

namespace DUI {

// A page container: controls are created inside it, and a tab item of
// MTabCtrl shows and hides it as a whole. Transparent unless given a colour.
class MTabLayout : public MControl {
  Q_OBJECT

 public:
  MTabLayout(QWidget* parent, int id);

  void SetBkColor(const QColor& colour);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QColor bk_ = Qt::transparent;
};

}  // namespace DUI

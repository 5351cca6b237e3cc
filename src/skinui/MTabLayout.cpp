#include "skinui/MTabLayout.h"

#include <QPainter>

namespace DUI {

MTabLayout::MTabLayout(QWidget* parent, int id) : MControl(parent, id) {}

void MTabLayout::SetBkColor(const QColor& colour) {
  {
    QMutexLocker lock(&mutex_);
    bk_ = colour;
  }
  Refresh();
}

void MTabLayout::paintEvent(QPaintEvent*) {
  QColor bk;
  {
    QMutexLocker lock(&mutex_);
    bk = bk_;
  }
  if (bk.alpha() == 0) return;
  QPainter p(this);
  p.fillRect(rect(), bk);
}

}  // namespace DUI

#include "skinui/CArea.h"

#include <QPainter>

#include "skinui/MRender.h"

namespace DUI {

CArea::CArea(QWidget* parent, int id) : MControl(parent, id) {}

void CArea::SetColor(const QColor& fill) {
  {
    QMutexLocker lock(&mutex_);
    fill_ = fill;
  }
  Refresh();
}

QColor CArea::GetColor() const {
  QMutexLocker lock(&mutex_);
  return fill_;
}

void CArea::SetBorderColor(const QColor& border) {
  {
    QMutexLocker lock(&mutex_);
    border_ = border;
  }
  Refresh();
}

void CArea::SetRadius(int radius) {
  {
    QMutexLocker lock(&mutex_);
    radius_ = radius;
  }
  Refresh();
}

void CArea::paintEvent(QPaintEvent*) {
  QColor fill;
  QColor border;
  int radius;
  {
    QMutexLocker lock(&mutex_);
    fill = fill_;
    border = border_;
    radius = radius_;
  }
  if (fill.alpha() == 0 && border.alpha() == 0) return;
  QPainter p(this);
  MRender::DrawPanel(p, QRectF(rect()), radius, fill, border);
}

}  // namespace DUI

#include "skinui/CRoundArea.h"

#include <QPainter>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CRoundArea::CRoundArea(QWidget* parent, int id) : CArea(parent, id) { SetRadius(10); }

void CRoundArea::paintEvent(QPaintEvent* e) {
  if (GetColor().alpha() != 0) {
    CArea::paintEvent(e);
    return;
  }
  QPainter p(this);
  QColor fill = MStyle::Accent();
  fill.setAlpha(22);
  QColor border = MStyle::Accent();
  border.setAlpha(90);
  MRender::DrawPanel(p, QRectF(rect()), 10, fill, border);
}

}  // namespace DUI

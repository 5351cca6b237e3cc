#include "skinui/CHelpButton.h"

#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {

CHelpButton::CHelpButton(QWidget* parent, int id) : CImageButton(parent, id) {
  setCursor(Qt::WhatsThisCursor);
  setFocusPolicy(Qt::NoFocus);
}

void CHelpButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const int side = std::min(width(), height());
  QRect square(0, 0, side, side);
  square.moveCenter(rect().center());
  if (PaintPicture(p, square)) return;
  const QColor colour = IsHovered() ? MStyle::Accent() : MStyle::TextDim();
  p.setPen(QPen(colour, 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(square).adjusted(1.5, 1.5, -1.5, -1.5));
  p.setFont(MStyle::Font(std::max(9, side * 2 / 3), true));
  p.drawText(square, Qt::AlignCenter, QStringLiteral("?"));
}

}  // namespace DUI

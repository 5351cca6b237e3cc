#include "skinui/CIconButton.h"

#include <QFontMetrics>
#include <QPainter>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CIconButton::CIconButton(QWidget* parent, int id) : MButton(parent, id) {}

void CIconButton::SetIcon(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    icon_ = name;
  }
  Refresh();
}

QString CIconButton::GetIcon() const {
  QMutexLocker lock(&mutex_);
  return icon_;
}

void CIconButton::SetIconSize(int pixels) {
  {
    QMutexLocker lock(&mutex_);
    iconSize_ = pixels;
  }
  Refresh();
}

QString CIconButton::ShownText(const QFont& font, const QString& text, int room) {
  // Eliding a text to exactly its own (rounded) width may still cut it, so
  // only a text that does not fit is elided.
  const QFontMetrics metrics(font);
  return metrics.horizontalAdvance(text) <= room ? text : metrics.elidedText(text, Qt::ElideRight, room);
}

void CIconButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  PaintFace(p, rect());
  QString iconName;
  int iconSize;
  {
    QMutexLocker lock(&mutex_);
    iconName = icon_;
    iconSize = iconSize_;
  }
  const QPixmap icon = MRender::LoadImage(iconName);
  const QString text = GetTitle();
  const QFont font = TitleFont();
  const int gap = icon.isNull() || text.isEmpty() ? 0 : 8;
  const int iconW = icon.isNull() ? 0 : iconSize;
  const int room = width() - iconW - gap - 16;
  const int full = QFontMetrics(font).horizontalAdvance(text);
  const int textW = std::min(full, room);
  int x = (width() - iconW - gap - textW) / 2;
  if (!icon.isNull()) {
    if (!isEnabled()) p.setOpacity(0.4);
    MRender::DrawFitted(p, icon, QRect(x, (height() - iconSize) / 2, iconSize, iconSize));
    p.setOpacity(1.0);
    x += iconW + gap;
  }
  p.setFont(font);
  p.setPen(TitleColor());
  const QString shown = ShownText(font, text, room);
  p.drawText(QRect(x, 0, textW + 2, height()), Qt::AlignLeft | Qt::AlignVCenter, shown);
}

}  // namespace DUI

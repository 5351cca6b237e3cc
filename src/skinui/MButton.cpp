#include "skinui/MButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

MButton::MButton(QWidget* parent, int id) : MControlFont(parent, id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
  SetTextAlign(Qt::AlignCenter);
}

void MButton::SetImage(const QString& name, int frames) {
  {
    QMutexLocker lock(&mutex_);
    image_ = name;
    frames_ = std::max(1, frames);
  }
  Refresh();
}

void MButton::SetPrimary(bool on) {
  {
    QMutexLocker lock(&mutex_);
    primary_ = on;
  }
  Refresh();
}

void MButton::SetMarked(bool on) {
  {
    QMutexLocker lock(&mutex_);
    marked_ = on;
  }
  Refresh();
}

bool MButton::IsMarked() const {
  QMutexLocker lock(&mutex_);
  return marked_;
}

void MButton::PaintFace(QPainter& p, const QRect& r) {
  QString image;
  int frames;
  bool primary;
  bool marked;
  {
    QMutexLocker lock(&mutex_);
    image = image_;
    frames = frames_;
    primary = primary_;
    marked = marked_;
  }
  const int state = !isEnabled() ? 3 : pressed_ ? 2 : IsHovered() ? 1 : 0;
  const QPixmap strip = MRender::LoadImage(image);
  if (!strip.isNull() && !primary) {
    MRender::DrawImage(p, MRender::Frame(strip, frames, frames > 1 ? state : 0), r);
  } else {
    QColor fill = primary ? MStyle::Accent() : MStyle::PanelRaised();
    if (state == 1) fill = fill.lighter(primary ? 112 : 130);
    if (state == 2) fill = fill.darker(primary ? 120 : 115);
    if (state == 3) fill = MStyle::Panel();
    const QColor border = state == 1 && !primary ? MStyle::Accent() : MStyle::Border();
    MRender::DrawPanel(p, QRectF(r), MStyle::kRadius, fill, primary ? QColor(Qt::transparent) : border);
  }
  if (marked) {
    MRender::DrawPanel(p, QRectF(r), MStyle::kRadius, MStyle::AccentSoft(), Qt::transparent);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(MStyle::Accent(), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), MStyle::kRadius, MStyle::kRadius);
    p.restore();
  }
}

void MButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  PaintFace(p, rect());
  bool primary;
  {
    QMutexLocker lock(&mutex_);
    primary = primary_;
  }
  if (primary && isEnabled()) {
    // Dark text on the bright accent reads better than white.
    p.setFont(TitleFont());
    p.setPen(QColor(0x06, 0x10, 0x18));
    p.drawText(rect().adjusted(8, 0, -8, 0), int(TextAlign()), GetTitle());
    return;
  }
  DrawTitle(p, rect().adjusted(8, 0, -8, 0).translated(0, pressed_ ? 1 : 0));
}

void MButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  pressed_ = true;
  update();
}

void MButton::mouseReleaseEvent(QMouseEvent* e) {
  const bool wasPressed = pressed_;
  pressed_ = false;
  update();
  if (wasPressed && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint()))
    Notify(kEventClick, 0);
}

void MButton::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    Notify(kEventClick, 0);
    return;
  }
  MControlFont::keyPressEvent(e);
}

}  // namespace DUI

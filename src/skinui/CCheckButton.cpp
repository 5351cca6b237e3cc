#include "skinui/CCheckButton.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CCheckButton::CCheckButton(QWidget* parent, int id) : MControlFont(parent, id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void CCheckButton::SetCheck(bool checked) {
  {
    QMutexLocker lock(&mutex_);
    checked_ = checked;
  }
  Refresh();
}

bool CCheckButton::GetCheck() const {
  QMutexLocker lock(&mutex_);
  return checked_;
}

QRectF CCheckButton::MarkRect() const { return QRectF(1, (height() - 18) / 2.0, 18, 18); }

void CCheckButton::paintEvent(QPaintEvent*) {
  const bool checked = GetCheck();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = MarkRect();
  const bool enabled = isEnabled();
  if (checked) {
    MRender::DrawPanel(p, box, 4, enabled ? MStyle::Accent() : MStyle::TextDisabled(), Qt::transparent);
    QPainterPath tick;
    tick.moveTo(box.left() + 4.5, box.center().y() + 0.5);
    tick.lineTo(box.left() + 7.8, box.bottom() - 5);
    tick.lineTo(box.right() - 4, box.top() + 5);
    p.setPen(QPen(MStyle::Window(), 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawPath(tick);
  } else {
    const QColor border = IsHovered() && enabled ? MStyle::Accent() : MStyle::TextDim().darker(130);
    MRender::DrawPanel(p, box, 4, MStyle::Panel(), border);
  }
  DrawTitle(p, rect().adjusted(28, 0, 0, 0));
}

void CCheckButton::Toggle() { SetCheck(!GetCheck()); }

void CCheckButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  pressed_ = true;
}

void CCheckButton::mouseReleaseEvent(QMouseEvent* e) {
  const bool click = pressed_ && e->button() == Qt::LeftButton && rect().contains(e->position().toPoint());
  pressed_ = false;
  if (!click) return;
  Toggle();
  update();
  Notify(kEventClick, GetCheck() ? 1 : 0);
}

void CCheckButton::keyPressEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_Space) {
    MControlFont::keyPressEvent(e);
    return;
  }
  Toggle();
  update();
  Notify(kEventClick, GetCheck() ? 1 : 0);
}

}  // namespace DUI

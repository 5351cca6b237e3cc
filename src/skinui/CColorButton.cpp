#include "skinui/CColorButton.h"

#include <QHash>
#include <QMouseEvent>
#include <QMutex>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

struct Groups {
  QMutex mutex;
  QHash<QString, QList<CColorButton*>> members;
};

Groups& GetGroups() {
  static Groups groups;
  return groups;
}

}  // namespace

CColorButton::CColorButton(QWidget* parent, int id) : MControl(parent, id) {
  setCursor(Qt::PointingHandCursor);
}

CColorButton::~CColorButton() { SetGroup(QString()); }

void CColorButton::SetColor(uint32_t colourRef) {
  {
    QMutexLocker lock(&mutex_);
    colour_ = colourRef & 0xFFFFFF;
  }
  Refresh();
}

uint32_t CColorButton::GetColor() const {
  QMutexLocker lock(&mutex_);
  return colour_;
}

void CColorButton::SetGroup(const QString& group) {
  QString old;
  {
    QMutexLocker lock(&mutex_);
    old = group_;
    group_ = group;
  }
  Groups& g = GetGroups();
  QMutexLocker lock(&g.mutex);
  if (!old.isEmpty()) {
    g.members[old].removeAll(this);
    if (g.members[old].isEmpty()) g.members.remove(old);
  }
  if (!group.isEmpty()) g.members[group].append(this);
}

QString CColorButton::GetGroup() const {
  QMutexLocker lock(&mutex_);
  return group_;
}

void CColorButton::SetSelectOnly(bool selected) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = selected;
  }
  Refresh();
}

void CColorButton::SetSelect(bool selected) {
  SetSelectOnly(selected);
  const QString group = GetGroup();
  if (!selected || group.isEmpty()) return;
  Groups& g = GetGroups();
  QMutexLocker lock(&g.mutex);
  for (CColorButton* other : g.members.value(group))
    if (other != this) other->SetSelectOnly(false);
}

bool CColorButton::GetSelect() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

void CColorButton::UnselectGroup(const QString& group) {
  Groups& g = GetGroups();
  QMutexLocker lock(&g.mutex);
  for (CColorButton* b : g.members.value(group)) b->SetSelectOnly(false);
}

void CColorButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const bool selected = GetSelect();
  const QRectF r = QRectF(rect()).adjusted(1.5, 1.5, -1.5, -1.5);
  const qreal radius = std::min(r.width(), r.height()) / 2.0;
  if (selected) {
    p.setPen(QPen(MStyle::Accent(), 2));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(r, radius, radius);
  }
  const QRectF swatch = r.adjusted(4, 4, -4, -4);
  p.setPen(QPen(IsHovered() ? MStyle::Text() : QColor(255, 255, 255, 40), 1));
  p.setBrush(MRender::FromColourRef(GetColor()));
  p.drawRoundedRect(swatch, radius - 4, radius - 4);
  if (!isEnabled()) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 140));
    p.drawRoundedRect(swatch, radius - 4, radius - 4);
  }
}

void CColorButton::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  SetSelect(true);
  update();
  Notify(kEventClick, GetColor());
}

}  // namespace DUI

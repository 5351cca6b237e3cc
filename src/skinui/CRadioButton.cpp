#include "skinui/CRadioButton.h"

#include <QHash>
#include <QMutex>
#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {
namespace {

// Members of each radio group, so checking one can uncheck the others from
// any thread without walking the widget tree.
struct Groups {
  QMutex mutex;
  QHash<QString, QList<CRadioButton*>> members;
};

Groups& GetGroups() {
  static Groups groups;
  return groups;
}

}  // namespace

CRadioButton::CRadioButton(QWidget* parent, int id) : CCheckButton(parent, id) {}

CRadioButton::~CRadioButton() { SetGroup(QString()); }

void CRadioButton::SetGroup(const QString& group) {
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

QString CRadioButton::GetGroup() const {
  QMutexLocker lock(&mutex_);
  return group_;
}

void CRadioButton::SetCheck(bool checked) {
  CCheckButton::SetCheck(checked);
  const QString group = GetGroup();
  if (!checked || group.isEmpty()) return;
  Groups& g = GetGroups();
  QMutexLocker lock(&g.mutex);
  for (CRadioButton* other : g.members.value(group))
    if (other != this) other->CCheckButton::SetCheck(false);
}

void CRadioButton::Toggle() { SetCheck(true); }

void CRadioButton::paintEvent(QPaintEvent*) {
  const bool checked = GetCheck();
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF box = MarkRect().adjusted(0.5, 0.5, -0.5, -0.5);
  const bool enabled = isEnabled();
  const QColor ring = checked ? (enabled ? MStyle::Accent() : MStyle::TextDisabled())
                              : (IsHovered() && enabled ? MStyle::Accent() : MStyle::TextDim().darker(130));
  p.setPen(QPen(ring, 1.6));
  p.setBrush(MStyle::Panel());
  p.drawEllipse(box);
  if (checked) {
    p.setPen(Qt::NoPen);
    p.setBrush(ring);
    p.drawEllipse(box.center(), 4.5, 4.5);
  }
  DrawTitle(p, rect().adjusted(28, 0, 0, 0));
}

}  // namespace DUI

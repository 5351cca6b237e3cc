#include "skinui/NumberEdit.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QWheelEvent>

#include "skinui/Events.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kStepW = 18;

}  // namespace

NumberEdit::NumberEdit(QWidget* parent, int id) : MEdit(parent, id) {
  SetNumberOnly(true);
  SetLimitText(5);
  SetTextAlign(Qt::AlignCenter);
}

void NumberEdit::SetRange(int minimum, int maximum) {
  QMutexLocker lock(&mutex_);
  min_ = std::min(minimum, maximum);
  max_ = std::max(minimum, maximum);
}

int NumberEdit::GetMin() const {
  QMutexLocker lock(&mutex_);
  return min_;
}

int NumberEdit::GetMax() const {
  QMutexLocker lock(&mutex_);
  return max_;
}

void NumberEdit::SetValue(int value) {
  const QString text = QString::number(value);
  {
    QMutexLocker lock(&mutex_);
    confirmed_ = text;
  }
  SetTitle(text);
}

int NumberEdit::GetValue() const { return GetTitle().toInt(); }

QRect NumberEdit::GetUpRect() const { return QRect(width() - kStepW - 2, 2, kStepW, height() / 2 - 2); }

QRect NumberEdit::GetDownRect() const {
  return QRect(width() - kStepW - 2, height() / 2, kStepW, height() - height() / 2 - 2);
}

void NumberEdit::paintEvent(QPaintEvent* e) {
  MEdit::paintEvent(e);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor colour = isEnabled() ? MStyle::TextDim() : MStyle::TextDisabled();
  p.setPen(QPen(colour, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  for (int dir : {-1, 1}) {
    const QRect r = dir < 0 ? GetUpRect() : GetDownRect();
    const QPointF c = QRectF(r).center();
    QPainterPath path;
    path.moveTo(c + QPointF(-3.5, -1.5 * dir));
    path.lineTo(c + QPointF(0, 1.5 * dir));
    path.lineTo(c + QPointF(3.5, -1.5 * dir));
    p.drawPath(path);
  }
}

void NumberEdit::resizeEvent(QResizeEvent* e) {
  MEdit::resizeEvent(e);
  GetEditor()->setGeometry(rect().adjusted(8, 2, -kStepW - 4, -2));
}

void NumberEdit::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  if (e->button() == Qt::LeftButton && isEnabled()) {
    if (GetUpRect().contains(pos)) return Step(1);
    if (GetDownRect().contains(pos)) return Step(-1);
  }
  MEdit::mousePressEvent(e);
}

void NumberEdit::wheelEvent(QWheelEvent* e) {
  if (!isEnabled() || e->angleDelta().y() == 0) return;
  Step(e->angleDelta().y() > 0 ? 1 : -1);
}

bool NumberEdit::eventFilter(QObject* watched, QEvent* e) {
  if (watched == GetEditor() && e->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(e)->key();
    if (key == Qt::Key_Up || key == Qt::Key_Down) {
      Step(key == Qt::Key_Up ? 1 : -1);
      return true;
    }
  }
  return MEdit::eventFilter(watched, e);
}

void NumberEdit::Step(int delta) {
  const int next = std::clamp(GetValue() + delta, GetMin(), GetMax());
  const QString text = QString::number(next);
  if (text == GetTitle()) return;
  SetTitle(text);
  Notify(kEventEditChanged, next);
  Confirm();
}

void NumberEdit::Confirm() {
  {
    QMutexLocker lock(&mutex_);
    confirmed_ = GetTitle();
  }
  Notify(kEventClick, GetValue());
}

void NumberEdit::OnTextEdited(const QString& text) {
  Notify(kEventEditChanged, KeepText(text).toInt());
}

void NumberEdit::OnEnter() { Confirm(); }

void NumberEdit::OnFocusChanged(bool in) {
  MEdit::OnFocusChanged(in);
  bool changed;
  {
    QMutexLocker lock(&mutex_);
    changed = confirmed_ != GetTitle();
  }
  if (!in && changed) Confirm();
}

}  // namespace DUI

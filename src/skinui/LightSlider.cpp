#include "skinui/LightSlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kPad = 12;
constexpr int kTrackH = 6;

}  // namespace

LightSlider::LightSlider(QWidget* parent, int id) : MControl(parent, id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void LightSlider::SetRange(int minimum, int maximum) {
  {
    QMutexLocker lock(&mutex_);
    min_ = std::min(minimum, maximum);
    max_ = std::max(minimum, maximum);
    pos_ = std::clamp(pos_, min_, max_);
  }
  Refresh();
}

int LightSlider::GetMin() const {
  QMutexLocker lock(&mutex_);
  return min_;
}

int LightSlider::GetMax() const {
  QMutexLocker lock(&mutex_);
  return max_;
}

void LightSlider::SetPos(int level) {
  {
    QMutexLocker lock(&mutex_);
    pos_ = std::clamp(level, min_, max_);
  }
  Refresh();
}

int LightSlider::GetPos() const {
  QMutexLocker lock(&mutex_);
  return pos_;
}

void LightSlider::SetImage(const QString& bar) {
  {
    QMutexLocker lock(&mutex_);
    bar_ = bar;
  }
  Refresh();
}

QRect LightSlider::GetTrackRect() const {
  return QRect(kPad, height() / 2 - kTrackH / 2, std::max(1, width() - 2 * kPad), kTrackH);
}

int LightSlider::XOfLevel(int level) const {
  const QRect track = GetTrackRect();
  const int span = std::max(1, GetMax() - GetMin());
  return track.left() + int(std::lround(double(level - GetMin()) * track.width() / span));
}

int LightSlider::LevelAt(int x) const {
  const QRect track = GetTrackRect();
  const int span = std::max(1, GetMax() - GetMin());
  const double ratio = double(x - track.left()) / track.width();
  return std::clamp(GetMin() + int(std::lround(ratio * span)), GetMin(), GetMax());
}

void LightSlider::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect track = GetTrackRect();
  const int pos = GetPos();
  const int x = XOfLevel(pos);
  MRender::DrawPanel(p, QRectF(track), kTrackH / 2.0, MStyle::PanelRaised(), Qt::transparent);
  const QRect filled(track.left(), track.top(), x - track.left(), track.height());
  QString bar;
  {
    QMutexLocker lock(&mutex_);
    bar = bar_;
  }
  const QPixmap barPix = MRender::LoadImage(bar);
  if (filled.width() > 0) {
    if (!barPix.isNull()) {
      MRender::DrawImage(p, barPix, filled, kTrackH / 2);
    } else {
      p.setPen(Qt::NoPen);
      p.setBrush(isEnabled() ? MStyle::Accent() : MStyle::TextDisabled());
      p.drawRoundedRect(QRectF(filled), kTrackH / 2.0, kTrackH / 2.0);
    }
  }
  // Notches under the track, one per level.
  p.setPen(Qt::NoPen);
  for (int level = GetMin(); level <= GetMax(); ++level) {
    p.setBrush(level <= pos ? MStyle::Accent() : MStyle::Border());
    p.drawEllipse(QPointF(XOfLevel(level), track.bottom() + 9), 2, 2);
  }
  QColor halo = MStyle::Accent();
  halo.setAlpha(dragging_ || IsHovered() ? 70 : 35);
  p.setBrush(halo);
  p.drawEllipse(QPointF(x, track.center().y() + 0.5), 11, 11);
  p.setBrush(MStyle::Text());
  p.setPen(QPen(isEnabled() ? MStyle::Accent() : MStyle::TextDisabled(), 3));
  p.drawEllipse(QPointF(x, track.center().y() + 0.5), 7, 7);
}

void LightSlider::DragTo(int x) {
  const int level = LevelAt(x);
  if (level == GetPos()) return;
  SetPos(level);
  update();
  Notify(kEventChanging, level);
}

void LightSlider::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  dragging_ = true;
  DragTo(int(e->position().x()));
}

void LightSlider::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) DragTo(int(e->position().x()));
}

void LightSlider::mouseReleaseEvent(QMouseEvent* e) {
  if (!dragging_) return;
  DragTo(int(e->position().x()));
  dragging_ = false;
  update();
  Notify(kEventClick, GetPos());
}

void LightSlider::keyPressEvent(QKeyEvent* e) {
  int step = 0;
  if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Down) step = -1;
  if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Up) step = 1;
  if (step == 0) return MControl::keyPressEvent(e);
  const int before = GetPos();
  SetPos(before + step);
  if (GetPos() != before) Notify(kEventClick, GetPos());
}

}  // namespace DUI

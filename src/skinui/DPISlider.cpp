#include "skinui/DPISlider.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <cmath>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kPad = 24;     // room for the thumb and the bubble at the ends
constexpr int kTrackY = 40;  // centre line of the track
constexpr int kTrackH = 6;

}  // namespace

DPISlider::DPISlider(QWidget* parent, int id) : MControlFont(parent, id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

void DPISlider::SetMaxProgress(int maximum) {
  {
    QMutexLocker lock(&mutex_);
    max_ = std::max(1, maximum);
    pos_ = std::clamp(pos_, 0, max_);
  }
  Refresh();
}

int DPISlider::GetMaxProgress() const {
  QMutexLocker lock(&mutex_);
  return max_;
}

void DPISlider::SetProgress(int position) {
  {
    QMutexLocker lock(&mutex_);
    pos_ = std::clamp(position, 0, max_);
  }
  Refresh();
}

int DPISlider::GetProgress() const {
  QMutexLocker lock(&mutex_);
  return pos_;
}

void DPISlider::SetDPIDesc(const QString& maxText, const QString& stepText) {
  {
    QMutexLocker lock(&mutex_);
    maxText_ = maxText;
    stepText_ = stepText;
  }
  Refresh();
}

QString DPISlider::GetMaxText() const {
  QMutexLocker lock(&mutex_);
  return maxText_;
}

QString DPISlider::GetStepText() const {
  QMutexLocker lock(&mutex_);
  return stepText_;
}

void DPISlider::SetValueText(const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    valueText_ = text;
  }
  Refresh();
}

void DPISlider::SetImages(const QString& bar, const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    bar_ = bar;
    background_ = background;
  }
  Refresh();
}

QRect DPISlider::GetTrackRect() const {
  return QRect(kPad, kTrackY - kTrackH / 2, std::max(1, width() - 2 * kPad), kTrackH);
}

int DPISlider::PositionAt(int x) const {
  const QRect track = GetTrackRect();
  const int maximum = GetMaxProgress();
  const double ratio = double(x - track.left()) / double(track.width());
  return std::clamp(int(std::lround(ratio * maximum)), 0, maximum);
}

int DPISlider::XOfPosition(int position) const {
  const QRect track = GetTrackRect();
  const int maximum = GetMaxProgress();
  return track.left() + int(std::lround(double(position) * track.width() / maximum));
}

void DPISlider::paintEvent(QPaintEvent*) {
  QString bar, background, maxText, stepText, valueText;
  int pos;
  {
    QMutexLocker lock(&mutex_);
    bar = bar_;
    background = background_;
    maxText = maxText_;
    stepText = stepText_;
    valueText = valueText_;
    pos = pos_;
  }
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPixmap bk = MRender::LoadImage(background);
  if (!bk.isNull()) MRender::DrawImage(p, bk, rect());

  const QRect track = GetTrackRect();
  const int x = XOfPosition(pos);
  MRender::DrawPanel(p, QRectF(track), kTrackH / 2.0, MStyle::PanelRaised(), Qt::transparent);
  const QRect filled(track.left(), track.top(), x - track.left(), track.height());
  const QPixmap barPix = MRender::LoadImage(bar);
  if (!barPix.isNull() && filled.width() > 0) {
    MRender::DrawImage(p, barPix, filled, kTrackH / 2);
  } else if (filled.width() > 0) {
    QLinearGradient g(track.topLeft(), track.topRight());
    g.setColorAt(0, MStyle::Accent().darker(170));
    g.setColorAt(1, MStyle::Accent());
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(filled), kTrackH / 2.0, kTrackH / 2.0);
  }
  // Thumb with a soft halo.
  const bool active = dragging_ || IsHovered();
  QColor halo = MStyle::Accent();
  halo.setAlpha(active ? 70 : 35);
  p.setPen(Qt::NoPen);
  p.setBrush(halo);
  p.drawEllipse(QPointF(x, kTrackY), 13, 13);
  p.setBrush(MStyle::Text());
  p.setPen(QPen(MStyle::Accent(), 3));
  p.drawEllipse(QPointF(x, kTrackY), 8, 8);

  if (!valueText.isEmpty()) {
    p.setFont(MStyle::Font(12, true));
    const int w = QFontMetrics(p.font()).horizontalAdvance(valueText) + 16;
    QRect bubble(x - w / 2, kTrackY - 38, w, 20);
    MRender::DrawPanel(p, QRectF(bubble), 6, MStyle::Accent(), Qt::transparent);
    p.setPen(QColor(0x06, 0x10, 0x18));
    p.drawText(bubble, Qt::AlignCenter, valueText);
  }
  p.setFont(MStyle::Font(12));
  p.setPen(MStyle::TextDim());
  const QRect labels(track.left() - 8, kTrackY + 12, track.width() + 16, 18);
  p.drawText(labels, Qt::AlignLeft | Qt::AlignVCenter, stepText);
  p.drawText(labels, Qt::AlignRight | Qt::AlignVCenter, maxText);
}

void DPISlider::DragTo(int x) {
  const int next = PositionAt(x);
  if (next == GetProgress()) return;
  SetProgress(next);
  update();
  Notify(kEventChanging, next);
}

void DPISlider::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  dragging_ = true;
  DragTo(int(e->position().x()));
  update();
}

void DPISlider::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) DragTo(int(e->position().x()));
}

void DPISlider::mouseReleaseEvent(QMouseEvent* e) {
  if (!dragging_) return;
  DragTo(int(e->position().x()));
  dragging_ = false;
  update();
  Notify(kEventClick, GetProgress());
}

void DPISlider::keyPressEvent(QKeyEvent* e) {
  int step = 0;
  if (e->key() == Qt::Key_Left || e->key() == Qt::Key_Down) step = -1;
  if (e->key() == Qt::Key_Right || e->key() == Qt::Key_Up) step = 1;
  if (e->key() == Qt::Key_PageDown) step = -10;
  if (e->key() == Qt::Key_PageUp) step = 10;
  if (step == 0) {
    MControlFont::keyPressEvent(e);
    return;
  }
  const int before = GetProgress();
  SetProgress(before + step);
  if (GetProgress() != before) Notify(kEventClick, GetProgress());
}

}  // namespace DUI

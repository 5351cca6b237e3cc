#include "skinui/MPalette.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kInset = 6;  // room for the marker at the edges

}  // namespace

MPalette::MPalette(QWidget* parent, int id) : MControl(parent, id) { setCursor(Qt::CrossCursor); }

void MPalette::SetColor(uint32_t colourRef) {
  const QColor c = MRender::FromColourRef(colourRef).toHsv();
  {
    QMutexLocker lock(&mutex_);
    if (c.hsvHueF() >= 0) hue_ = c.hsvHueF();
    saturation_ = c.hsvSaturationF();
  }
  Refresh();
}

uint32_t MPalette::GetColor() const {
  QMutexLocker lock(&mutex_);
  return MRender::ToColourRef(QColor::fromHsvF(float(std::clamp(hue_, 0.0, 0.9999)), float(saturation_), 1.0f));
}

QRect MPalette::GetFieldRect() const { return rect().adjusted(kInset, kInset, -kInset, -kInset); }

uint32_t MPalette::ColorAt(const QPoint& pos) const {
  const QRect f = GetFieldRect();
  const qreal hue = std::clamp(qreal(pos.x() - f.left()) / std::max(1, f.width() - 1), 0.0, 0.9999);
  const qreal sat = 1.0 - std::clamp(qreal(pos.y() - f.top()) / std::max(1, f.height() - 1), 0.0, 1.0);
  return MRender::ToColourRef(QColor::fromHsvF(float(hue), float(sat), 1.0f));
}

void MPalette::resizeEvent(QResizeEvent* e) {
  MControl::resizeEvent(e);
  const QRect f = GetFieldRect();
  field_ = QImage(f.size().expandedTo(QSize(1, 1)), QImage::Format_RGB32);
  for (int y = 0; y < field_.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(field_.scanLine(y));
    const float sat = 1.0f - float(y) / std::max(1, field_.height() - 1);
    for (int x = 0; x < field_.width(); ++x) {
      const float hue = std::min(0.9999f, float(x) / std::max(1, field_.width() - 1));
      line[x] = QColor::fromHsvF(hue, sat, 1.0f).rgb();
    }
  }
}

void MPalette::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QRect f = GetFieldRect();
  QPainterPath clip;
  clip.addRoundedRect(QRectF(f), 8, 8);
  p.save();
  p.setClipPath(clip);
  p.drawImage(f.topLeft(), field_);
  p.restore();
  p.setPen(QPen(MStyle::Border(), 1));
  p.setBrush(Qt::NoBrush);
  p.drawPath(clip);
  qreal hue, sat;
  {
    QMutexLocker lock(&mutex_);
    hue = hue_;
    sat = saturation_;
  }
  const QPointF marker(f.left() + hue * (f.width() - 1), f.top() + (1.0 - sat) * (f.height() - 1));
  p.setPen(QPen(QColor(0, 0, 0, 140), 3));
  p.drawEllipse(marker, 7, 7);
  p.setPen(QPen(Qt::white, 2));
  p.setBrush(MRender::FromColourRef(GetColor()));
  p.drawEllipse(marker, 7, 7);
}

void MPalette::PickAt(const QPoint& pos, int event) {
  const QRect f = GetFieldRect();
  {
    QMutexLocker lock(&mutex_);
    hue_ = std::clamp(qreal(pos.x() - f.left()) / std::max(1, f.width() - 1), 0.0, 0.9999);
    saturation_ = 1.0 - std::clamp(qreal(pos.y() - f.top()) / std::max(1, f.height() - 1), 0.0, 1.0);
  }
  update();
  Notify(event, GetColor());
}

void MPalette::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  dragging_ = true;
  PickAt(e->position().toPoint(), kEventChanging);
}

void MPalette::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) PickAt(e->position().toPoint(), kEventChanging);
}

void MPalette::mouseReleaseEvent(QMouseEvent* e) {
  if (!dragging_) return;
  dragging_ = false;
  PickAt(e->position().toPoint(), kEventClick);
}

}  // namespace DUI

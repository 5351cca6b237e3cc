#include "skinui/CDeviceState.h"

#include <QPainter>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CDeviceState::CDeviceState(QWidget* parent, int id) : MControlFont(parent, id) {}

void CDeviceState::SetImage(const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    background_ = background;
  }
  Refresh();
}

void CDeviceState::SetMode(int mode) {
  {
    QMutexLocker lock(&mutex_);
    mode_ = mode;
  }
  Refresh();
}

int CDeviceState::GetMode() const {
  QMutexLocker lock(&mutex_);
  return mode_;
}

void CDeviceState::SetModeIcons(const QString& wired, const QString& receiver) {
  {
    QMutexLocker lock(&mutex_);
    wiredIcon_ = wired;
    receiverIcon_ = receiver;
  }
  Refresh();
}

void CDeviceState::paintEvent(QPaintEvent*) {
  QString background;
  QString icon;
  int mode;
  {
    QMutexLocker lock(&mutex_);
    background = background_;
    mode = mode_;
    icon = mode == kWired ? wiredIcon_ : mode == kReceiver ? receiverIcon_ : QString();
  }
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QPixmap bk = MRender::LoadImage(background);
  if (!bk.isNull())
    MRender::DrawImage(p, bk, rect());
  else
    MRender::DrawPanel(p, QRectF(rect()), height() / 2.0, MStyle::Panel(), MStyle::Border());

  // Status light: green when a device is connected, grey otherwise.
  const int h = height();
  const QColor light = mode == kNone ? MStyle::TextDisabled() : MStyle::Success();
  QColor glow = light;
  glow.setAlpha(70);
  const QPointF centre(h / 2.0 + 4, h / 2.0);
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(centre, 7, 7);
  p.setBrush(light);
  p.drawEllipse(centre, 4, 4);

  int x = h + 4;
  const QPixmap pix = MRender::LoadImage(icon);
  if (!pix.isNull()) {
    const int side = std::min(20, h - 8);
    MRender::DrawFitted(p, pix, QRect(x, (h - side) / 2, side, side));
    x += side + 6;
  }
  DrawTitle(p, QRect(x, 0, width() - x - 8, h));
}

}  // namespace DUI

#include "skinui/MProgress.h"

#include <QPainter>
#include <QTimerEvent>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

MProgress::MProgress(QWidget* parent, int id) : MControl(parent, id) {}

void MProgress::SetMaxProgress(int maximum) {
  {
    QMutexLocker lock(&mutex_);
    max_ = std::max(1, maximum);
    value_ = std::clamp(value_, 0, max_);
  }
  Refresh();
}

int MProgress::GetMaxProgress() const {
  QMutexLocker lock(&mutex_);
  return max_;
}

void MProgress::SetProgress(int value) {
  {
    QMutexLocker lock(&mutex_);
    value_ = std::clamp(value, 0, max_);
  }
  Refresh();
}

int MProgress::GetProgress() const {
  QMutexLocker lock(&mutex_);
  return value_;
}

void MProgress::SetAnimation(bool on) {
  OnGui([this, on] {
    if (on && animTimer_ == 0) animTimer_ = startTimer(30);
    if (!on && animTimer_ != 0) {
      killTimer(animTimer_);
      animTimer_ = 0;
    }
    update();
  });
}

void MProgress::SetImages(const QString& bar, const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    bar_ = bar;
    background_ = background;
  }
  Refresh();
}

void MProgress::SetBarColor(const QColor& colour) {
  {
    QMutexLocker lock(&mutex_);
    barColor_ = colour;
  }
  Refresh();
}

void MProgress::timerEvent(QTimerEvent* e) {
  if (e->timerId() != animTimer_) return MControl::timerEvent(e);
  phase_ = (phase_ + 3) % 200;
  update();
}

void MProgress::paintEvent(QPaintEvent*) {
  QString bar, background;
  QColor colour;
  int max, value;
  {
    QMutexLocker lock(&mutex_);
    bar = bar_;
    background = background_;
    colour = barColor_.isValid() ? barColor_ : MStyle::Accent();
    max = max_;
    value = value_;
  }
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal radius = std::min(height() / 2.0, 6.0);
  const QPixmap bk = MRender::LoadImage(background);
  if (!bk.isNull())
    MRender::DrawImage(p, bk, rect());
  else
    MRender::DrawPanel(p, QRectF(rect()), radius, MStyle::PanelRaised(), Qt::transparent);
  const int filledW = int(qint64(width()) * value / max);
  if (filledW <= 0) return;
  const QRect filled(0, 0, filledW, height());
  const QPixmap barPix = MRender::LoadImage(bar);
  if (!barPix.isNull()) {
    MRender::DrawImage(p, barPix, filled);
  } else {
    QLinearGradient g(filled.topLeft(), filled.topRight());
    g.setColorAt(0, colour.darker(160));
    g.setColorAt(1, colour);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(filled), radius, radius);
  }
  if (animTimer_ != 0) {
    // A soft highlight that sweeps across the filled part.
    const qreal centre = filledW * (phase_ / 200.0 * 1.6 - 0.3);
    QLinearGradient sheen(QPointF(centre - 40, 0), QPointF(centre + 40, 0));
    sheen.setColorAt(0, QColor(255, 255, 255, 0));
    sheen.setColorAt(0.5, QColor(255, 255, 255, 90));
    sheen.setColorAt(1, QColor(255, 255, 255, 0));
    p.setBrush(sheen);
    p.drawRoundedRect(QRectF(filled), radius, radius);
  }
}

}  // namespace DUI

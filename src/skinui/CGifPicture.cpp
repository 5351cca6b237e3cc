#include "skinui/CGifPicture.h"

#include <QMovie>
#include <QPainter>
#include <QTimerEvent>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CGifPicture::CGifPicture(QWidget* parent, int id) : MControl(parent, id) {}

void CGifPicture::SetImage(const QString& name) {
  OnGui([this, name] {
    delete movie_;
    movie_ = new QMovie(MRender::ResolvePath(name), QByteArray(), this);
    if (!movie_->isValid()) {
      delete movie_;
      movie_ = nullptr;
    } else {
      movie_->setCacheMode(QMovie::CacheAll);
      connect(movie_, &QMovie::frameChanged, this, qOverload<>(&QWidget::update));
    }
    if (wanted_ && isVisible()) Play();
    update();
  });
}

void CGifPicture::Play() {
  OnGui([this] {
    wanted_ = true;
    if (movie_ != nullptr) {
      if (movie_->state() != QMovie::Running) movie_->start();
    } else if (spinTimer_ == 0) {
      spinTimer_ = startTimer(16);
    }
  });
}

void CGifPicture::Stop() {
  OnGui([this] {
    wanted_ = false;
    if (movie_ != nullptr) movie_->stop();
    if (spinTimer_ != 0) killTimer(spinTimer_);
    spinTimer_ = 0;
  });
}

bool CGifPicture::IsPlaying() const {
  return movie_ != nullptr ? movie_->state() == QMovie::Running : spinTimer_ != 0;
}

int CGifPicture::GetFrameCount() const { return movie_ != nullptr ? movie_->frameCount() : 0; }

void CGifPicture::showEvent(QShowEvent* e) {
  MControl::showEvent(e);
  if (wanted_) Play();
}

void CGifPicture::hideEvent(QHideEvent* e) {
  MControl::hideEvent(e);
  // Nothing to animate while hidden; resume on show.
  if (movie_ != nullptr) movie_->setPaused(true);
  if (spinTimer_ != 0) killTimer(spinTimer_);
  spinTimer_ = 0;
}

void CGifPicture::timerEvent(QTimerEvent* e) {
  if (e->timerId() != spinTimer_) return MControl::timerEvent(e);
  angle_ = (angle_ + 6) % 360;
  update();
}

void CGifPicture::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (movie_ != nullptr) {
    MRender::DrawFitted(p, movie_->currentPixmap(), rect());
    return;
  }
  const int side = std::min(width(), height()) - 16;
  if (side <= 0) return;
  QRectF r(0, 0, side, side);
  r.moveCenter(QRectF(rect()).center());
  p.setPen(QPen(MStyle::PanelRaised(), 5));
  p.drawEllipse(r);
  QConicalGradient g(r.center(), -angle_);
  g.setColorAt(0, MStyle::Accent());
  g.setColorAt(0.7, QColor(0, 0, 0, 0));
  p.setPen(QPen(QBrush(g), 5, Qt::SolidLine, Qt::RoundCap));
  p.drawArc(r, -angle_ * 16, 250 * 16);
}

}  // namespace DUI

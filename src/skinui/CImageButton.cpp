#include "skinui/CImageButton.h"

#include <QPainter>

#include "skinui/MRender.h"

namespace DUI {

CImageButton::CImageButton(QWidget* parent, int id) : MButton(parent, id) {}

void CImageButton::SetImage(const QString& name, int frames) {
  {
    QMutexLocker lock(&mutex_);
    picture_ = name;
    pictureFrames_ = std::max(1, frames);
  }
  Refresh();
}

QString CImageButton::GetImage() const {
  QMutexLocker lock(&mutex_);
  return picture_;
}

bool CImageButton::PaintPicture(QPainter& p, const QRect& r) {
  QString name;
  int frames;
  {
    QMutexLocker lock(&mutex_);
    name = picture_;
    frames = pictureFrames_;
  }
  const QPixmap strip = MRender::LoadImage(name);
  if (strip.isNull()) return false;
  const int state = !isEnabled() ? 3 : IsPressed() ? 2 : IsHovered() ? 1 : 0;
  QPixmap frame = MRender::Frame(strip, frames, frames > 1 ? state : 0);
  p.save();
  if (frames == 1 && state == 1) p.setOpacity(0.8);
  if (frames == 1 && state == 3) p.setOpacity(0.4);
  MRender::DrawFitted(p, frame, r);
  p.restore();
  return true;
}

void CImageButton::paintEvent(QPaintEvent* e) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  if (PaintPicture(p, rect())) return;
  p.end();
  MButton::paintEvent(e);
}

}  // namespace DUI

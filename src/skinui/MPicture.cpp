#include "skinui/MPicture.h"

#include <QPainter>

#include "skinui/MRender.h"

namespace DUI {

MPicture::MPicture(QWidget* parent, int id) : MControl(parent, id) {}

void MPicture::SetImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    image_ = name;
  }
  Refresh();
}

QString MPicture::GetImage() const {
  QMutexLocker lock(&mutex_);
  return image_;
}

void MPicture::SetDrawMode(DrawMode mode) {
  {
    QMutexLocker lock(&mutex_);
    mode_ = mode;
  }
  Refresh();
}

void MPicture::SetImageMargin(int margin) {
  {
    QMutexLocker lock(&mutex_);
    margin_ = margin;
  }
  Refresh();
}

QSize MPicture::GetImageSize() const { return MRender::LoadImage(GetImage()).size(); }

void MPicture::paintEvent(QPaintEvent*) {
  QString image;
  DrawMode mode;
  int margin;
  {
    QMutexLocker lock(&mutex_);
    image = image_;
    mode = mode_;
    margin = margin_;
  }
  const QPixmap pix = MRender::LoadImage(image);
  if (pix.isNull()) return;
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  switch (mode) {
    case kNineSlice:
      MRender::DrawImage(p, pix, rect(), margin);
      break;
    case kStretch:
      p.drawPixmap(rect(), pix);
      break;
    case kFit:
      MRender::DrawFitted(p, pix, rect());
      break;
    case kCenter: {
      QRect r(QPoint(0, 0), pix.size());
      r.moveCenter(rect().center());
      p.drawPixmap(r.topLeft(), pix);
      break;
    }
  }
}

}  // namespace DUI

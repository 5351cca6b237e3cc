#include "skinui/MRender.h"

#include <QFileInfo>
#include <QPixmapCache>
#include <QtMath>
#include <algorithm>

#include "skinui/Manager.h"

namespace DUI {

QString MRender::ResolvePath(const QString& name) {
  if (name.isEmpty()) return QString();
  QString path = name;
  path.replace('\\', '/');
  while (path.contains(QStringLiteral("//"))) path.replace(QStringLiteral("//"), QStringLiteral("/"));
  if (QFileInfo(path).isAbsolute()) return path;
  return Manager::GetSkinFolder() + path;
}

QPixmap MRender::LoadImage(const QString& name) {
  const QString path = ResolvePath(name);
  if (path.isEmpty()) return QPixmap();
  QPixmap pix;
  if (QPixmapCache::find(path, &pix)) return pix;
  if (!pix.load(path)) return QPixmap();
  QPixmapCache::insert(path, pix);
  return pix;
}

QIcon MRender::LoadIconFromFile(const QString& name) {
  const QString path = ResolvePath(name);
  if (path.isEmpty() || !QFileInfo::exists(path)) return QIcon();
  return QIcon(path);
}

void MRender::DrawImage(QPainter& p, const QPixmap& pix, const QRect& target, int margin) {
  if (pix.isNull() || target.isEmpty()) return;
  const int pw = pix.width();
  const int ph = pix.height();
  if (pix.size() == target.size()) {
    p.drawPixmap(target.topLeft(), pix);
    return;
  }
  int m = margin >= 0 ? margin : std::min(16, std::min(pw, ph) / 3);
  m = std::min({m, pw / 2, ph / 2, target.width() / 2, target.height() / 2});
  if (m <= 0) {
    p.drawPixmap(target, pix);
    return;
  }
  const int tx[4] = {target.left(), target.left() + m, target.right() + 1 - m, target.right() + 1};
  const int ty[4] = {target.top(), target.top() + m, target.bottom() + 1 - m, target.bottom() + 1};
  const int sx[4] = {0, m, pw - m, pw};
  const int sy[4] = {0, m, ph - m, ph};
  for (int row = 0; row < 3; ++row) {
    for (int col = 0; col < 3; ++col) {
      const QRect dst(QPoint(tx[col], ty[row]), QPoint(tx[col + 1] - 1, ty[row + 1] - 1));
      const QRect src(QPoint(sx[col], sy[row]), QPoint(sx[col + 1] - 1, sy[row + 1] - 1));
      if (dst.isEmpty() || src.isEmpty()) continue;
      p.drawPixmap(dst, pix, src);
    }
  }
}

QPixmap MRender::Frame(const QPixmap& strip, int frames, int index) {
  if (strip.isNull() || frames <= 1) return strip;
  const int w = strip.width() / frames;
  index = std::clamp(index, 0, frames - 1);
  return strip.copy(index * w, 0, w, strip.height());
}

void MRender::DrawFitted(QPainter& p, const QPixmap& pix, const QRect& target) {
  if (pix.isNull() || target.isEmpty()) return;
  QSize size = pix.size();
  if (size.width() > target.width() || size.height() > target.height())
    size.scale(target.size(), Qt::KeepAspectRatio);
  QRect dst(QPoint(0, 0), size);
  dst.moveCenter(target.center());
  p.save();
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(dst, pix);
  p.restore();
}

void MRender::DrawPanel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill,
                        const QColor& border) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(border.alpha() == 0 ? QPen(Qt::NoPen) : QPen(border, 1.0));
  p.setBrush(fill);
  const QRectF inner = border.alpha() == 0 ? r : r.adjusted(0.5, 0.5, -0.5, -0.5);
  p.drawRoundedRect(inner, radius, radius);
  p.restore();
}

QColor MRender::FromColourRef(uint32_t colourRef) {
  return QColor(int(colourRef & 0xFF), int((colourRef >> 8) & 0xFF), int((colourRef >> 16) & 0xFF));
}

uint32_t MRender::ToColourRef(const QColor& colour) {
  return uint32_t(colour.red()) | (uint32_t(colour.green()) << 8) | (uint32_t(colour.blue()) << 16);
}

}  // namespace DUI

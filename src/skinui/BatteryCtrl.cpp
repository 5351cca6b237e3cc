#include "skinui/BatteryCtrl.h"

#include <QHash>
#include <QImage>
#include <QPainter>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

QColor LevelColour(int level, bool charging) {
  if (charging) return MStyle::Accent();
  if (level <= 20) return MStyle::Danger();
  if (level <= 50) return MStyle::Warning();
  return MStyle::Success();
}

// Horizontal extent of the opaque part of a fill picture, so the level is
// measured inside the cell and not across its transparent margins.
QPair<int, int> OpaqueSpan(const QPixmap& pix) {
  static QHash<qint64, QPair<int, int>> cache;
  const qint64 key = pix.cacheKey();
  auto it = cache.find(key);
  if (it != cache.end()) return *it;
  const QImage img = pix.toImage().convertToFormat(QImage::Format_ARGB32);
  int left = img.width();
  int right = -1;
  for (int y = 0; y < img.height(); ++y) {
    const auto* line = reinterpret_cast<const QRgb*>(img.constScanLine(y));
    for (int x = 0; x < img.width(); ++x) {
      if (qAlpha(line[x]) < 16) continue;
      left = std::min(left, x);
      right = std::max(right, x);
    }
  }
  const QPair<int, int> span = right < left ? qMakePair(0, img.width()) : qMakePair(left, right + 1);
  cache.insert(key, span);
  return span;
}

void PaintPainted(QPainter& p, const QRectF& body, int level, bool charging) {
  const QColor colour = LevelColour(level, charging);
  p.setPen(QPen(MStyle::TextDim(), 1.5));
  p.setBrush(Qt::NoBrush);
  const QRectF shell = body.adjusted(0.75, 0.75, -4.75, -0.75);
  p.drawRoundedRect(shell, 3, 3);
  p.setPen(Qt::NoPen);
  p.setBrush(MStyle::TextDim());
  const qreal capH = shell.height() * 0.4;
  p.drawRoundedRect(QRectF(shell.right() + 1, shell.center().y() - capH / 2, 2.5, capH), 1, 1);
  const QRectF inner = shell.adjusted(2.5, 2.5, -2.5, -2.5);
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(inner.left(), inner.top(), inner.width() * level / 100.0, inner.height()), 1.5, 1.5);
}

void PaintBolt(QPainter& p, const QRectF& body) {
  const QPointF c = body.center() - QPointF(2, 0);
  const qreal s = body.height() * 0.42;
  QPolygonF bolt;
  bolt << c + QPointF(0.25 * s, -s) << c + QPointF(-0.55 * s, 0.12 * s) << c + QPointF(-0.05 * s, 0.12 * s)
       << c + QPointF(-0.25 * s, s) << c + QPointF(0.55 * s, -0.12 * s) << c + QPointF(0.05 * s, -0.12 * s);
  p.setPen(QPen(MStyle::Window(), 1.2));
  p.setBrush(QColor(0xFF, 0xE0, 0x4A));
  p.drawPolygon(bolt);
}

}  // namespace

BatteryCtrl::BatteryCtrl(QWidget* parent, int id) : MControlFont(parent, id) {
  SetFontSize(13);
  SetTextColor(MStyle::TextDim());
}

void BatteryCtrl::SetImages(const QString& background, const QString& value, const QString& charge) {
  {
    QMutexLocker lock(&mutex_);
    background_ = background;
    value_ = value;
    charge_ = charge;
  }
  Refresh();
}

void BatteryCtrl::SetBatteryInfo(int level, int state) {
  {
    QMutexLocker lock(&mutex_);
    level_ = std::clamp(level, 0, 100);
    state_ = state;
  }
  Refresh();
}

int BatteryCtrl::GetLevel() const {
  QMutexLocker lock(&mutex_);
  return level_;
}

int BatteryCtrl::GetState() const {
  QMutexLocker lock(&mutex_);
  return state_;
}

bool BatteryCtrl::IsCharging() const { return GetState() == 1; }

void BatteryCtrl::SetShowText(bool on) {
  {
    QMutexLocker lock(&mutex_);
    showText_ = on;
  }
  Refresh();
}

void BatteryCtrl::PaintGauge(QPainter& p, const QRect& r, int level, bool charging,
                             const QString& background, const QString& value, const QString& charge) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const QPixmap bk = MRender::LoadImage(background);
  const QPixmap fill = MRender::LoadImage(value);
  if (bk.isNull() || fill.isNull()) {
    PaintPainted(p, QRectF(r), level, charging);
    if (charging) PaintBolt(p, QRectF(r));
    p.restore();
    return;
  }
  p.drawPixmap(r, bk);
  const QPair<int, int> span = OpaqueSpan(fill);
  const qreal scale = qreal(r.width()) / fill.width();
  const int cut = span.first + int((span.second - span.first) * level / 100.0 + 0.5);
  QPixmap part = fill.copy(0, 0, cut, fill.height());
  if (!charging && level <= 20) {
    QPainter tint(&part);
    tint.setCompositionMode(QPainter::CompositionMode_SourceIn);
    tint.fillRect(part.rect(), MStyle::Danger());
  }
  p.drawPixmap(QRectF(r.left(), r.top(), cut * scale, r.height()), part, QRectF(part.rect()));
  const QPixmap bolt = MRender::LoadImage(charge);
  if (charging && !bolt.isNull())
    MRender::DrawFitted(p, bolt, r);
  else if (charging)
    PaintBolt(p, QRectF(r));
  p.restore();
}

void BatteryCtrl::paintEvent(QPaintEvent*) {
  QString background, value, charge;
  int level;
  bool charging;
  bool showText;
  {
    QMutexLocker lock(&mutex_);
    background = background_;
    value = value_;
    charge = charge_;
    level = level_;
    charging = state_ == 1;
    showText = showText_;
  }
  QPainter p(this);
  const int h = std::min(height(), 20);
  const int w = h * 2;
  PaintGauge(p, QRect(0, (height() - h) / 2, w, h), level, charging, background, value, charge);
  if (!showText) return;
  p.setFont(TitleFont());
  p.setPen(TitleColor());
  p.drawText(QRect(w + 8, 0, width() - w - 8, height()), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("%1%").arg(level));
}

}  // namespace DUI

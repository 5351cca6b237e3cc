#include "MousePainter.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>
#include <QTransform>
#include <QtMath>

#include "SkinColours.h"
#include "SkinWriter.h"

namespace {

constexpr int kTopW = 400;
constexpr int kTopH = 500;

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

// The right half of the outline; the left is its mirror around x = 200.
QPointF Mirror(const QPointF& pt) { return QPointF(kTopW - pt.x(), pt.y()); }

}  // namespace

MousePainter::Model MousePainter::K1() {
  return {skin::kAccent, QColor(0x2E, 0x33, 0x3D), QColor(0x12, 0x14, 0x19), false, false};
}

MousePainter::Model MousePainter::K3() {
  return {skin::kMagenta, QColor(0x30, 0x2C, 0x38), QColor(0x13, 0x11, 0x18), true, false};
}

MousePainter::Model MousePainter::K5() {
  return {skin::kGold, QColor(0x33, 0x31, 0x2E), QColor(0x14, 0x13, 0x11), true, true};
}

MousePainter::Model MousePainter::Classic() {
  return {QColor(0x9A, 0xE6, 0xFF), QColor(0xD9, 0xDD, 0xE4), QColor(0x8C, 0x92, 0x9E), false, false};
}

QPainterPath MousePainter::Body() {
  QPainterPath path;
  path.moveTo(200, 38);
  path.cubicTo(245, 38, 268, 55, 272, 92);
  path.cubicTo(277, 135, 285, 190, 283, 250);
  path.cubicTo(281, 320, 278, 385, 262, 425);
  path.cubicTo(248, 458, 226, 472, 200, 472);
  path.cubicTo(Mirror({226, 472}), Mirror({248, 458}), Mirror({262, 425}));
  path.cubicTo(Mirror({278, 385}), Mirror({281, 320}), Mirror({283, 250}));
  path.cubicTo(Mirror({285, 190}), Mirror({277, 135}), Mirror({272, 92}));
  path.cubicTo(Mirror({268, 55}), Mirror({245, 38}), QPointF(200, 38));
  path.closeSubpath();
  return path;
}

QPainterPath MousePainter::ButtonArea(bool left) {
  // Above the curve that ends the buttons, on one side of the centre groove.
  QPainterPath area;
  if (left) {
    area.moveTo(0, 0);
    area.lineTo(198.5, 0);
    area.lineTo(198.5, 190);
    area.cubicTo(170, 192, 140, 200, 0, 222);
  } else {
    area.moveTo(kTopW, 0);
    area.lineTo(201.5, 0);
    area.lineTo(201.5, 190);
    area.cubicTo(230, 192, 260, 200, kTopW, 222);
  }
  area.closeSubpath();
  return area.intersected(Body());
}

void MousePainter::PaintShell(QPainter& p, const Model& model) {
  // Soft shadow under the mouse.
  for (int i = 0; i < 12; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 10));
    p.drawPath(QTransform().translate(200, 262).scale(1.0 + i * 0.012, 1.0 + i * 0.01).translate(-200, -255).map(Body()));
  }
  QRadialGradient shell(QPointF(185, 210), 260);
  shell.setColorAt(0, model.shellLight);
  shell.setColorAt(1, model.shellDark);
  p.setBrush(shell);
  p.setPen(QPen(QColor(255, 255, 255, 28), 1.2));
  p.drawPath(Body());
  if (model.honeycomb) {
    // Perforated shell: a hexagon grid over the palm.
    p.save();
    p.setClipPath(Body().subtracted(ButtonArea(true)).subtracted(ButtonArea(false)));
    p.setPen(QPen(QColor(0, 0, 0, 120), 1.2));
    p.setBrush(QColor(0, 0, 0, 70));
    for (int row = 0; row < 16; ++row) {
      for (int col = 0; col < 14; ++col) {
        const qreal cx = 110 + col * 14 + (row % 2) * 7;
        const qreal cy = 250 + row * 12;
        QPolygonF hex;
        for (int k = 0; k < 6; ++k) {
          const qreal a = qDegreesToRadians(60.0 * k + 30.0);
          hex << QPointF(cx + 4.2 * qCos(a), cy + 4.2 * qSin(a));
        }
        p.drawPolygon(hex);
      }
    }
    p.restore();
  }
}

void MousePainter::PaintButtons(QPainter& p, const Model& model) {
  for (bool left : {true, false}) {
    QLinearGradient g(200, 40, left ? 120 : 280, 200);
    g.setColorAt(0, model.shellLight.lighter(118));
    g.setColorAt(1, model.shellDark.lighter(115));
    p.setBrush(g);
    p.setPen(QPen(QColor(0, 0, 0, 150), 1.5));
    p.drawPath(ButtonArea(left));
  }
  // A gloss line along each button.
  p.setPen(QPen(QColor(255, 255, 255, 30), 2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(150, 70), QPointF(140, 150));
  p.drawLine(QPointF(250, 70), QPointF(260, 150));
  (void)model;
}

void MousePainter::PaintWheelAndDpi(QPainter& p, const Model& model) {
  // Wheel slot and the rubber wheel with its ridges.
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x06, 0x07, 0x09));
  p.drawRoundedRect(QRectF(186, 112, 28, 76), 12, 12);
  QLinearGradient wheel(191, 0, 209, 0);
  wheel.setColorAt(0, QColor(0x1A, 0x1C, 0x21));
  wheel.setColorAt(0.5, QColor(0x4A, 0x4F, 0x5A));
  wheel.setColorAt(1, QColor(0x1A, 0x1C, 0x21));
  p.setBrush(wheel);
  p.drawRoundedRect(QRectF(191, 118, 18, 64), 8, 8);
  p.setPen(QPen(QColor(0, 0, 0, 140), 1));
  for (int y = 124; y < 178; y += 5) p.drawLine(QPointF(193, y), QPointF(207, y));
  p.setPen(QPen(WithAlpha(model.accent, 150), 1.5));
  p.setBrush(Qt::NoBrush);
  p.drawRoundedRect(QRectF(186.5, 112.5, 27, 75), 12, 12);
  // DPI button with its stage light.
  p.setPen(QPen(QColor(0, 0, 0, 160), 1.2));
  p.setBrush(model.shellLight.lighter(110));
  p.drawRoundedRect(QRectF(190, 196, 20, 18), 5, 5);
  QRadialGradient led(QPointF(200, 205), 8);
  led.setColorAt(0, model.accent.lighter(130));
  led.setColorAt(1, WithAlpha(model.accent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(led);
  p.drawEllipse(QPointF(200, 205), 8, 8);
  p.setBrush(model.accent);
  p.drawEllipse(QPointF(200, 205), 2.5, 2.5);
}

void MousePainter::PaintSideButtons(QPainter& p, const Model& model) {
  for (qreal cy : {240.0, 300.0}) {
    const QRectF pill(120, cy - 18, 17, 36);
    QLinearGradient g(pill.topLeft(), pill.topRight());
    g.setColorAt(0, model.shellDark.lighter(160));
    g.setColorAt(1, model.shellLight.lighter(105));
    p.setPen(QPen(QColor(0, 0, 0, 170), 1.2));
    p.setBrush(g);
    p.drawRoundedRect(pill, 7, 7);
    p.setPen(QPen(QColor(255, 255, 255, 40), 1));
    p.drawLine(QPointF(pill.left() + 5, pill.top() + 7), QPointF(pill.left() + 5, pill.bottom() - 7));
  }
}

void MousePainter::PaintLights(QPainter& p, const Model& model) {
  // Light strips along the lower flanks and the logo on the palm.
  for (bool left : {true, false}) {
    QPainterPath strip;
    const qreal s = left ? -1 : 1;
    strip.moveTo(200 + s * 78, 330);
    strip.cubicTo(200 + s * 76, 380, 200 + s * 62, 430, 200 + s * 28, 458);
    QLinearGradient g(0, 320, 0, 460);
    g.setColorAt(0, WithAlpha(model.accent, 0));
    g.setColorAt(0.5, model.accent);
    g.setColorAt(1, WithAlpha(model.accent, 40));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QBrush(g), 7, Qt::SolidLine, Qt::RoundCap));
    p.setOpacity(0.25);
    p.drawPath(strip);
    p.setOpacity(1.0);
    p.setPen(QPen(QBrush(g), 2.5, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(strip);
  }
  QRadialGradient glow(QPointF(200, 372), 46);
  glow.setColorAt(0, WithAlpha(model.accent, 90));
  glow.setColorAt(1, WithAlpha(model.accent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(200, 372), 46, 46);
  // Logo mark: a bar and a chevron.
  p.setBrush(model.accent);
  p.drawRect(QRectF(186, 356, 6, 32));
  QPolygonF chevron({{216, 356}, {208, 356}, {194, 372}, {208, 388}, {216, 388}, {202, 372}});
  p.drawPolygon(chevron);
}

void MousePainter::PaintReceiver(QPainter& p, const QPointF& at, qreal scale, const Model& model) {
  p.save();
  p.translate(at);
  p.scale(scale, scale);
  QLinearGradient g(0, 0, 0, 40);
  g.setColorAt(0, QColor(0x3A, 0x3F, 0x4A));
  g.setColorAt(1, QColor(0x17, 0x19, 0x1F));
  p.setPen(QPen(QColor(255, 255, 255, 30), 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(0, 0, 26, 40), 6, 6);
  p.setBrush(QColor(0xA8, 0xAE, 0xB8));
  p.drawRect(QRectF(5, -14, 16, 14));
  p.setBrush(QColor(0x30, 0x33, 0x3A));
  p.drawRect(QRectF(8, -10, 4, 4));
  p.drawRect(QRectF(14, -10, 4, 4));
  p.setPen(Qt::NoPen);
  p.setBrush(model.accent);
  p.drawEllipse(QPointF(13, 28), 2.5, 2.5);
  p.restore();
}

QImage MousePainter::TopView(const Model& model) {
  QImage image = SkinWriter::Blank(kTopW, kTopH);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  if (!model.wireless) {
    // The cable leaves the nose and curls away.
    QPainterPath cable;
    cable.moveTo(200, 40);
    cable.cubicTo(200, 20, 214, 12, 222, 0);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0x08, 0x09, 0x0B), 7, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
    p.setPen(QPen(QColor(0x3A, 0x3F, 0x4A), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cable);
  }
  PaintShell(p, model);
  PaintButtons(p, model);
  PaintWheelAndDpi(p, model);
  PaintSideButtons(p, model);
  PaintLights(p, model);
  return image;
}

QImage MousePainter::DevicePicture(const Model& model) {
  constexpr int kW = 260;
  constexpr int kH = 220;
  QImage image = SkinWriter::Blank(kW, kH);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  // A glowing floor under the mouse.
  QRadialGradient floor(QPointF(kW / 2.0, kH * 0.74), kW * 0.42);
  floor.setColorAt(0, WithAlpha(model.accent, 70));
  floor.setColorAt(1, WithAlpha(model.accent, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(floor);
  p.drawEllipse(QPointF(kW / 2.0, kH * 0.74), kW * 0.42, kH * 0.14);
  // The top view, turned and foreshortened as if seen from the front left.
  const QImage top = TopView(model);
  QTransform t;
  t.translate(kW * 0.47, kH * 0.5);
  t.scale(1.0, 0.62);
  t.rotate(-38);
  t.scale(0.46, 0.46);
  t.translate(-kTopW / 2.0, -kTopH / 2.0);
  p.setTransform(t);
  p.drawImage(0, 0, top);
  p.resetTransform();
  if (model.wireless) PaintReceiver(p, QPointF(kW * 0.80, kH * 0.66), 0.9, model);
  return image;
}

QImage MousePainter::AppIcon(int size) {
  QImage image = SkinWriter::Blank(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal s = size / 256.0;
  const QRectF r(8 * s, 8 * s, 240 * s, 240 * s);
  QLinearGradient bg(r.topLeft(), r.bottomRight());
  bg.setColorAt(0, QColor(0x1D, 0x22, 0x2C));
  bg.setColorAt(1, QColor(0x0B, 0x0D, 0x11));
  p.setPen(QPen(WithAlpha(skin::kAccent, 160), std::max(1.0, 6 * s)));
  p.setBrush(bg);
  p.drawRoundedRect(r, 52 * s, 52 * s);
  QLinearGradient mark(64 * s, 60 * s, 196 * s, 196 * s);
  mark.setColorAt(0, skin::kAccent);
  mark.setColorAt(1, skin::kMagenta);
  p.setPen(Qt::NoPen);
  p.setBrush(mark);
  p.drawRect(QRectF(70 * s, 62 * s, 30 * s, 132 * s));
  QPolygonF chevron({QPointF(190 * s, 62 * s), QPointF(152 * s, 62 * s), QPointF(106 * s, 128 * s),
                     QPointF(152 * s, 194 * s), QPointF(190 * s, 194 * s), QPointF(144 * s, 128 * s)});
  p.drawPolygon(chevron);
  return image;
}

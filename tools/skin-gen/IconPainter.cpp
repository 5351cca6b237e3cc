#include "IconPainter.h"

#include <QPainterPath>
#include <QtMath>

namespace {

// Point in a box given in 24-unit icon coordinates.
QPointF At(const QRectF& b, qreal x, qreal y) {
  return QPointF(b.left() + x * b.width() / 24.0, b.top() + y * b.height() / 24.0);
}

qreal Unit(const QRectF& b) { return b.width() / 24.0; }

}  // namespace

void IconPainter::Stroke(QPainter& p, const QRectF& box, const QColor& colour) {
  p.setPen(QPen(colour, 1.8 * Unit(box), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void IconPainter::Draw(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour) {
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  Stroke(p, box, colour);
  const QRectF& b = box;
  switch (glyph) {
    case kHome: DrawHome(p, b); break;
    case kMouse: DrawMouse(p, b); break;
    case kGauge: DrawGauge(p, b); break;
    case kMacro: DrawMacro(p, b); break;
    case kLight: DrawLight(p, b); break;
    case kDevice: DrawDevice(p, b); break;
    case kGear: DrawGear(p, b); break;
    case kReset: DrawReset(p, b); break;
    case kDesktop: DrawDesktop(p, b); break;
    case kWired: DrawWired(p, b); break;
    case kReceiver: DrawReceiver(p, b); break;
    case kBolt: DrawBolt(p, b, colour); break;
    case kClose:
      p.drawLine(At(b, 7, 7), At(b, 17, 17));
      p.drawLine(At(b, 17, 7), At(b, 7, 17));
      break;
    case kMaximize:
      p.drawRoundedRect(QRectF(At(b, 6.5, 6.5), At(b, 17.5, 17.5)), Unit(b), Unit(b));
      break;
    case kRestore:
      p.drawRoundedRect(QRectF(At(b, 6, 9), At(b, 15, 18)), Unit(b), Unit(b));
      p.drawPolyline(QPolygonF({At(b, 9, 9), At(b, 9, 6), At(b, 18, 6), At(b, 18, 15), At(b, 15, 15)}));
      break;
    case kMinimize:
      p.drawLine(At(b, 6.5, 12), At(b, 17.5, 12));
      break;
    case kBack:
      p.drawLine(At(b, 18, 12), At(b, 6, 12));
      p.drawPolyline(QPolygonF({At(b, 11, 7), At(b, 6, 12), At(b, 11, 17)}));
      break;
    case kPencil: {
      QPainterPath path;
      path.moveTo(At(b, 5, 19));
      path.lineTo(At(b, 6, 15));
      path.lineTo(At(b, 16, 5));
      path.lineTo(At(b, 19, 8));
      path.lineTo(At(b, 9, 18));
      path.closeSubpath();
      p.drawPath(path);
      p.drawLine(At(b, 14, 7), At(b, 17, 10));
      break;
    }
    case kArrowUp:
      p.drawPolyline(QPolygonF({At(b, 6, 15), At(b, 12, 9), At(b, 18, 15)}));
      break;
    case kArrowDown:
      p.drawPolyline(QPolygonF({At(b, 6, 9), At(b, 12, 15), At(b, 18, 9)}));
      break;
    case kRecord:
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawEllipse(At(b, 12, 12), 6 * Unit(b), 6 * Unit(b));
      break;
    case kStop:
      p.setPen(Qt::NoPen);
      p.setBrush(colour);
      p.drawRoundedRect(QRectF(At(b, 6.5, 6.5), At(b, 17.5, 17.5)), 2 * Unit(b), 2 * Unit(b));
      break;
    case kList:
      for (int row = 0; row < 3; ++row) {
        const qreal y = 7 + row * 5;
        p.drawPoint(At(b, 5, y));
        p.drawLine(At(b, 9, y), At(b, 19, y));
      }
      break;
    case kHelp: {
      p.drawEllipse(At(b, 12, 12), 9 * Unit(b), 9 * Unit(b));
      QPainterPath q;
      q.moveTo(At(b, 9.5, 9.5));
      q.cubicTo(At(b, 9.5, 6.5), At(b, 14.5, 6.5), At(b, 14.5, 9.5));
      q.cubicTo(At(b, 14.5, 11.5), At(b, 12, 11.5), At(b, 12, 14));
      p.drawPath(q);
      p.drawPoint(At(b, 12, 17));
      break;
    }
  }
  p.restore();
}

void IconPainter::DrawHome(QPainter& p, const QRectF& b) {
  p.drawPolyline(QPolygonF({At(b, 3.5, 11.5), At(b, 12, 4), At(b, 20.5, 11.5)}));
  p.drawPolyline(QPolygonF({At(b, 6, 10), At(b, 6, 20), At(b, 18, 20), At(b, 18, 10)}));
  p.drawRoundedRect(QRectF(At(b, 10, 14), At(b, 14, 20)), Unit(b), Unit(b));
}

void IconPainter::DrawMouse(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 6.5, 3), At(b, 17.5, 21)), 5.5 * Unit(b), 5.5 * Unit(b));
  p.drawLine(At(b, 12, 3.5), At(b, 12, 10));
  p.drawLine(At(b, 6.8, 10), At(b, 17.2, 10));
  p.drawLine(At(b, 12, 6), At(b, 12, 7.5));
}

void IconPainter::DrawGauge(QPainter& p, const QRectF& b) {
  const QRectF arc(At(b, 3, 4), At(b, 21, 22));
  p.drawArc(arc, 200 * 16, -220 * 16);
  p.drawLine(At(b, 12, 13), At(b, 16.5, 8));
  p.drawEllipse(At(b, 12, 13), 1.2 * Unit(b), 1.2 * Unit(b));
  p.drawLine(At(b, 5, 18.5), At(b, 19, 18.5));
}

void IconPainter::DrawMacro(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 3, 6), At(b, 21, 18)), 2 * Unit(b), 2 * Unit(b));
  for (int i = 0; i < 4; ++i) p.drawPoint(At(b, 7 + i * 3.3, 10));
  p.drawLine(At(b, 8, 14), At(b, 16, 14));
}

void IconPainter::DrawLight(QPainter& p, const QRectF& b) {
  p.drawEllipse(At(b, 12, 12), 4 * Unit(b), 4 * Unit(b));
  for (int i = 0; i < 8; ++i) {
    const qreal a = qDegreesToRadians(i * 45.0);
    p.drawLine(At(b, 12 + 7 * qCos(a), 12 + 7 * qSin(a)), At(b, 12 + 9.5 * qCos(a), 12 + 9.5 * qSin(a)));
  }
}

void IconPainter::DrawDevice(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 6, 6), At(b, 18, 18)), 2 * Unit(b), 2 * Unit(b));
  p.drawRoundedRect(QRectF(At(b, 9.5, 9.5), At(b, 14.5, 14.5)), Unit(b) * 0.6, Unit(b) * 0.6);
  for (int i = 0; i < 3; ++i) {
    const qreal t = 9 + i * 3;
    p.drawLine(At(b, t, 3), At(b, t, 6));
    p.drawLine(At(b, t, 18), At(b, t, 21));
    p.drawLine(At(b, 3, t), At(b, 6, t));
    p.drawLine(At(b, 18, t), At(b, 21, t));
  }
}

void IconPainter::DrawGear(QPainter& p, const QRectF& b) {
  QPainterPath gear;
  const int teeth = 8;
  for (int i = 0; i < teeth * 2; ++i) {
    const qreal a0 = qDegreesToRadians((i - 0.5) * 180.0 / teeth);
    const qreal a1 = qDegreesToRadians((i + 0.5) * 180.0 / teeth);
    const qreal r = (i % 2 == 0) ? 9.0 : 7.0;
    const QPointF p0 = At(b, 12 + r * qCos(a0), 12 + r * qSin(a0));
    const QPointF p1 = At(b, 12 + r * qCos(a1), 12 + r * qSin(a1));
    if (i == 0) gear.moveTo(p0); else gear.lineTo(p0);
    gear.lineTo(p1);
  }
  gear.closeSubpath();
  p.drawPath(gear);
  p.drawEllipse(At(b, 12, 12), 3 * Unit(b), 3 * Unit(b));
}

void IconPainter::DrawReset(QPainter& p, const QRectF& b) {
  const QRectF arc(At(b, 5, 5), At(b, 19, 19));
  p.drawArc(arc, 60 * 16, 290 * 16);
  const QPointF tip = At(b, 12 + 7 * qCos(qDegreesToRadians(-60.0)), 12 + 7 * qSin(qDegreesToRadians(-60.0)));
  p.drawPolyline(QPolygonF({tip + QPointF(-4.5, -0.5) * Unit(b), tip, tip + QPointF(0.5, -4.5) * Unit(b)}));
}

void IconPainter::DrawDesktop(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 3, 4), At(b, 21, 16)), 1.5 * Unit(b), 1.5 * Unit(b));
  p.drawLine(At(b, 12, 16), At(b, 12, 20));
  p.drawLine(At(b, 8, 20), At(b, 16, 20));
  QPainterPath cursor;
  cursor.moveTo(At(b, 10, 7));
  cursor.lineTo(At(b, 10, 13.5));
  cursor.lineTo(At(b, 11.8, 11.8));
  cursor.lineTo(At(b, 14.8, 12));
  cursor.closeSubpath();
  p.drawPath(cursor);
}

void IconPainter::DrawWired(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 8, 3), At(b, 16, 11)), Unit(b), Unit(b));
  p.drawLine(At(b, 10.5, 3), At(b, 10.5, 1.5));
  p.drawLine(At(b, 13.5, 3), At(b, 13.5, 1.5));
  QPainterPath cable;
  cable.moveTo(At(b, 12, 11));
  cable.cubicTo(At(b, 12, 17), At(b, 5, 14), At(b, 6, 21));
  p.drawPath(cable);
}

void IconPainter::DrawReceiver(QPainter& p, const QRectF& b) {
  p.drawRoundedRect(QRectF(At(b, 8, 12), At(b, 16, 21)), 1.5 * Unit(b), 1.5 * Unit(b));
  p.drawLine(At(b, 10, 21), At(b, 14, 21));
  p.drawArc(QRectF(At(b, 8, 5), At(b, 16, 13)), 40 * 16, 100 * 16);
  p.drawArc(QRectF(At(b, 5, 2), At(b, 19, 16)), 40 * 16, 100 * 16);
}

void IconPainter::DrawBolt(QPainter& p, const QRectF& b, const QColor& colour) {
  QPolygonF bolt({At(b, 13.5, 2), At(b, 5.5, 13.5), At(b, 11, 13.5), At(b, 9.5, 22), At(b, 18.5, 10),
                  At(b, 13, 10)});
  p.setBrush(colour);
  p.setPen(QPen(QColor(0x0F, 0x11, 0x16), 1.2 * Unit(b), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawPolygon(bolt);
}

#include "PanelPainter.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QRandomGenerator>
#include <QtMath>

#include "SkinColours.h"
#include "SkinWriter.h"

namespace {

QColor WithAlpha(QColor c, int alpha) {
  c.setAlpha(alpha);
  return c;
}

}  // namespace

QImage PanelPainter::WindowBackground(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient base(0, 0, 0, height);
  base.setColorAt(0, QColor(0x12, 0x15, 0x1C));
  base.setColorAt(1, QColor(0x0B, 0x0D, 0x11));
  p.fillRect(image.rect(), base);
  // Two soft glows: accent at the top left, magenta at the bottom right.
  QRadialGradient glowA(QPointF(width * 0.12, height * 0.05), width * 0.45);
  glowA.setColorAt(0, WithAlpha(skin::kAccent, 38));
  glowA.setColorAt(1, WithAlpha(skin::kAccent, 0));
  p.fillRect(image.rect(), glowA);
  QRadialGradient glowB(QPointF(width * 0.95, height * 1.05), width * 0.40);
  glowB.setColorAt(0, WithAlpha(skin::kMagenta, 26));
  glowB.setColorAt(1, WithAlpha(skin::kMagenta, 0));
  p.fillRect(image.rect(), glowB);
  // A faint diagonal mesh gives the dark surface some texture.
  p.setPen(QPen(QColor(255, 255, 255, 6), 1));
  for (int x = -height; x < width; x += 22) p.drawLine(x, height, x + height, 0);
  // Fine grain so the gradients do not band.
  QRandomGenerator rng(7);
  for (int i = 0; i < width * height / 40; ++i) {
    const int x = int(rng.bounded(width));
    const int y = int(rng.bounded(height));
    p.setPen(QColor(255, 255, 255, int(rng.bounded(6))));
    p.drawPoint(x, y);
  }
  return image;
}

QImage PanelPainter::Panel(int size, int radius, const QColor& top, const QColor& bottom, const QColor& border,
                           bool accentEdge) {
  QImage image = SkinWriter::Blank(size, size);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF r = QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5);
  QLinearGradient g(0, 0, 0, size);
  g.setColorAt(0, top);
  g.setColorAt(1, bottom);
  p.setPen(border.alpha() > 0 ? QPen(border, 1) : QPen(Qt::NoPen));
  p.setBrush(g);
  p.drawRoundedRect(r, radius, radius);
  // A lighter line along the top edge catches the light.
  QPainterPath clip;
  clip.addRoundedRect(r, radius, radius);
  p.setClipPath(clip);
  p.setPen(QPen(QColor(255, 255, 255, 14), 1));
  p.drawLine(QPointF(radius, 1.5), QPointF(size - radius, 1.5));
  if (accentEdge) {
    QLinearGradient edge(0, 0, size, 0);
    edge.setColorAt(0, WithAlpha(skin::kAccent, 0));
    edge.setColorAt(0.5, WithAlpha(skin::kAccent, 160));
    edge.setColorAt(1, WithAlpha(skin::kAccent, 0));
    p.setPen(QPen(QBrush(edge), 1.5));
    p.drawLine(QPointF(radius, 0.75), QPointF(size - radius, 0.75));
  }
  return image;
}

QImage PanelPainter::CaptionBar(int width, int height, bool top) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, top ? QColor(0x19, 0x1C, 0x24) : QColor(0x10, 0x12, 0x17));
  g.setColorAt(1, top ? QColor(0x12, 0x14, 0x1A) : QColor(0x15, 0x18, 0x1F));
  p.fillRect(image.rect(), g);
  p.setPen(skin::kBorder);
  if (top)
    p.drawLine(0, height - 1, width, height - 1);
  else
    p.drawLine(0, 0, width, 0);
  return image;
}

QImage PanelPainter::TabStripBackground(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  QLinearGradient g(0, 0, width, 0);
  g.setColorAt(0, QColor(0x14, 0x17, 0x1D, 230));
  g.setColorAt(1, QColor(0x14, 0x17, 0x1D, 120));
  p.fillRect(image.rect(), g);
  p.setPen(skin::kBorder);
  p.drawLine(width - 1, 0, width - 1, height);
  return image;
}

QImage PanelPainter::TabItemSelected(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, width, 0);
  g.setColorAt(0, WithAlpha(skin::kAccent, 75));
  g.setColorAt(0.6, WithAlpha(skin::kAccent, 18));
  g.setColorAt(1, WithAlpha(skin::kAccent, 0));
  p.fillRect(image.rect(), g);
  return image;
}

QImage PanelPainter::ButtonStrip(int frameWidth, int frameHeight, bool outline) {
  return SkinWriter::Strip(frameWidth, frameHeight, 4, [&](QPainter& p, const QRectF& f, int state) {
    const QRectF r = f.adjusted(0.5, 0.5, -0.5, -0.5);
    QColor top = outline ? skin::kPanel : skin::kRaised.lighter(108);
    QColor bottom = outline ? skin::kPanel : skin::kRaised;
    QColor border = outline ? skin::kAccent.darker(160) : skin::kBorder.lighter(115);
    if (state == 1) {
      top = top.lighter(125);
      bottom = bottom.lighter(125);
      border = skin::kAccent;
    } else if (state == 2) {
      top = bottom.darker(120);
      bottom = top;
      border = skin::kAccent.darker(130);
    } else if (state == 3) {
      top = bottom = skin::kPanel;
      border = skin::kBorder;
    }
    QLinearGradient g(0, 0, 0, f.height());
    g.setColorAt(0, top);
    g.setColorAt(1, bottom);
    p.setPen(QPen(border, 1));
    p.setBrush(g);
    p.drawRoundedRect(r, 6, 6);
    if (state == 1) {
      p.setPen(QPen(WithAlpha(skin::kAccent, 60), 3));
      p.setBrush(Qt::NoBrush);
      p.drawRoundedRect(r.adjusted(1.5, 1.5, -1.5, -1.5), 5, 5);
    }
  });
}

QImage PanelPainter::IconButtonStrip(IconPainter::Glyph glyph, int size, bool dangerHover, bool round) {
  return SkinWriter::Strip(size, size, 4, [&](QPainter& p, const QRectF& f, int state) {
    QColor bg = Qt::transparent;
    QColor fg = skin::kTextDim;
    if (state == 1) {
      bg = dangerHover ? skin::kDanger : skin::kRaised;
      fg = dangerHover ? QColor(Qt::white) : skin::kText;
    } else if (state == 2) {
      bg = dangerHover ? skin::kDanger.darker(125) : skin::kRaised.darker(120);
      fg = dangerHover ? QColor(Qt::white) : skin::kAccent;
    } else if (state == 3) {
      fg = QColor(0x4A, 0x50, 0x5C);
    }
    if (bg.alpha() > 0) {
      p.setPen(Qt::NoPen);
      p.setBrush(bg);
      if (round)
        p.drawEllipse(f.adjusted(1, 1, -1, -1));
      else
        p.drawRoundedRect(f.adjusted(1, 1, -1, -1), 6, 6);
    }
    const qreal inset = size * 0.18;
    IconPainter::Draw(p, glyph, f.adjusted(inset, inset, -inset, -inset), fg);
  });
}

QImage PanelPainter::Bar(int width, int height, const QColor& from, const QColor& to) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, width, 0);
  g.setColorAt(0, from);
  g.setColorAt(1, to);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(image.rect()), height / 2.0, height / 2.0);
  return image;
}

QImage PanelPainter::Field(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(skin::kBorder, 1));
  p.setBrush(QColor(0x0C, 0x0E, 0x12));
  p.drawRoundedRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 6, 6);
  p.setPen(QPen(QColor(0, 0, 0, 90), 1));
  p.drawLine(QPointF(6, 1.5), QPointF(width - 6, 1.5));
  return image;
}

QImage PanelPainter::KeyBackground(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QRadialGradient g(QPointF(width / 2.0, height * 0.45), std::max(width, height) * 0.5);
  g.setColorAt(0, WithAlpha(skin::kAccent, 34));
  g.setColorAt(0.6, WithAlpha(skin::kAccent, 8));
  g.setColorAt(1, WithAlpha(skin::kAccent, 0));
  p.fillRect(image.rect(), g);
  // Concentric rings suggest a stage under the mouse.
  p.setBrush(Qt::NoBrush);
  for (int i = 1; i <= 3; ++i) {
    p.setPen(QPen(WithAlpha(skin::kAccent, 26 - i * 6), 1));
    const qreal rx = width * (0.22 + 0.09 * i);
    p.drawEllipse(QPointF(width / 2.0, height * 0.86), rx, rx * 0.18);
  }
  return image;
}

QImage PanelPainter::Prompt(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, QColor(0x1C, 0x20, 0x29));
  g.setColorAt(1, QColor(0x12, 0x14, 0x1A));
  p.setPen(QPen(skin::kBorder, 1));
  p.setBrush(g);
  p.drawRoundedRect(QRectF(image.rect()).adjusted(0.5, 0.5, -0.5, -0.5), 10, 10);
  QLinearGradient edge(0, 0, width, 0);
  edge.setColorAt(0, WithAlpha(skin::kAccent, 0));
  edge.setColorAt(0.5, skin::kAccent);
  edge.setColorAt(1, WithAlpha(skin::kAccent, 0));
  p.setPen(QPen(QBrush(edge), 2));
  p.drawLine(QPointF(12, 1), QPointF(width - 12, 1));
  return image;
}

QImage PanelPainter::Logo(int width, int height, int fontPixels) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  // The mark: two chevrons forming a stylised K.
  const qreal h = height * 0.78;
  const qreal top = (height - h) / 2.0;
  const qreal markW = h * 0.8;
  QPainterPath mark;
  mark.moveTo(0, top);
  mark.lineTo(h * 0.28, top);
  mark.lineTo(h * 0.28, top + h);
  mark.lineTo(0, top + h);
  mark.closeSubpath();
  QPainterPath chevron;
  chevron.moveTo(markW, top);
  chevron.lineTo(markW - h * 0.3, top);
  chevron.lineTo(h * 0.34, top + h / 2.0);
  chevron.lineTo(markW - h * 0.3, top + h);
  chevron.lineTo(markW, top + h);
  chevron.lineTo(h * 0.64, top + h / 2.0);
  chevron.closeSubpath();
  QLinearGradient g(0, top, markW, top + h);
  g.setColorAt(0, skin::kAccent);
  g.setColorAt(1, skin::kMagenta);
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawPath(mark);
  p.drawPath(chevron);
  // The word mark, widely spaced.
  QFont font(QStringLiteral("DejaVu Sans"));
  font.setPixelSize(fontPixels);
  font.setWeight(QFont::Bold);
  font.setLetterSpacing(QFont::AbsoluteSpacing, fontPixels * 0.22);
  p.setFont(font);
  p.setPen(skin::kText);
  p.drawText(QRectF(markW + height * 0.3, 0, width, height), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("KORVEX"));
  return image;
}

QImage PanelPainter::BatteryOutline(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const QRectF shell(1, 1, width - 6, height - 2);
  p.setPen(QPen(skin::kTextDim, 1.6));
  p.setBrush(QColor(0x0C, 0x0E, 0x12));
  p.drawRoundedRect(shell.adjusted(0.5, 0.5, -0.5, -0.5), 3.5, 3.5);
  p.setPen(Qt::NoPen);
  p.setBrush(skin::kTextDim);
  p.drawRoundedRect(QRectF(width - 4.5, height * 0.32, 3, height * 0.36), 1, 1);
  return image;
}

QImage PanelPainter::BatteryFill(int width, int height) {
  // The cell inside the outline; the gauge cuts it at the level.
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient g(0, 0, 0, height);
  g.setColorAt(0, skin::kSuccess.lighter(115));
  g.setColorAt(1, skin::kSuccess.darker(115));
  p.setPen(Qt::NoPen);
  p.setBrush(g);
  p.drawRoundedRect(QRectF(4, 4, width - 12, height - 8), 1.5, 1.5);
  return image;
}

QImage PanelPainter::BatteryBolt(int width, int height) {
  QImage image = SkinWriter::Blank(width, height);
  QPainter p(&image);
  const qreal side = height * 1.05;
  IconPainter::Draw(p, IconPainter::kBolt, QRectF((width - 4 - side) / 2.0, (height - side) / 2.0, side, side),
                    QColor(0xFF, 0xE0, 0x4A));
  return image;
}

QImage PanelPainter::ModeStrip(int frameWidth, int frameHeight) {
  return SkinWriter::Strip(frameWidth, frameHeight, 2, [&](QPainter& p, const QRectF& f, int state) {
    const qreal side = std::min(f.width(), f.height());
    const QRectF box(f.center().x() - side / 2, f.center().y() - side / 2, side, side);
    IconPainter::Draw(p, state == 0 ? IconPainter::kWired : IconPainter::kReceiver, box, skin::kAccent);
  });
}

QImage PanelPainter::Icon(IconPainter::Glyph glyph, int size, const QColor& colour) {
  QImage image = SkinWriter::Blank(size, size);
  QPainter p(&image);
  IconPainter::Draw(p, glyph, QRectF(image.rect()), colour);
  return image;
}

QList<QImage> PanelPainter::SpinnerFrames(int size, int frames, const QColor& background) {
  QList<QImage> out;
  for (int f = 0; f < frames; ++f) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(background);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF c(size / 2.0, size / 2.0);
    const qreal radius = size * 0.3;
    // Twelve dots around a ring, the brightest one travelling.
    for (int i = 0; i < 12; ++i) {
      const int age = (f * 12 / frames - i + 12) % 12;
      const qreal a = qDegreesToRadians(i * 30.0 - 90.0);
      QColor dot = skin::kAccent;
      dot.setAlphaF(std::max(0.12, 1.0 - age / 9.0));
      p.setPen(Qt::NoPen);
      p.setBrush(dot);
      const qreal r = size * (age == 0 ? 0.062 : 0.05);
      p.drawEllipse(c + QPointF(radius * qCos(a), radius * qSin(a)), r, r);
    }
    out.append(image);
  }
  return out;
}

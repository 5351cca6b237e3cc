#pragma once
#include <QColor>
#include <QPainter>
#include <QRectF>

// Line icons of the skin, drawn into any square at any colour. The strokes
// scale with the square (a 24 px square gets 1.8 px lines).
class IconPainter {
 public:
  enum Glyph {
    kHome, kMouse, kGauge, kMacro, kLight, kDevice, kClose, kMaximize, kRestore, kMinimize,
    kGear, kReset, kBack, kPencil, kArrowUp, kArrowDown, kRecord, kStop, kList, kDesktop,
    kWired, kReceiver, kHelp, kBolt,
  };

  static void Draw(QPainter& p, Glyph glyph, const QRectF& box, const QColor& colour);

 private:
  static void Stroke(QPainter& p, const QRectF& box, const QColor& colour);
  static void DrawHome(QPainter& p, const QRectF& b);
  static void DrawMouse(QPainter& p, const QRectF& b);
  static void DrawGauge(QPainter& p, const QRectF& b);
  static void DrawMacro(QPainter& p, const QRectF& b);
  static void DrawLight(QPainter& p, const QRectF& b);
  static void DrawDevice(QPainter& p, const QRectF& b);
  static void DrawGear(QPainter& p, const QRectF& b);
  static void DrawReset(QPainter& p, const QRectF& b);
  static void DrawDesktop(QPainter& p, const QRectF& b);
  static void DrawWired(QPainter& p, const QRectF& b);
  static void DrawReceiver(QPainter& p, const QRectF& b);
  static void DrawBolt(QPainter& p, const QRectF& b, const QColor& colour);
};

#pragma once
#include <QColor>
#include <QImage>
#include <QPainterPath>

// The mouse pictures: the 400 x 500 top view of the buttons page (button
// places below match the model descriptors' callouts), the device-list
// pictures and the application icon.
//
// Button places on the top view (x, y): left button (168, 110), right button
// (232, 110), wheel (200, 150), DPI button (200, 205), forward (132, 240),
// back (132, 300).
class MousePainter {
 public:
  struct Model {
    QColor accent;
    QColor shellLight;
    QColor shellDark;
    bool wireless = false;
    bool honeycomb = false;
  };

  static Model K1();
  static Model K3();
  static Model K5();
  static Model Classic();

  static QImage TopView(const Model& model);
  static QImage DevicePicture(const Model& model);
  static QImage AppIcon(int size);

 private:
  static QPainterPath Body();
  static QPainterPath ButtonArea(bool left);
  static void PaintShell(QPainter& p, const Model& model);
  static void PaintButtons(QPainter& p, const Model& model);
  static void PaintWheelAndDpi(QPainter& p, const Model& model);
  static void PaintSideButtons(QPainter& p, const Model& model);
  static void PaintLights(QPainter& p, const Model& model);
  static void PaintReceiver(QPainter& p, const QPointF& at, qreal scale, const Model& model);
};

#pragma once
#include <QColor>
#include <QIcon>
#include <QPainter>
#include <QPixmap>
#include <QRect>
#include <QString>
#include <cstdint>

namespace DUI {

// Pictures and the drawing helpers shared by the controls. Pictures are named
// relative to the skin folder ("icon\\tab_home.png" and "icon/tab_home.png"
// are the same file); an absolute path is used as it is. Loading and drawing
// run on the GUI thread only; ResolvePath and the colour helpers anywhere.
class MRender {
 public:
  static QString ResolvePath(const QString& name);
  // Cached; a null pixmap when the file is missing.
  static QPixmap LoadImage(const QString& name);
  static QIcon LoadIconFromFile(const QString& name);

  // Stretches a picture over `target` keeping its corners: the outer
  // `margin` pixels are not scaled (-1: a third of the smaller side, at most
  // 16). A picture the size of the target is drawn as it is.
  static void DrawImage(QPainter& p, const QPixmap& pix, const QRect& target, int margin = -1);
  // One frame of a horizontal strip of `frames` equal pictures.
  static QPixmap Frame(const QPixmap& strip, int frames, int index);
  // A picture scaled to fit inside `target`, centred, aspect kept.
  static void DrawFitted(QPainter& p, const QPixmap& pix, const QRect& target);

  static void DrawPanel(QPainter& p, const QRectF& r, qreal radius, const QColor& fill,
                        const QColor& border = Qt::transparent);

  // Device colours travel as 0x00BBGGRR (red in the low byte).
  static QColor FromColourRef(uint32_t colourRef);
  static uint32_t ToColourRef(const QColor& colour);
};

}  // namespace DUI

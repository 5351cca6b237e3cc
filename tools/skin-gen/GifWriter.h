#pragma once
#include <QByteArray>
#include <QImage>
#include <QList>
#include <QVector>

// A small animated-GIF encoder (Qt reads GIF but does not write it). Frames
// are mapped to one 256-colour palette; the animation loops for ever.
class GifWriter {
 public:
  // All frames must have the same size. `delayCs` is the frame time in
  // hundredths of a second.
  static QByteArray Encode(const QList<QImage>& frames, const QVector<QRgb>& palette, int delayCs);
  // Decodes `gif` with Qt's reader and compares every frame with what
  // Encode was given (after the palette mapping).
  static bool RoundTrips(const QByteArray& gif, const QList<QImage>& frames, const QVector<QRgb>& palette);

 private:
  static QByteArray Lzw(const QImage& indexed);
};

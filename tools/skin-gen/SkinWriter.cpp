#include "SkinWriter.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageWriter>

SkinWriter::SkinWriter(const QString& root) : root_(QDir::cleanPath(root)) {}

QString SkinWriter::PathOf(const QString& name) const {
  const QString path = root_ + '/' + name;
  QDir().mkpath(QFileInfo(path).absolutePath());
  return path;
}

bool SkinWriter::Save(const QString& name, const QImage& image) {
  QImageWriter writer(PathOf(name), "png");
  writer.setQuality(0);  // smallest file: PNG quality maps to the zlib level
  const bool ok = writer.write(image.convertToFormat(QImage::Format_ARGB32));
  if (ok)
    ++written_;
  else
    failures_.append(name + ": " + writer.errorString());
  return ok;
}

bool SkinWriter::SaveIcon(const QString& name, const QList<QImage>& sizes) {
  // The .ico container: a directory of PNG-compressed entries.
  QByteArray data;
  QList<QByteArray> pngs;
  for (const QImage& image : sizes) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.convertToFormat(QImage::Format_ARGB32).save(&buffer, "png");
    pngs.append(png);
  }
  auto put16 = [&data](int v) {
    data.append(char(v & 0xFF));
    data.append(char((v >> 8) & 0xFF));
  };
  auto put32 = [&](int v) {
    put16(v & 0xFFFF);
    put16((v >> 16) & 0xFFFF);
  };
  put16(0);
  put16(1);
  put16(int(sizes.size()));
  int offset = 6 + 16 * int(sizes.size());
  for (int i = 0; i < sizes.size(); ++i) {
    const int w = sizes[i].width();
    const int h = sizes[i].height();
    data.append(char(w >= 256 ? 0 : w));
    data.append(char(h >= 256 ? 0 : h));
    data.append(char(0));
    data.append(char(0));
    put16(1);
    put16(32);
    put32(int(pngs[i].size()));
    put32(offset);
    offset += int(pngs[i].size());
  }
  for (const QByteArray& png : pngs) data.append(png);
  return SaveBytes(name, data);
}

bool SkinWriter::SaveBytes(const QString& name, const QByteArray& bytes) {
  QFile file(PathOf(name));
  const bool ok = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
  if (ok)
    ++written_;
  else
    failures_.append(name + ": " + file.errorString());
  return ok;
}

QImage SkinWriter::Blank(int width, int height) {
  QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

QImage SkinWriter::Strip(int frameWidth, int frameHeight, int frames, const FrameDraw& draw) {
  QImage image = Blank(frameWidth * frames, frameHeight);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  for (int state = 0; state < frames; ++state) {
    p.save();
    const QRectF frame(state * frameWidth, 0, frameWidth, frameHeight);
    p.setClipRect(frame);
    draw(p, frame, state);
    p.restore();
  }
  return image;
}

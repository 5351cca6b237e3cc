#pragma once
#include <QImage>
#include <QPainter>
#include <QString>
#include <QStringList>
#include <functional>

// Writes the skin's pictures below one folder and builds the state strips
// the widget library expects (frames side by side: normal, hover, pressed,
// disabled).
class SkinWriter {
 public:
  explicit SkinWriter(const QString& root);

  // `name` is relative to the root ("icon/tab_home.png"); folders are made.
  bool Save(const QString& name, const QImage& image);
  // Several sizes in one .ico file.
  bool SaveIcon(const QString& name, const QList<QImage>& sizes);
  bool SaveBytes(const QString& name, const QByteArray& bytes);
  int Written() const { return written_; }
  const QStringList& Failures() const { return failures_; }

  static QImage Blank(int width, int height);
  using FrameDraw = std::function<void(QPainter& p, const QRectF& frame, int state)>;
  static QImage Strip(int frameWidth, int frameHeight, int frames, const FrameDraw& draw);

 private:
  QString PathOf(const QString& name) const;

  QString root_;
  int written_ = 0;
  QStringList failures_;
};

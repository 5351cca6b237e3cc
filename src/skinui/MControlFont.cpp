#include "skinui/MControlFont.h"

#include <QFontMetrics>
#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {

MControlFont::MControlFont(QWidget* parent, int id) : MControl(parent, id) {}

void MControlFont::SetTitle(const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    if (title_ == text) return;
    title_ = text;
  }
  Refresh();
}

QString MControlFont::GetTitle() const {
  QMutexLocker lock(&mutex_);
  return title_;
}

void MControlFont::SetFontSize(int pixelSize) {
  {
    QMutexLocker lock(&mutex_);
    fontSize_ = pixelSize;
  }
  Refresh();
}

bool MControlFont::GetFontBold() const {
  QMutexLocker lock(&mutex_);
  return bold_;
}

int MControlFont::GetFontSize() const {
  QMutexLocker lock(&mutex_);
  return fontSize_ > 0 ? fontSize_ : MStyle::kFontSize;
}

void MControlFont::SetFontBold(bool bold) {
  {
    QMutexLocker lock(&mutex_);
    bold_ = bold;
  }
  Refresh();
}

void MControlFont::SetTextColor(const QColor& colour) {
  {
    QMutexLocker lock(&mutex_);
    color_ = colour;
  }
  Refresh();
}

QColor MControlFont::GetTextColor() const {
  QMutexLocker lock(&mutex_);
  return color_.isValid() ? color_ : MStyle::Text();
}

void MControlFont::SetTextAlign(Qt::Alignment align) {
  {
    QMutexLocker lock(&mutex_);
    align_ = align;
  }
  Refresh();
}

void MControlFont::SetMultiLine(bool on) {
  {
    QMutexLocker lock(&mutex_);
    multiLine_ = on;
  }
  Refresh();
}

QFont MControlFont::TitleFont() const {
  QMutexLocker lock(&mutex_);
  return MStyle::Font(fontSize_ > 0 ? fontSize_ : MStyle::kFontSize, bold_);
}

QColor MControlFont::TitleColor() const {
  if (!isEnabled()) return MStyle::TextDisabled();
  return GetTextColor();
}

Qt::Alignment MControlFont::TextAlign() const {
  QMutexLocker lock(&mutex_);
  return align_;
}

void MControlFont::DrawTitle(QPainter& p, const QRect& r) const {
  QString text;
  bool multiLine = false;
  Qt::Alignment align;
  {
    QMutexLocker lock(&mutex_);
    text = title_;
    multiLine = multiLine_;
    align = align_;
  }
  if (text.isEmpty()) return;
  p.save();
  p.setFont(TitleFont());
  p.setPen(TitleColor());
  if (multiLine) {
    p.drawText(r, int(align) | Qt::TextWordWrap, text);
  } else {
    const QString shown = QFontMetrics(p.font()).elidedText(text, Qt::ElideRight, r.width());
    p.drawText(r, int(align) | Qt::TextSingleLine, shown);
  }
  p.restore();
}

}  // namespace DUI

#pragma once
#include <QColor>
#include <QFont>

#include "skinui/MControl.h"

namespace DUI {

// A control that shows a text: the title with its font size, weight, colour
// and alignment. All setters are safe from any thread.
class MControlFont : public MControl {
  Q_OBJECT

 public:
  MControlFont(QWidget* parent, int id);

  virtual void SetTitle(const QString& text);
  QString GetTitle() const;
  void SetFontSize(int pixelSize);
  int GetFontSize() const;
  void SetFontBold(bool bold);
  bool GetFontBold() const;
  // An invalid colour means the theme's text colour.
  void SetTextColor(const QColor& colour);
  QColor GetTextColor() const;
  // Qt alignment flags; Qt::AlignLeft | Qt::AlignVCenter unless set.
  void SetTextAlign(Qt::Alignment align);
  // Several lines: the text wraps at word boundaries.
  void SetMultiLine(bool on);

 protected:
  QFont TitleFont() const;
  QColor TitleColor() const;  // dimmed when disabled
  // Draws the title into `r` with the control's font, colour and alignment.
  void DrawTitle(QPainter& p, const QRect& r) const;
  Qt::Alignment TextAlign() const;

 private:
  QString title_;
  int fontSize_ = 0;
  bool bold_ = false;
  QColor color_;
  Qt::Alignment align_ = Qt::AlignLeft | Qt::AlignVCenter;
  bool multiLine_ = false;
};

}  // namespace DUI

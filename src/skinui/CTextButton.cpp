#include "skinui/CTextButton.h"

#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {

CTextButton::CTextButton(QWidget* parent, int id) : MButton(parent, id) {
  SetTextAlign(Qt::AlignLeft | Qt::AlignVCenter);
}

void CTextButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QFont font = TitleFont();
  font.setUnderline(IsHovered() && isEnabled());
  p.setFont(font);
  QColor colour = isEnabled() ? MStyle::Accent() : MStyle::TextDisabled();
  if (IsPressed()) colour = colour.darker(130);
  p.setPen(colour);
  p.drawText(rect(), int(TextAlign()) | Qt::TextSingleLine, GetTitle());
}

}  // namespace DUI

#include "skinui/MText.h"

#include <QPainter>

namespace DUI {

MText::MText(QWidget* parent, int id) : MControlFont(parent, id) {}

void MText::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::TextAntialiasing);
  DrawTitle(p, rect());
}

}  // namespace DUI

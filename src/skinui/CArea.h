#pragma once
#include <QColor>

#include "skinui/MControl.h"

namespace DUI {

// A filled rectangle that can hold other controls: group backgrounds and the
// colour preview. The colour may be translucent.
class CArea : public MControl {
  Q_OBJECT

 public:
  CArea(QWidget* parent, int id);

  void SetColor(const QColor& fill);
  QColor GetColor() const;
  void SetBorderColor(const QColor& border);
  void SetRadius(int radius);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QColor fill_ = Qt::transparent;
  QColor border_ = Qt::transparent;
  int radius_ = 0;
};

}  // namespace DUI

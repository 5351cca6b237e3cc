#pragma once
#include "skinui/CArea.h"

namespace DUI {

// A rounded highlight panel tinted with the selection colour, unless given
// a colour of its own.
class CRoundArea : public CArea {
  Q_OBJECT

 public:
  CRoundArea(QWidget* parent, int id);

 protected:
  void paintEvent(QPaintEvent* e) override;
};

}  // namespace DUI

#pragma once
#include <QImage>
#include <cstdint>

#include "skinui/MControl.h"

namespace DUI {

// A colour field for light colours: hue runs left to right, saturation from
// full at the top to white at the bottom, always at full brightness.
// Colours are 0x00BBGGRR. Safe from any thread; SetColor never notifies.
// Events (param = colour):
//   kEventChanging (1) while the user drags
//   kEventClick (2)    on release: the final choice
class MPalette : public MControl {
  Q_OBJECT

 public:
  MPalette(QWidget* parent, int id);

  void SetColor(uint32_t colourRef);
  uint32_t GetColor() const;
  // The colour under a point of the field (GUI thread).
  uint32_t ColorAt(const QPoint& pos) const;
  QRect GetFieldRect() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void PickAt(const QPoint& pos, int event);

  qreal hue_ = 0;        // 0..1
  qreal saturation_ = 1; // 0..1
  QImage field_;
  bool dragging_ = false;
};

}  // namespace DUI

#pragma once
#include "skinui/MControl.h"

namespace DUI {

// A stepped level slider (brightness and speed, 0..4 unless changed), with a
// notch per level. Safe from any thread; setters never notify.
// Events (param = level):
//   kEventChanging (1) while dragging, each time the level changes
//   kEventClick (2)    on release, and after an arrow-key step
class LightSlider : public MControl {
  Q_OBJECT

 public:
  LightSlider(QWidget* parent, int id);

  void SetRange(int minimum, int maximum);
  int GetMin() const;
  int GetMax() const;
  void SetPos(int level);  // clamped to the range
  int GetPos() const;
  void SetImage(const QString& bar);
  QRect GetTrackRect() const;    // GUI thread
  int LevelAt(int x) const;      // GUI thread
  int XOfLevel(int level) const; // GUI thread

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void DragTo(int x);

  int min_ = 0;
  int max_ = 4;
  int pos_ = 0;
  QString bar_;
  bool dragging_ = false;
};

}  // namespace DUI

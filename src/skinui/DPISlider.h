#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// The DPI slider: a position 0..maximum on a track, with the step text at the
// left end, the maximum text at the right end and a value bubble over the
// thumb. Positions are the sensor's slider units; the page converts them to
// DPI. Every setter and getter is safe from any thread; setters never notify.
// Events (param = position):
//   kEventChanging (1) while dragging, each time the position changes
//   kEventClick (2)    on release, and after an arrow-key step
class DPISlider : public MControlFont {
  Q_OBJECT

 public:
  DPISlider(QWidget* parent, int id);

  void SetMaxProgress(int maximum);  // at least 1
  int GetMaxProgress() const;
  void SetProgress(int position);    // clamped to 0..maximum
  int GetProgress() const;
  void SetDPIDesc(const QString& maxText, const QString& stepText);
  QString GetMaxText() const;
  QString GetStepText() const;
  // Text shown in the bubble over the thumb (the DPI value); empty shows none.
  void SetValueText(const QString& text);
  void SetImages(const QString& bar, const QString& background);

  // The track in widget coordinates and the position a point on it stands
  // for (GUI thread).
  QRect GetTrackRect() const;
  int PositionAt(int x) const;
  int XOfPosition(int position) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void DragTo(int x);

  int max_ = 100;
  int pos_ = 0;
  QString maxText_;
  QString stepText_;
  QString valueText_;
  QString bar_;
  QString background_;
  bool dragging_ = false;
};

}  // namespace DUI

#pragma once
#include "skinui/MEdit.h"

namespace DUI {

// A numeric field: only digits can be typed or pasted (5 at most unless
// changed); the arrow keys, the wheel and the two small step marks at the
// right change the number by one inside the range. Safe from any thread.
// Events (param = the number, 0 for an empty field):
//   kEventEditChanged (29) the user changed the text (typing or a step)
//   kEventClick (2)        confirmed: Enter, leaving the field after a change,
//                          or a step
//   kEventSetFocus (7), kEventKillFocus (8)
class NumberEdit : public MEdit {
  Q_OBJECT

 public:
  NumberEdit(QWidget* parent, int id);

  void SetRange(int minimum, int maximum);
  int GetMin() const;
  int GetMax() const;
  void SetValue(int value);  // shows the number; no notification
  int GetValue() const;      // 0 for an empty field
  // Where the step marks are (GUI thread).
  QRect GetUpRect() const;
  QRect GetDownRect() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;
  void OnTextEdited(const QString& text) override;
  void OnEnter() override;
  void OnFocusChanged(bool in) override;

 private:
  void Step(int delta);
  void Confirm();

  int min_ = 0;
  int max_ = 99999;
  QString confirmed_;  // text at the last confirmation
};

}  // namespace DUI

#pragma once
#include "skinui/MControl.h"

namespace DUI {

// A progress bar 0..maximum, optionally with a running sheen. Safe from any
// thread (the update window's progress is written by the worker).
class MProgress : public MControl {
  Q_OBJECT

 public:
  MProgress(QWidget* parent, int id);

  void SetMaxProgress(int maximum);  // at least 1
  int GetMaxProgress() const;
  void SetProgress(int value);       // clamped to 0..maximum
  int GetProgress() const;
  void SetAnimation(bool on);        // a light sweeping along the filled part
  void SetImages(const QString& bar, const QString& background);
  void SetBarColor(const QColor& colour);  // invalid: the accent colour

 protected:
  void paintEvent(QPaintEvent* e) override;
  void timerEvent(QTimerEvent* e) override;

 private:
  int max_ = 100;
  int value_ = 0;
  QString bar_;
  QString background_;
  QColor barColor_;
  int animTimer_ = 0;
  int phase_ = 0;
};

}  // namespace DUI

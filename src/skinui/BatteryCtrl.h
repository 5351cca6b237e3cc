#pragma once
#include "skinui/MControlFont.h"

namespace DUI {

// The battery gauge: an outline, a fill for the level, a bolt while charging
// and the percentage. Pictures (outline, fill, bolt) are optional; without
// them the gauge is painted. SetBatteryInfo is safe from any thread.
class BatteryCtrl : public MControlFont {
  Q_OBJECT

 public:
  BatteryCtrl(QWidget* parent, int id);

  void SetImages(const QString& background, const QString& value, const QString& charge);
  // level 0..100 (clamped); state 1 means charging, any other value not.
  void SetBatteryInfo(int level, int state);
  int GetLevel() const;
  int GetState() const;
  bool IsCharging() const;
  void SetShowText(bool on);

  // Paints a gauge into `r`; shared with the device list's entries. GUI thread.
  static void PaintGauge(QPainter& p, const QRect& r, int level, bool charging,
                         const QString& background, const QString& value, const QString& charge);

 protected:
  void paintEvent(QPaintEvent* e) override;

 private:
  QString background_;
  QString value_;
  QString charge_;
  int level_ = 0;
  int state_ = 0;
  bool showText_ = true;
};

}  // namespace DUI

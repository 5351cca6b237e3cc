#pragma once
// The on-screen DPI display: a small always-on-top window at the bottom
// right of the desktop's work area (above a panel or task bar) showing the
// new DPI value for two seconds. It lives as long as the main window and is
// only shown and hidden.

#include "skinui/MDialog.h"

namespace DUI {
class CImageButton;
class MProgress;
class MText;
}  // namespace DUI

class QScreen;

namespace korvex {

class DPIMsgDlg : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "DPIMsgDlg";
  static constexpr int kWidth = 300;
  static constexpr int kHeight = 130;
  static constexpr int kTimerHide = 100;
  static constexpr int kShowForMs = 2000;
  static constexpr int kMaxDpi = 12000;
  static constexpr int kTextClose = 5;
  enum ControlId { kClose = 30, kValue = 31, kUnit = 32, kProgress = 33 };

  DPIMsgDlg();

  // Creates it hidden. The owner (the main window) keeps it above itself;
  // it may be null.
  bool Create(DUI::MWindow* owner);
  // Shows `value` at the bottom right of the work area for two seconds.
  // Any thread.
  void ShowDpi(int value);
  void ApplyTexts();

  // Where the display goes on a screen whose work area is `workArea`.
  static QRect PlaceIn(const QRect& workArea);

  QString ValueText() const;
  int Progress() const;

 protected:
  void OnCreate() override;
  void OnTimer(int id) override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;

 private:
  void Hide();

  DUI::CImageButton* close_ = nullptr;
  DUI::MText* value_ = nullptr;
  DUI::MProgress* bar_ = nullptr;
};

}  // namespace korvex

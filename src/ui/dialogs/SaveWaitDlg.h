#pragma once
// The saved confirmation shown after a settings change while tips are on:
// "saving" with a bar that fills in eleven 1 ms ticks, then "saved", and
// the window goes away two seconds after it appeared.

#include "ui/dialogs/AuxDialog.h"

namespace DUI {
class MProgress;
class MText;
}  // namespace DUI

namespace korvex {

class SaveWaitDlg : public AuxDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "SaveWaitDlg";
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 200;
  static constexpr int kTimerProgress = 100;
  static constexpr int kTimerClose = 200;
  static constexpr int kProgressStepMs = 1;
  static constexpr int kCloseAfterMs = 2000;
  static constexpr int kTextSaving = 630;
  static constexpr int kTextSaved = 631;
  enum ControlId { kLogo = 31, kMessage = 32, kProgress = 33 };

  SaveWaitDlg();

  // Creates it hidden, centred on the owner (the main window).
  bool Create(DUI::MWindow* owner);
  // Reuse of an open window: the bar starts again from 0 with its sheen
  // running, the two seconds start again, and it is shown again.
  void Restart();

  QString MessageText() const;
  int Progress() const { return progress_; }
  // Timer ticks of the bar since the last (re)start.
  int Ticks() const { return ticks_; }

 protected:
  void OnCreate() override;
  void OnTimer(int id) override;
  void showEvent(QShowEvent* e) override;

 private:
  void StartTimers();
  void Step();

  DUI::MText* message_ = nullptr;
  DUI::MProgress* bar_ = nullptr;
  int progress_ = 0;
  int ticks_ = 0;
};

}  // namespace korvex

#pragma once
// The firmware update progress window: a warning not to unplug, a status
// line and a bar. The worker writes the status and the bar directly and
// ends the window with DoOK when the transfer is over.

#include "ui/dialogs/AuxDialog.h"

namespace DUI {
class MProgress;
class MText;
}  // namespace DUI

namespace korvex {

class UpdateTipDlg : public AuxDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "UpdateTipDlg";
  static constexpr int kWidth = 391;
  static constexpr int kHeight = 130;
  static constexpr int kTextWarning = 596;
  // The first status before the transfer reports any progress.
  static constexpr const char* kFirstStatus = "升级中";
  // Both texts carry identifier 31, as the window has always had them.
  enum ControlId { kWarning = 31, kStatus = 31, kProgress = 32 };

  UpdateTipDlg();

  // Creates it hidden, centred on the owner.
  bool Create(DUI::MWindow* owner);
  // "<text>: <percent>%" and the bar at the percentage. Any thread.
  void ShowUpdateProgress(const QString& text, int percent);

  QString WarningText() const;
  QString StatusText() const;
  int Progress() const;

 protected:
  void OnCreate() override;

 private:
  DUI::MText* warning_ = nullptr;
  DUI::MText* status_ = nullptr;
  DUI::MProgress* bar_ = nullptr;
};

}  // namespace korvex

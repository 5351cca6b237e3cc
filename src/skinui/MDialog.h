#pragma once
#include "skinui/MWindow.h"

namespace DUI {

// The dialog base: a window whose modal run ends with OK (1) or Cancel (2).
// DoOK and DoCancel may be called from any thread (the worker closes the
// wait and update windows with DoOK); the OnOK/OnCancel hooks run on the GUI
// thread just before the run ends.
class MDialog : public MWindow {
  Q_OBJECT

 public:
  static constexpr int kOK = 1;
  static constexpr int kCancel = 2;

  MDialog();

  void DoOK();
  void DoCancel();
  // Escape ends the dialog with Cancel (off unless set).
  void SetEscapeCancels(bool on) { escapeCancels_ = on; }

 protected:
  virtual void OnOK() {}
  virtual void OnCancel() {}
  void keyPressEvent(QKeyEvent* e) override;

 private:
  bool escapeCancels_ = false;
};

}  // namespace DUI

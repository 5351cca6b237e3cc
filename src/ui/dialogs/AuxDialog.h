#pragma once
// Base of the small windows the main window keeps one of at a time (saved
// confirmation, busy indicator, update progress). Besides the library's
// blocking modal run they can be shown without blocking the caller
// (ShowAux): the owner window is still locked against input while they are
// up, but the caller's handler returns at once, so a second change or a
// worker's close never has to unwind a nested event loop.
//
// However it ends (DoOK or DoCancel from any thread, a close message posted
// by title, a hide), a window shown with ShowAux hides and emits Ended once.

#include "skinui/MDialog.h"

namespace korvex {

class AuxDialog : public DUI::MDialog {
  Q_OBJECT

 public:
  AuxDialog();

  // Shows the created window without a nested loop, blocking input to its
  // owner. GUI thread.
  void ShowAux();
  // Ended (or never shown): no longer visible for the user.
  bool HasEnded() const { return ended_; }
  int EndResult() const { return endResult_; }

 signals:
  void Ended(int result);

 protected:
  void OnOK() override;
  void OnCancel() override;
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override;
  void hideEvent(QHideEvent* e) override;
  // Ends a non-blocking show; a blocking run is ended by the library.
  void EndAux(int result);

 private:
  bool shownAux_ = false;
  bool ended_ = false;
  int endResult_ = 0;
};

}  // namespace korvex

#include "ui/dialogs/AuxDialog.h"

#include <QHideEvent>

#include "skinui/Events.h"

namespace korvex {

AuxDialog::AuxDialog() = default;

void AuxDialog::ShowAux() {
  if (!IsCreated() || IsDestroyed() || IsModal()) return;
  shownAux_ = true;
  ended_ = false;
  endResult_ = 0;
  // Set before showing: Qt reads the modality when the window appears.
  if (GetOwner() != nullptr) setWindowModality(Qt::WindowModal);
  ShowWindow(DUI::kShow);
}

void AuxDialog::OnOK() { EndAux(kOK); }

void AuxDialog::OnCancel() { EndAux(kCancel); }

bool AuxDialog::OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) {
  if (message == DUI::kMsgClose && shownAux_ && !IsModal()) {
    EndAux(wParam != 0 ? int(wParam) : kCancel);
    return true;
  }
  return MDialog::OnWindowMessage(message, wParam, lParam);
}

void AuxDialog::hideEvent(QHideEvent* e) {
  MDialog::hideEvent(e);
  // Hidden by someone else (a lookup by title): the window has ended too.
  if (!e->spontaneous() && shownAux_ && !ended_ && !IsModal()) EndAux(kCancel);
}

void AuxDialog::EndAux(int result) {
  if (!shownAux_ || ended_ || IsModal()) return;
  ended_ = true;
  endResult_ = result;
  hide();
  setWindowModality(Qt::NonModal);
  emit Ended(result);
}

}  // namespace korvex

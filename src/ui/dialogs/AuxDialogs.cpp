#include "ui/dialogs/AuxDialogs.h"

#include <QObject>

#include "skinui/GuiThread.h"
#include "skinui/MWindow.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"

namespace korvex {
namespace {

template <class Dialog>
void Discard(Dialog* dialog) {
  dialog->DestroyWindow();
  // Deferred: the dialog may be the one whose handler is running.
  dialog->deleteLater();
}

}  // namespace

AuxDialogs::AuxDialogs(DUI::MWindow* mainWindow) : main_(mainWindow), guard_(std::make_unique<QObject>()) {
  // Without an owner: the display shows also while the main window is
  // minimised or hidden in the tray.
  dpi_ = new DPIMsgDlg();
  dpi_->Create(nullptr);
}

AuxDialogs::~AuxDialogs() {
  guard_.reset();  // drops the connections and any late work first
  if (saved_) delete saved_.data();
  if (wait_) delete wait_.data();
  if (updateTip_) delete updateTip_.data();
  if (dpi_) delete dpi_.data();
}

template <class F>
void AuxDialogs::OnGui(F&& work) {
  DUI::GuiThread::Run(guard_.get(), std::forward<F>(work));
}

template <class Dialog>
void AuxDialogs::Replace(QPointer<Dialog>& slot) {
  if (!slot) return;
  Dialog* old = slot.data();
  slot = nullptr;
  Discard(old);
}

template <class Dialog>
void AuxDialogs::Show(QPointer<Dialog>& slot, Dialog* dialog) {
  slot = dialog;
  QPointer<Dialog> weak(dialog);
  QObject::connect(dialog, &AuxDialog::Ended, guard_.get(), [&slot, weak](int) {
    if (!weak) return;
    if (slot == weak) slot = nullptr;
    Discard(weak.data());
  });
  dialog->ShowAux();
}

int AuxDialogs::ShowMessage(int titleText, int messageText, int type) {
  return CUIMessageBox::ShowMessage(main_, titleText, messageText, type);
}

void AuxDialogs::ShowSaved() {
  Replace(saved_);
  auto* dialog = new SaveWaitDlg();
  dialog->Create(main_);
  Show(saved_, dialog);
}

void AuxDialogs::RestartSaved() {
  if (saved_ && !saved_->HasEnded())
    saved_->Restart();
  else
    ShowSaved();
}

void AuxDialogs::ShowBusy() {
  Replace(wait_);
  auto* dialog = new WaitDlg();
  dialog->Create(main_);
  Show(wait_, dialog);
}

void AuxDialogs::CloseWait() {
  OnGui([this] {
    if (wait_) wait_->DoOK();
  });
}

void AuxDialogs::ShowUpdateTip() {
  Replace(updateTip_);
  auto* dialog = new UpdateTipDlg();
  dialog->Create(main_);
  Show(updateTip_, dialog);
}

void AuxDialogs::ShowUpdateProgress(const QString& text, int percent) {
  OnGui([this, text, percent] {
    if (updateTip_) updateTip_->ShowUpdateProgress(text, percent);
  });
}

void AuxDialogs::CloseUpdateTip() {
  OnGui([this] {
    if (updateTip_) updateTip_->DoOK();
  });
}

void AuxDialogs::ShowDpi(int value) {
  OnGui([this, value] {
    if (dpi_) dpi_->ShowDpi(value);
  });
}

int AuxDialogs::ShowAbout(int firmwareRelease, const std::string& softwareVersion) {
  return AboutDlg::Show(main_, firmwareRelease, softwareVersion);
}

void AuxDialogs::ApplyTexts() {
  if (dpi_) dpi_->ApplyTexts();
}

}  // namespace korvex

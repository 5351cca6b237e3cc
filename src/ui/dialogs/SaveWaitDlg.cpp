#include "ui/dialogs/SaveWaitDlg.h"

#include <QShowEvent>

#include "skinui/Events.h"
#include "skinui/MPicture.h"
#include "skinui/MProgress.h"
#include "skinui/MText.h"
#include "skinui/Manager.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {

SaveWaitDlg::SaveWaitDlg() = default;

bool SaveWaitDlg::Create(DUI::MWindow* owner) {
  if (!MWindow::Create(owner, kTitle, kStyleToolWindow, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(owner);
  return true;
}

void SaveWaitDlg::OnCreate() {
  // Drawn as a layered window: only the rounded picture shows.
  setAttribute(Qt::WA_TranslucentBackground);
  SetBkColor(Qt::transparent, Qt::transparent);
  SetBkImage("img_area_content.png");
  const int w = width();

  auto* logo = CreateControl<DUI::MPicture>(kLogo);
  logo->SetImage("logo\\logo.png");
  logo->SetDrawMode(DUI::MPicture::kCenter);
  const QSize logoSize = logo->GetImageSize().isEmpty() ? QSize(170, 30) : logo->GetImageSize();
  logo->SetRect(QRect(QPoint(10, 10), logoSize));

  message_ = CreateControl<DUI::MText>(kMessage);
  message_->SetRect(10, 100, w - 10, 130);
  message_->SetFontSize(20);
  message_->SetTextColor(DUI::Manager::GetSelectColor());
  message_->SetTextAlign(Qt::AlignCenter);
  message_->SetTitle(DialogText(kTextSaving));

  // The bar keeps the same margin on both sides, a little below the text.
  bar_ = CreateControl<DUI::MProgress>(kProgress);
  bar_->SetRect(20, 134, w - 20, 150);
  bar_->SetMaxProgress(100);
}

QString SaveWaitDlg::MessageText() const { return message_ != nullptr ? message_->GetTitle() : QString(); }

void SaveWaitDlg::showEvent(QShowEvent* e) {
  AuxDialog::showEvent(e);
  if (!e->spontaneous()) StartTimers();
}

void SaveWaitDlg::StartTimers() {
  progress_ = 0;
  ticks_ = 0;
  bar_->SetProgress(0);
  SetTimer(kTimerProgress, kProgressStepMs);
  SetTimer(kTimerClose, kCloseAfterMs);
}

void SaveWaitDlg::Restart() {
  message_->SetTitle(DialogText(kTextSaving));
  bar_->SetAnimation(true);
  if (!isVisible()) {
    ShowAux();  // the show starts the timers
    return;
  }
  StartTimers();
  ShowWindow(DUI::kShow);
}

void SaveWaitDlg::OnTimer(int id) {
  if (id == kTimerProgress) {
    Step();
  } else if (id == kTimerClose) {
    KillTimer(kTimerClose);
    DoOK();
  }
}

void SaveWaitDlg::Step() {
  ++ticks_;
  progress_ += 10;
  bar_->SetProgress(progress_);
  if (progress_ > 100) {
    message_->SetTitle(DialogText(kTextSaved));
    KillTimer(kTimerProgress);
  }
}

}  // namespace korvex

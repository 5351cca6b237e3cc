#include "ui/dialogs/UpdateTipDlg.h"

#include "skinui/MProgress.h"
#include "skinui/MText.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {

UpdateTipDlg::UpdateTipDlg() = default;

bool UpdateTipDlg::Create(DUI::MWindow* owner) {
  if (!MWindow::Create(owner, kTitle, kStyleToolWindow, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(owner);
  return true;
}

void UpdateTipDlg::OnCreate() {
  setAttribute(Qt::WA_TranslucentBackground);
  SetBkColor(Qt::transparent, Qt::transparent);
  SetBkImage("img_upgrade_bkg.png");
  const int w = width();

  warning_ = CreateControl<DUI::MText>(kWarning);
  warning_->SetRect(20, 10, w - 20, 60);
  warning_->SetTextColor(QColor(0xC8, 0x0A, 0x0A));
  warning_->SetMultiLine(true);
  warning_->SetTextAlign(Qt::AlignLeft | Qt::AlignVCenter);
  warning_->SetTitle(DialogText(kTextWarning));

  status_ = CreateControl<DUI::MText>(kStatus);
  status_->SetRect(20, 60, w - 20, 80);
  status_->SetTitle(QString::fromUtf8(kFirstStatus));

  bar_ = CreateControl<DUI::MProgress>(kProgress);
  bar_->SetRect(20, 80, w - 20, 116);
  bar_->SetMaxProgress(100);
}

void UpdateTipDlg::ShowUpdateProgress(const QString& text, int percent) {
  if (status_ == nullptr) return;
  status_->SetTitle(QStringLiteral("%1: %2%").arg(text).arg(percent));
  bar_->SetProgress(percent);
}

QString UpdateTipDlg::WarningText() const { return warning_ != nullptr ? warning_->GetTitle() : QString(); }
QString UpdateTipDlg::StatusText() const { return status_ != nullptr ? status_->GetTitle() : QString(); }
int UpdateTipDlg::Progress() const { return bar_ != nullptr ? bar_->GetProgress() : 0; }

}  // namespace korvex

#include "ui/dialogs/DPIMsgDlg.h"

#include <QGuiApplication>
#include <QScreen>

#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/GuiThread.h"
#include "skinui/MProgress.h"
#include "skinui/MText.h"
#include "skinui/Manager.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {

DPIMsgDlg::DPIMsgDlg() = default;

bool DPIMsgDlg::Create(DUI::MWindow* owner) {
  const unsigned style = kStyleToolWindow | kStyleTopMost;
  return MWindow::Create(owner, kTitle, style, QRect(0, 0, kWidth, kHeight));
}

void DPIMsgDlg::OnCreate() {
  setAttribute(Qt::WA_TranslucentBackground);
  // Showing the value must not take the focus from what the user is doing.
  setAttribute(Qt::WA_ShowWithoutActivating);
  SetBkColor(Qt::transparent, Qt::transparent);
  SetBkImage("img_area_content.png");
  const int w = width();

  close_ = CreateControl<DUI::CImageButton>(kClose);
  close_->SetRect(w - 36, 10, w - 6, 40);
  close_->SetImage("sysbtn_close.png");

  value_ = CreateControl<DUI::MText>(kValue);
  value_->SetRect(10, 30, 170, 80);
  value_->SetFontSize(36);
  value_->SetFontBold(true);
  value_->SetTextColor(DUI::Manager::GetSelectColor());
  value_->SetTextAlign(Qt::AlignRight | Qt::AlignBottom);
  value_->SetTitle(QStringLiteral("1600"));

  // The unit ends inside the window so nothing of it is cut.
  auto* unit = CreateControl<DUI::MText>(kUnit);
  unit->SetRect(178, 50, w - 10, 80);
  unit->SetFontSize(20);
  unit->SetTextColor(QColor(0xC8, 0xC8, 0xC8));
  unit->SetTextAlign(Qt::AlignLeft | Qt::AlignBottom);
  unit->SetTitle(QStringLiteral("DPI"));

  // Centred under the value with the same margin on both sides.
  bar_ = CreateControl<DUI::MProgress>(kProgress);
  bar_->SetRect(20, 88, w - 20, 100);
  bar_->SetMaxProgress(kMaxDpi);
  ApplyTexts();
}

void DPIMsgDlg::ApplyTexts() {
  if (close_ != nullptr) close_->SetTooltip(DialogText(kTextClose));
}

QRect DPIMsgDlg::PlaceIn(const QRect& workArea) {
  const int right = workArea.x() + workArea.width();
  const int bottom = workArea.y() + workArea.height();
  return QRect(right - 302, bottom - 132, kWidth, kHeight);
}

void DPIMsgDlg::ShowDpi(int value) {
  DUI::GuiThread::Run(this, [this, value] {
    if (!IsCreated() || IsDestroyed()) return;
    value_->SetTitle(QString::number(value));
    bar_->SetProgress(value);  // values above the maximum fill the bar
    QScreen* screen = QGuiApplication::primaryScreen();
    if (screen != nullptr) setGeometry(PlaceIn(screen->availableGeometry()));
    show();
    raise();
    SetTimer(kTimerHide, kShowForMs);
  });
}

void DPIMsgDlg::OnTimer(int id) {
  if (id == kTimerHide) Hide();
}

void DPIMsgDlg::OnNotify(int id, int event, intptr_t, DUI::MControl*) {
  if (id == kClose && event == DUI::kEventClick) Hide();
}

void DPIMsgDlg::Hide() {
  KillTimer(kTimerHide);
  hide();
}

QString DPIMsgDlg::ValueText() const { return value_ != nullptr ? value_->GetTitle() : QString(); }
int DPIMsgDlg::Progress() const { return bar_ != nullptr ? bar_->GetProgress() : 0; }

}  // namespace korvex

#include "ui/pages/device/DevicePage.h"

#include <QEvent>
#include <algorithm>

#include "skinui/CRoundArea.h"
#include "skinui/MButton.h"
#include "skinui/MPicture.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "skinui/NumberEdit.h"
#include "ui/UiText.h"

namespace korvex {
namespace {

constexpr int kCaptionHeight = 50;
constexpr int kMargin = 24;
constexpr int kButtonWidth = 200;
constexpr int kButtonHeight = 36;

}  // namespace

DevicePage::DevicePage(DUI::MWindow* window, QWidget* container) : QObject(container), container_(container) {
  background_ = window->CreateControl<DUI::MPicture>(kBackground, QRect(), container);
  background_->SetImage(QStringLiteral("img_area_bkg.png"));
  caption_ = window->CreateControl<DUI::MPicture>(kCaption, QRect(), container);
  caption_->SetImage(QStringLiteral("img_area_caption.png"));
  title_ = window->CreateControl<DUI::MText>(kTitle, QRect(), container);
  title_->SetFontSize(18);
  title_->SetFontBold(true);
  for (int i = 0; i < 3; ++i) {
    panels_[i] = window->CreateControl<DUI::CRoundArea>(kMousePanel + i, QRect(), container);
    panels_[i]->SetColor(DUI::MStyle::Panel());
    panels_[i]->SetBorderColor(DUI::MStyle::Border());
  }
  BuildRows(window);
  BuildRestore(window);
  ApplyTexts();
  container->installEventFilter(this);
  Layout();
}

void DevicePage::BuildRows(DUI::MWindow* window) {
  const int ids[2][2] = {{kMouseVersion, kMouseStatus}, {kReceiverVersion, kReceiverStatus}};
  for (int row = 0; row < 2; ++row) {
    VersionRow& r = rows_[row];
    r.text = window->CreateControl<DUI::MText>(ids[row][0], QRect(), container_);
    r.text->SetFontSize(17);
    r.text->SetFontBold(true);
    r.statusText = window->CreateControl<DUI::MText>(ids[row][1], QRect(), container_);
    r.statusText->SetFontSize(14);
    r.statusText->SetTextColor(DUI::MStyle::Success());
  }
  firmwareCheck_ = window->CreateControl<DUI::MButton>(kFirmwareCheck, QRect(), container_);
  receiverCheck_ = window->CreateControl<DUI::MButton>(kReceiverCheck, QRect(), container_);
  for (DUI::MButton* b : {firmwareCheck_, receiverCheck_}) b->SetImage(QStringLiteral("img_button.png"));
}

void DevicePage::BuildRestore(DUI::MWindow* window) {
  restoreCaption_ = window->CreateControl<DUI::MText>(kRestoreCaption, QRect(), container_);
  restoreCaption_->SetFontSize(17);
  restoreCaption_->SetFontBold(true);
  restore_ = window->CreateControl<DUI::MButton>(kRestore, QRect(), container_);
  restore_->SetImage(QStringLiteral("img_button.png"));
  responsePicture_ = window->CreateControl<DUI::MPicture>(kResponsePicture, QRect(), container_);
  responsePicture_->SetImage(QStringLiteral("img_area2.png"));
  responseCaption_ = window->CreateControl<DUI::MText>(kResponseCaption, QRect(), container_);
  responseCaption_->SetFontSize(17);
  responseCaption_->SetFontBold(true);
  responseTime_ = window->CreateControl<DUI::NumberEdit>(kResponseTime, QRect(), container_);
  responseTime_->SetImage(QStringLiteral("img_edit.png"));
  responseTime_->SetRange(0, 20);
  responseTime_->SetLimitText(2);
}

int DevicePage::CaptionText(int row) { return row == kMouseRow ? kTextMouseFirmware : kTextReceiverFirmware; }

void DevicePage::ShowVersionRow(int row, const std::string& text, const std::string& status) {
  if (row != kMouseRow && row != kReceiverRow) return;
  VersionRow& r = rows_[row];
  const QString full = QString::fromStdString(text);
  const QString caption = UiText(CaptionText(row));
  r.suffix = full.startsWith(caption) ? full.mid(caption.size()) : QString();
  if (!full.startsWith(caption) && !full.isEmpty()) r.suffix = QStringLiteral(": ") + full;
  r.status = QString::fromStdString(status);
  r.statusLatest = !r.status.isEmpty() && r.status == UiText(kTextLatest);
  ShowRow(row);
}

void DevicePage::ShowMouseStatus(const QString& status) {
  rows_[kMouseRow].status = status;
  rows_[kMouseRow].statusLatest = false;
  ShowRow(kMouseRow);
}

void DevicePage::ShowMouseLatest() {
  rows_[kMouseRow].status.clear();
  rows_[kMouseRow].statusLatest = true;
  ShowRow(kMouseRow);
  firmwareCheck_->SetEnabled(false);
}

void DevicePage::ShowRow(int row) {
  VersionRow& r = rows_[row];
  r.text->SetTitle(UiText(CaptionText(row)) + r.suffix);
  r.statusText->SetTitle(r.statusLatest ? UiText(kTextLatest) : r.status);
}

QString DevicePage::RowText(int row) const { return rows_[row].text->GetTitle(); }

QString DevicePage::RowStatus(int row) const { return rows_[row].statusText->GetTitle(); }

void DevicePage::EnableFirmwareButtons(bool mouse, bool receiver) {
  firmwareCheck_->SetEnabled(mouse);
  receiverCheck_->SetEnabled(receiver);
}

void DevicePage::ShowResponseTime(int value) { responseTime_->SetValue(value); }

QString DevicePage::ResponseText() const { return responseTime_->GetTitle(); }

void DevicePage::ApplyTexts() {
  title_->SetTitle(UiText(kTextTitle));
  for (int row = 0; row < 2; ++row) ShowRow(row);
  firmwareCheck_->SetTitle(UiText(kTextCheck));
  receiverCheck_->SetTitle(UiText(kTextCheck));
  restoreCaption_->SetTitle(UiText(kTextRestore));
  restore_->SetTitle(UiText(kTextRestore));
  responseCaption_->SetTitle(UiText(kTextResponseTime));
}

void DevicePage::Layout() {
  const int w = container_->width();
  const int h = container_->height();
  background_->SetRect(QRect(0, 0, w, h));
  caption_->SetRect(QRect(0, 0, w, kCaptionHeight));
  title_->SetRect(QRect(kMargin, 0, std::max(0, w - 2 * kMargin), kCaptionHeight));

  const int panelWidth = std::max(0, w - 2 * kMargin);
  const int textWidth = std::max(0, panelWidth - kButtonWidth - 3 * kMargin);
  const int buttonLeft = kMargin + panelWidth - kMargin - kButtonWidth;
  int top = kCaptionHeight + kMargin;
  DUI::MButton* checks[2] = {firmwareCheck_, receiverCheck_};
  for (int row = 0; row < 2; ++row) {
    panels_[row]->SetRect(QRect(kMargin, top, panelWidth, 96));
    rows_[row].text->SetRect(QRect(2 * kMargin, top + 14, textWidth, 34));
    rows_[row].statusText->SetRect(QRect(2 * kMargin, top + 50, textWidth, 28));
    checks[row]->SetRect(QRect(buttonLeft, top + 30, kButtonWidth, kButtonHeight));
    top += 96 + 16;
  }
  panels_[2]->SetRect(QRect(kMargin, top, panelWidth, 150));
  restoreCaption_->SetRect(QRect(2 * kMargin, top + 20, textWidth, 36));
  restore_->SetRect(QRect(buttonLeft, top + 20, kButtonWidth, kButtonHeight));
  responsePicture_->SetRect(QRect(2 * kMargin, top + 74, panelWidth - 2 * kMargin, 1));
  responseCaption_->SetRect(QRect(2 * kMargin, top + 94, textWidth, 36));
  responseTime_->SetRect(QRect(buttonLeft + kButtonWidth - 110, top + 94, 110, kButtonHeight));
}

bool DevicePage::eventFilter(QObject* watched, QEvent* e) {
  if (watched == container_ && e->type() == QEvent::Resize) Layout();
  return QObject::eventFilter(watched, e);
}

}  // namespace korvex

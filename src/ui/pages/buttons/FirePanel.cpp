#include "ui/pages/buttons/FirePanel.h"

#include <QWidget>
#include <algorithm>

#include "buttons/ButtonFunctions.h"
#include "skinui/CImageButton.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"
#include "ui/pages/buttons/PanelFrame.h"

namespace korvex {

// --- fire --------------------------------------------------------------------

FirePanel::FirePanel(DUI::MWindow* window, QWidget* page) : QObject(page), panel_(new QWidget(page)) {
  BuildPanelFrame(window, panel_, kBackground, kTitle, kClose, background_, title_, close_);
  firstCaption_ = window->CreateControl<DUI::MText>(kFirstCaption, QRect(), panel_);
  first_ = window->CreateControl<DUI::MEdit>(kFirst, QRect(), panel_);
  secondCaption_ = window->CreateControl<DUI::MText>(kSecondCaption, QRect(), panel_);
  second_ = window->CreateControl<DUI::MEdit>(kSecond, QRect(), panel_);
  for (DUI::MEdit* field : {first_, second_}) {
    field->SetImage(QStringLiteral("img_edit.png"));
    field->SetNumberOnly(true);
    field->SetLimitText(5);
  }
  ok_ = window->CreateControl<DUI::MButton>(kOk, QRect(), panel_);
  ok_->SetPrimary(true);
  panel_->hide();
  ApplyTexts();
}

void FirePanel::Open() {
  Show(kFireFirstDefault, kFireSecondDefault);
  panel_->show();
  panel_->raise();
}

void FirePanel::Show(int first, int second) {
  first_->SetTitle(QString::number(first));
  second_->SetTitle(QString::number(second));
}

void FirePanel::Hide() { panel_->hide(); }

bool FirePanel::IsOpen() const { return !panel_->isHidden(); }

int FirePanel::Clamp(int id) {
  DUI::MEdit* field = id == kFirst ? first_ : second_;
  const QString text = field->GetTitle();
  const int value = FireFieldValue(text.toStdString(), id == kFirst);
  if (QString::number(value) != text) field->SetTitle(QString::number(value));
  return value;
}

void FirePanel::SetRect(const QRect& rect) {
  LayoutPanelFrame(panel_, rect, background_, title_, close_);
  const int w = std::max(0, rect.width() - 2 * kPanelPad);
  int y = kPanelTitleHeight + 8;
  firstCaption_->SetRect(QRect(kPanelPad, y, w, kPanelCaptionHeight));
  y += kPanelCaptionHeight + 4;
  first_->SetRect(QRect(kPanelPad, y, w, kPanelRowHeight + 4));
  y += kPanelRowHeight + 4 + 18;
  secondCaption_->SetRect(QRect(kPanelPad, y, w, kPanelCaptionHeight));
  y += kPanelCaptionHeight + 4;
  second_->SetRect(QRect(kPanelPad, y, w, kPanelRowHeight + 4));
  ok_->SetRect(PanelOkRect(rect));
}

void FirePanel::ApplyTexts() {
  title_->SetTitle(UiText(kTextFire));
  firstCaption_->SetTitle(UiText(kTextFireInterval));
  secondCaption_->SetTitle(UiText(kTextFireShots));
  ok_->SetTitle(UiText(kTextPanelOk));
}

}  // namespace korvex

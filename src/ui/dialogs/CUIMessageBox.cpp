#include "ui/dialogs/CUIMessageBox.h"

#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MText.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {

CUIMessageBox::CUIMessageBox(QString title, QString message, int type)
    : title_(std::move(title)), message_(std::move(message)), type_(type) {}

bool CUIMessageBox::Create(DUI::MWindow* parent) {
  const unsigned style = kStyleToolWindow | kStyleTopMost;
  if (!MWindow::Create(parent, kTitle, style, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(parent);
  return true;
}

int CUIMessageBox::ShowMessage(DUI::MWindow* parent, int titleText, int messageText, int type) {
  return ShowMessage(parent, DialogText(titleText), DialogText(messageText), type);
}

int CUIMessageBox::ShowMessage(DUI::MWindow* parent, const QString& title, const QString& message,
                               int type) {
  CUIMessageBox box(title, message, type);
  if (!box.Create(parent)) return kCancel;
  const int result = box.ShowModal();
  box.DestroyWindow();
  return result;
}

void CUIMessageBox::OnCreate() {
  setAttribute(Qt::WA_TranslucentBackground);
  SetBkColor(Qt::transparent, Qt::transparent);
  SetBkImage("bk_prompt.png");
  // Only a box with buttons can be dismissed from the keyboard; one without
  // is ended by its owner's close message alone.
  SetEscapeCancels(type_ == kTypeOk || type_ == kTypeOkCancel);
  const int w = width();
  const int h = height();

  auto* title = CreateControl<DUI::MText>(kTitleText);
  title->SetRect(20, 15, w - 20, 45);
  title->SetFontSize(16);
  title->SetFontBold(true);
  title->SetTextAlign(Qt::AlignCenter);
  title->SetTitle(title_);

  auto* message = CreateControl<DUI::MText>(kMessageText);
  message->SetRect(20, 50, w - 20, h - 50);
  message->SetFontSize(16);
  message->SetTextColor(Qt::white);
  message->SetTextAlign(Qt::AlignCenter);
  message->SetMultiLine(true);
  message->SetTitle(message_);

  if (type_ == kTypeOk) {
    AddButton(kButtonOk, kTextSingleButton, QRect(QPoint(60, h - 50), QPoint(w - 60 - 1, h - 14 - 1)), true);
  } else if (type_ == kTypeOkCancel) {
    AddButton(kButtonOk, kTextOk, QRect(QPoint(w / 2 - 140, h - 50), QPoint(w / 2 - 20 - 1, h - 14 - 1)), true);
    AddButton(kButtonCancel, kTextCancel,
              QRect(QPoint(w / 2 + 20, h - 50), QPoint(w / 2 + 140 - 1, h - 14 - 1)), false);
  }
}

void CUIMessageBox::AddButton(int id, int text, const QRect& rect, bool primary) {
  auto* button = CreateControl<DUI::MButton>(id, rect);
  button->SetImage("img_button.png");
  button->SetFontSize(16);
  button->SetTextAlign(Qt::AlignCenter);
  button->SetPrimary(primary);
  button->SetTitle(DialogText(text));
}

void CUIMessageBox::OnNotify(int id, int event, intptr_t, DUI::MControl*) {
  if (event != DUI::kEventClick) return;
  if (id == kButtonOk)
    DoOK();
  else if (id == kButtonCancel)
    DoCancel();
}

}  // namespace korvex

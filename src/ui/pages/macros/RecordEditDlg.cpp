#include "ui/pages/macros/RecordEditDlg.h"

#include <QLineEdit>

#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "ui/UiText.h"
#include "ui/keys/KeyCapture.h"
#include "ui/pages/macros/MacroTexts.h"

namespace korvex {

bool RecordEditDlg::Create(DUI::MWindow* owner) {
  if (!MWindow::Create(owner, kTitle, 0, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(owner);
  return true;
}

std::pair<int, std::string> RecordEditDlg::AskKey(DUI::MWindow* owner) {
  RecordEditDlg dlg;
  if (!dlg.Create(owner)) return {0, std::string()};
  dlg.ShowModal();
  std::pair<int, std::string> key{dlg.KeyCode(), dlg.KeyName()};
  dlg.DestroyWindow();
  return key;
}

void RecordEditDlg::OnCreate() {
  SetBkColor(QColor(0x1A, 0x1A, 0x1A), QColor(0x96, 0x96, 0x96));
  SetEscapeCancels(true);
  auto* close = CreateControl<DUI::CImageButton>(kClose, QRect(kWidth - 34, 10, 20, 20));
  close->SetImage("sysbtn_close.png");
  auto* caption = CreateControl<DUI::MText>(kCaption, QRect(20, 8, kWidth - 70, 30));
  caption->SetTitle(UiText(kTextInsertKey));
  caption->SetFontBold(true);
  field_ = CreateControl<DUI::MEdit>(kKeyField, QRect(20, 50, kWidth - 40, 34));
  field_->SetImage("img_edit.png");
  auto* capture = new KeyCapture(field_->GetEditor());
  capture->setIgnoreAutoRepeat(true);
  connect(capture, &KeyCapture::keyDecoded, this, [this](const KeyEvent& key) {
    if (key.keyCode != 0) TakeKey(key.keyCode, key.name);
  });
  field_->SetPlaceholder(UiText(kTextKeyTip));
  auto* ok = CreateControl<DUI::MButton>(kOk, QRect(kWidth / 2 - 60, kHeight - 50, 120, 34));
  ok->SetImage("img_button.png");
  ok->SetPrimary(true);
  ok->SetTextAlign(Qt::AlignCenter);
  ok->SetTitle(UiText(kTextKeyDialogOk));
}

void RecordEditDlg::TakeKey(int keyCode, const std::string& name) {
  if (name.empty()) return;
  keyCode_ = keyCode;
  keyName_ = name;
  field_->SetTitle(QString::fromStdString(name));
}

void RecordEditDlg::OnNotify(int id, int event, intptr_t, DUI::MControl*) {
  if ((id == kClose || id == kOk) && event == DUI::kEventClick) {
    DoOK();
    return;
  }
  if (id != kKeyField) return;
  if (event == DUI::kEventSetFocus) {
    field_->SetTitle(QString());
  }
}

}  // namespace korvex

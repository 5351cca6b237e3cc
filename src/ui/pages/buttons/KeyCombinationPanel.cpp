#include "ui/pages/buttons/KeyCombinationPanel.h"

#include <QLineEdit>
#include <QWidget>
#include <algorithm>

#include "skinui/CImageButton.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"
#include "ui/keys/KeyCapture.h"
#include "ui/pages/buttons/PanelFrame.h"

namespace korvex {

// --- key combination ---------------------------------------------------------

KeyCombinationPanel::KeyCombinationPanel(DUI::MWindow* window, QWidget* page)
    : QObject(page), panel_(new QWidget(page)) {
  BuildPanelFrame(window, panel_, kBackground, kTitle, kClose, background_, title_, close_);
  keyCaption_ = window->CreateControl<DUI::MText>(kKeyCaption, QRect(), panel_);
  keyField_ = window->CreateControl<DUI::MEdit>(kKeyField, QRect(), panel_);
  keyField_->SetImage(QStringLiteral("img_edit.png"));
  // Keys are reported, not typed; the field shows the captured key's name.
  keyField_->SetKeyCapture(true);
  modifierCaption_ = window->CreateControl<DUI::MText>(kModifierCaption, QRect(), panel_);
  const int ids[4] = {kToggleCtrl, kToggleWin, kToggleAlt, kToggleShift};
  const char* names[4] = {"Ctrl", "Win", "Alt", "Shift"};
  for (int i = 0; i < 4; ++i) {
    toggleButtons_[i] = window->CreateControl<DUI::MButton>(ids[i], QRect(), panel_);
    toggleButtons_[i]->SetTitle(QString::fromLatin1(names[i]));
  }
  ok_ = window->CreateControl<DUI::MButton>(kOk, QRect(), panel_);
  ok_->SetPrimary(true);

  capture_ = new KeyCapture(keyField_->GetEditor());
  connect(capture_, &KeyCapture::armedChanged, this, [this](bool armed) { OnCaptureArmed(armed); });
  connect(capture_, &KeyCapture::keyDecoded, this, [this](const KeyEvent& e) { OnKey(e); });
  panel_->hide();
  ApplyTexts();
}

void KeyCombinationPanel::Open() {
  capturedKey_ = 0;
  capturedName_.clear();
  keyField_->SetTitle(QString());
  toggles_ = ModifierToggles{};
  ShowToggles();
  panel_->show();
  panel_->raise();
}

void KeyCombinationPanel::Hide() {
  if (keyField_->GetEditor()->hasFocus()) keyField_->GetEditor()->clearFocus();
  panel_->hide();
}

bool KeyCombinationPanel::IsOpen() const { return !panel_->isHidden(); }

void KeyCombinationPanel::OnToggle(int id) {
  switch (id) {
    case kToggleShift: toggles_.shift = !toggles_.shift; break;
    case kToggleCtrl: toggles_.ctrl = !toggles_.ctrl; break;
    case kToggleWin: toggles_.win = !toggles_.win; break;
    case kToggleAlt: toggles_.alt = !toggles_.alt; break;
    default: return;
  }
  ShowToggles();
}

void KeyCombinationPanel::ShowToggles() {
  toggleButtons_[0]->SetMarked(toggles_.ctrl);
  toggleButtons_[1]->SetMarked(toggles_.win);
  toggleButtons_[2]->SetMarked(toggles_.alt);
  toggleButtons_[3]->SetMarked(toggles_.shift);
}

void KeyCombinationPanel::OnCaptureArmed(bool armed) {
  if (armed) {
    // A fresh capture each time the field takes the focus.
    capturedKey_ = 0;
    capturedName_.clear();
    keyField_->SetTitle(QString());
    captureMode_ = 10;
  } else {
    captureMode_ = 0;
  }
}

void KeyCombinationPanel::OnKey(const KeyEvent& event) {
  if (captureMode_ != 10) return;
  if (!CapturesAsKey(event.kind, event.keyCode, event.name)) return;
  capturedKey_ = event.keyCode;
  capturedName_ = QString::fromStdString(event.name);
  keyField_->SetTitle(capturedName_);
}

QString KeyCombinationPanel::KeyText() const { return keyField_->GetTitle(); }

void KeyCombinationPanel::SetRect(const QRect& rect) {
  LayoutPanelFrame(panel_, rect, background_, title_, close_);
  const int w = std::max(0, rect.width() - 2 * kPanelPad);
  int y = kPanelTitleHeight + 8;
  keyCaption_->SetRect(QRect(kPanelPad, y, w, kPanelCaptionHeight));
  y += kPanelCaptionHeight + 4;
  keyField_->SetRect(QRect(kPanelPad, y, w, kPanelRowHeight + 4));
  y += kPanelRowHeight + 4 + 18;
  modifierCaption_->SetRect(QRect(kPanelPad, y, w, kPanelCaptionHeight));
  y += kPanelCaptionHeight + 4;
  const int gap = 10;
  const int toggleWidth = std::max(0, (w - 3 * gap) / 4);
  for (int i = 0; i < 4; ++i) toggleButtons_[i]->SetRect(QRect(kPanelPad + i * (toggleWidth + gap), y, toggleWidth, kPanelRowHeight));
  ok_->SetRect(PanelOkRect(rect));
}

void KeyCombinationPanel::ApplyTexts() {
  title_->SetTitle(UiText(kTextKeyCombination));
  keyCaption_->SetTitle(UiText(kTextKey));
  keyField_->SetPlaceholder(UiText(kTextKeyFieldHint));
  modifierCaption_->SetTitle(UiText(kTextModifiers));
  ok_->SetTitle(UiText(kTextPanelOk));
}

}  // namespace korvex

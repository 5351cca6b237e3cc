// The macro page: the event list, the event editor, the recorder and the
// play and delay settings.
#include <QCursor>
#include <QLineEdit>
#include <QWidget>

#include "i18n/Texts.h"
#include "macros/MacroEventText.h"
#include "protocol/MacroCommands.h"
#include "skinui/CArea.h"
#include "skinui/CIconButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "skinui/MacroList.h"
#include "skinui/MenuWnd.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"
#include "ui/keys/KeyCapture.h"
#include "ui/pages/macros/MacroKeyFeed.h"
#include "ui/pages/macros/MacroTexts.h"
#include "ui/pages/macros/MacrosPage.h"
#include "ui/pages/macros/RecordEditDlg.h"

namespace korvex {

// --- event list -------------------------------------------------------------

void MacrosPage::ShowEvents() {
  eventList_->DeleteAllItems();
  for (const MacroEventItem& item : editor_.Items())
    eventList_->AddItem(DUI::RecordItem{QString::fromStdString(item.text), item.type, item.value, item.timestamp});
  eventList_->SetCurSel(editor_.Selected());
  if (recorder_.Recording() && !editor_.Items().empty())
    eventList_->EnsureVisible(static_cast<int>(editor_.Items().size()) - 1);  // what was just recorded
  else if (editor_.Selected() >= 0)
    eventList_->EnsureVisible(editor_.Selected());
}

bool MacrosPage::StoreChanged() const { return selectedMacro_ > 0 && storePath_ != store_.Path(); }

void MacrosPage::SaveEvents() {
  if (selectedMacro_ <= 0) return;
  // The model (and its database) changed under the page: this id is not
  // the macro that was shown.
  if (StoreChanged()) return;
  store_.ReplaceMacroEvents(selectedMacro_, editor_.Records(selectedMacro_));
  RefreshUploadState();
}

void MacrosPage::AfterEdit() {
  ShowEvents();
  SaveEvents();
  if (editor_.SelectedItem() != nullptr)
    SelectEvent(editor_.Selected());
  else
    HideEditor();
}

void MacrosPage::ShowInsertMenu() {
  if (!editor_.CanInsert()) {
    if (hooks_.showMessage) hooks_.showMessage(kTextInsertTitle, kTextFull);
    return;
  }
  DUI::MenuWnd menu;
  menu.AddItem(1, UiText(kTextInsertLeft));
  menu.AddItem(2, UiText(kTextInsertMiddle));
  menu.AddItem(3, UiText(kTextInsertRight));
  menu.AddItem(4, UiText(kTextInsertKey));
  menu.AddItem(5, UiText(kTextInsertDelay));
  const int chosen = menu.TrackPopupMenu(insert_->mapToGlobal(QPoint(0, insert_->height())), window_);
  static const InsertChoice kChoices[] = {InsertChoice::kLeftButton, InsertChoice::kMiddleButton,
                                          InsertChoice::kRightButton, InsertChoice::kKey, InsertChoice::kDelay};
  if (chosen >= 1 && chosen <= 5) InsertEvent(kChoices[chosen - 1]);
}

void MacrosPage::InsertEvent(InsertChoice choice) {
  if (!editor_.CanInsert()) {
    if (hooks_.showMessage) hooks_.showMessage(kTextInsertTitle, kTextFull);
    return;
  }
  // The insert positions follow the selection the list shows.
  editor_.Select(eventList_->GetCurSel());
  int keyCode = 0;
  std::string keyName;
  if (choice == InsertChoice::kKey) {
    const auto key = hooks_.askKey ? hooks_.askKey() : RecordEditDlg::AskKey(window_);
    keyCode = key.first;
    keyName = key.second;
  }
  if (editor_.Insert(choice, Tick(), keyCode, keyName)) AfterEdit();
}

void MacrosPage::SelectEvent(int index) {
  editor_.Select(index);
  const MacroEventItem* item = editor_.SelectedItem();
  if (item == nullptr) {
    HideEditor();
    return;
  }
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{editorArea_, kindCaption_, kindList_, valueCaption_})
    c->SetVisible(true);
  kindList_->ResetContent();
  const bool isMouse = item->type == kMacroMousePress || item->type == kMacroMouseRelease;
  const bool isKey = item->type == kMacroKeyPress || item->type == kMacroKeyRelease;
  kindList_->AddString(UiText(isMouse ? kTextKindMouse : isKey ? kTextKindKey : kTextKindDelay), item->type);
  kindList_->SetCurSel(0);
  valueField_->SetVisible(!isMouse);
  editorField_->SetVisible(!isMouse);
  buttonList_->SetVisible(isMouse);
  SetValueCapture(isKey);
  if (isMouse) {
    const MouseButtonInfo* button = MouseButtonByMask(item->value);
    buttonList_->SetCurData(button != nullptr ? button->code : -1);
  } else if (isKey) {
    valueField_->SetNumberOnly(false);
    valueField_->SetTitle(QString::fromStdString(NameOfEventText(item->text)));
    valueField_->SetTooltip(UiText(kTextKeyTip));
  } else {
    valueField_->SetNumberOnly(true);
    valueField_->SetTitle(QString::number(item->value));
    valueField_->SetTooltip(QString());
  }
}

bool MacrosPage::EditorShown() const { return kindList_->IsVisible(); }

void MacrosPage::HideEditor() {
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{editorArea_, editorField_, kindCaption_, kindList_,
                                                              valueCaption_, valueField_, buttonList_})
    c->SetVisible(false);
  SetValueCapture(false);
  capturingValue_ = false;
}

void MacrosPage::SetValueCapture(bool on) {
  if (!on) {
    delete valueCapture_;
    return;
  }
  if (valueCapture_ != nullptr) return;
  valueCapture_ = new KeyCapture(valueField_->GetEditor());
  valueCapture_->setIgnoreAutoRepeat(true);
  connect(valueCapture_, &KeyCapture::keyDecoded, this, [this](const KeyEvent& key) {
    if (capturingValue_ && key.keyCode != 0) CaptureEventKey(key.keyCode, key.name);
  });
}

void MacrosPage::OnValueFocus(bool in) {
  const MacroEventItem* item = editor_.SelectedItem();
  if (item == nullptr) return;
  if (item->type == kMacroDelay) {
    if (!in) EditEventDelay();
    return;
  }
  if (item->type != kMacroKeyPress && item->type != kMacroKeyRelease) return;
  if (in) {
    capturedKey_ = 0;
    capturedName_.clear();
    capturingValue_ = true;
    valueField_->SetTitle(QString());
    return;
  }
  capturingValue_ = false;
  if (capturedKey_ != 0 && editor_.EditKey(capturedKey_, capturedName_)) {
    AfterEdit();
  } else {
    valueField_->SetTitle(QString::fromStdString(NameOfEventText(item->text)));
  }
}

void MacrosPage::CaptureEventKey(int keyCode, const std::string& name) {
  if (name.empty()) return;
  capturedKey_ = keyCode;
  capturedName_ = name;
  valueField_->SetTitle(QString::fromStdString(name));
}

void MacrosPage::EditEventDelay() {
  const MacroEventItem* item = editor_.SelectedItem();
  if (item == nullptr || item->type != kMacroDelay) return;
  const QString typed = valueField_->GetTitle();
  const int n = editor_.EditDelay(typed.toLongLong());
  if (typed != QString::number(n)) valueField_->SetTitle(QString::number(n));
  AfterEdit();
}

void MacrosPage::EditEventButton(int code) {
  if (editor_.EditButton(code)) AfterEdit();
}

void MacrosPage::MoveEventUp() {
  editor_.Select(eventList_->GetCurSel());
  if (editor_.MoveUp()) AfterEdit();
}

void MacrosPage::MoveEventDown() {
  editor_.Select(eventList_->GetCurSel());
  if (editor_.MoveDown()) AfterEdit();
}

void MacrosPage::MoveEventToTop() {
  editor_.Select(eventList_->GetCurSel());
  if (editor_.MoveToTop()) AfterEdit();
}

void MacrosPage::MoveEventToBottom() {
  editor_.Select(eventList_->GetCurSel());
  if (editor_.MoveToBottom()) AfterEdit();
}

void MacrosPage::DeleteEvent() {
  editor_.Select(eventList_->GetCurSel());
  if (editor_.DeleteSelected()) AfterEdit();
}

void MacrosPage::DeleteAllEvents() {
  if (editor_.DeleteAll()) AfterEdit();
}

void MacrosPage::ShowEventMenu() {
  if (eventList_->GetCurSel() < 0) return;
  DUI::MenuWnd menu;
  menu.AddItem(kMenuToTop, UiText(kTextMenuToTop));
  menu.AddItem(kMenuUp, UiText(kTextMenuUp));
  menu.AddItem(kMenuDown, UiText(kTextMenuDown));
  menu.AddItem(kMenuToBottom, UiText(kTextMenuToBottom));
  OnEventMenu(menu.TrackPopupMenu(QCursor::pos(), window_));
}

void MacrosPage::OnEventMenu(int item) {
  switch (item) {
    case kMenuToTop: MoveEventToTop(); break;
    case kMenuUp: MoveEventUp(); break;
    case kMenuDown: MoveEventDown(); break;
    case kMenuToBottom: MoveEventToBottom(); break;
    default: break;
  }
}

// --- recording --------------------------------------------------------------

void MacrosPage::ToggleRecording() {
  if (selectedMacro_ <= 0) {
    if (hooks_.showMessage) hooks_.showMessage(kTextStartRecording, kTextNoMacro);
    return;
  }
  if (recorder_.Recording()) {
    recorder_.Stop();
    FinishRecording();
    return;
  }
  keyFeed_->Disarm();
  const MacroRadios radios = CurrentRadios();
  const int fixed = radios.delayText.empty() ? kDefaultFixedDelay : static_cast<int>(DecimalOf(radios.delayText));
  editor_.Select(-1);
  HideEditor();
  recorder_.Start(radios.delayRadio, radios.delayRadio == 2 ? fixed : 0);
  keyFeed_->Arm();
  // The keys come to the window while it has the focus.
  record_->setFocus();
  ShowRecordButton();
  SetPageEnabled(false);
}

void MacrosPage::StopRecording() {
  if (!recorder_.Recording()) return;
  recorder_.Stop();
  FinishRecording();
}

void MacrosPage::FinishRecording() {
  keyFeed_->Disarm();
  ShowEvents();
  SaveEvents();
  ShowRecordButton();
  SetPageEnabled(true);
}

void MacrosPage::RecordKey(bool released, int keyCode, const std::string& name) {
  const MacroRecorder::Outcome outcome = recorder_.RecordKey(released, keyCode, name, editor_);
  if (outcome == MacroRecorder::Outcome::kIgnored) return;
  ShowEvents();
  // Saved as it grows: a model switch under a running recording must not
  // lose what was recorded (its database is closed before the page hears).
  SaveEvents();
  if (outcome != MacroRecorder::Outcome::kFull) return;
  FinishRecording();
  if (hooks_.showMessage) hooks_.showMessage(kTextEventsTitle, kTextFull);
}

void MacrosPage::RecordButton(bool released, int mask) {
  const MacroRecorder::Outcome outcome = recorder_.RecordButton(released, mask, editor_);
  if (outcome == MacroRecorder::Outcome::kIgnored) return;
  ShowEvents();
  SaveEvents();
  if (outcome != MacroRecorder::Outcome::kFull) return;
  FinishRecording();
  if (hooks_.showMessage) hooks_.showMessage(kTextEventsTitle, kTextFull);
}

void MacrosPage::SetPageEnabled(bool enabled) {
  for (DUI::MControl* c : std::initializer_list<DUI::MControl*>{
           macroList_, newMacro_, deleteMacro_, eventList_, insert_, deleteEvent_, deleteAll_, moveUp_, moveDown_,
           kindList_, valueField_, buttonList_, uploadSend_})
    c->SetEnabled(enabled);
  for (int i = 0; i < 3; ++i) {
    delayRadios_[i]->SetEnabled(enabled);
    playRadios_[i]->SetEnabled(enabled);
  }
  // The fields follow their radios again once the page is back.
  delayField_->SetEnabled(enabled && delayRadios_[2]->GetCheck());
  timesField_->SetEnabled(enabled && playRadios_[2]->GetCheck());
  if (hooks_.enableFrame) hooks_.enableFrame(enabled);
}

// --- play and delay settings -----------------------------------------------

MacroRadios MacrosPage::CurrentRadios() const {
  MacroRadios r;
  for (int i = 0; i < 3; ++i) {
    if (delayRadios_[i]->GetCheck()) r.delayRadio = i;
    if (playRadios_[i]->GetCheck()) r.playRadio = i;
  }
  r.delayText = delayField_->GetTitle().toStdString();
  r.timesText = timesField_->GetTitle().toStdString();
  return r;
}

void MacrosPage::ShowRadios(const MacroRadios& radios) {
  delayRadios_[radios.delayRadio]->SetCheck(true);
  playRadios_[radios.playRadio]->SetCheck(true);
  delayField_->SetEnabled(radios.delayRadio == 2);
  timesField_->SetEnabled(radios.playRadio == 2);
  if (radios.delayRadio == 2) delayField_->SetTitle(QString::fromStdString(radios.delayText));
  if (radios.playRadio == 2) timesField_->SetTitle(QString::fromStdString(radios.timesText));
}

void MacrosPage::OnDelayRadio(int radio) {
  if (radio == 2) delayField_->SetTitle(QString::number(kDefaultFixedDelay));
  delayField_->SetEnabled(radio == 2);
  SaveMacroSettings();
}

void MacrosPage::OnPlayRadio(int radio) {
  if (radio == 2) timesField_->SetTitle(QStringLiteral("1"));
  timesField_->SetEnabled(radio == 2);
  SaveMacroSettings();
}

void MacrosPage::ClampDelayField() {
  const QString typed = delayField_->GetTitle();
  if (typed.isEmpty()) return;  // saved as 10
  const QString clamped = QString::number(ClampFixedDelay(typed.toLongLong()));
  if (clamped == typed) return;
  delayField_->SetTitle(clamped);
  delayField_->SetTooltip(clamped);
}

void MacrosPage::ClampTimesField() {
  const QString typed = timesField_->GetTitle();
  if (typed.isEmpty()) return;  // saved as 1
  const int deviceType = hooks_.deviceType ? hooks_.deviceType() : 0;
  const QString clamped = QString::number(ClampPlayTimes(typed.toLongLong(), deviceType));
  if (clamped == typed) return;
  timesField_->SetTitle(clamped);
  timesField_->SetTooltip(clamped);
}

void MacrosPage::SaveMacroSettings() {
  if (selectedMacro_ <= 0 || StoreChanged()) return;
  MacroInfo stored;
  if (!store_.GetMacro(selectedMacro_, stored)) return;
  MacroRadios radios = CurrentRadios();
  if (radios.delayRadio == 2 && radios.delayText.empty()) delayField_->SetTitle(QString::number(kDefaultFixedDelay));
  store_.UpdateMacro(ApplyRadios(stored, radios));
}

}  // namespace korvex

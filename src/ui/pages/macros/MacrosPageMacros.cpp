// The macro page: the macro list, the exchange files and the upload line.
#include <QCursor>
#include <QFileDialog>
#include <QTimer>

#include "i18n/Texts.h"
#include "macros/MacroFiles.h"
#include "macros/MacroNames.h"
#include "macros/MacroUploadState.h"
#include "platform/Log.h"
#include "skinui/CRecordList.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MText.h"
#include "skinui/MacroList.h"
#include "skinui/MenuWnd.h"
#include "store/SettingsStore.h"
#include "ui/UiText.h"
#include "ui/pages/macros/MacroTexts.h"
#include "ui/pages/macros/MacrosPage.h"

namespace korvex {

QString ShownMacroName(const std::string& stored) {
  return QString::fromStdString(MacroDisplayName(stored, GetText(kTextCustom), GetText(kTextCopy)));
}

// --- macro list -------------------------------------------------------------

std::vector<std::pair<int, QString>> MacrosPage::Entries() const {
  std::vector<std::pair<int, QString>> out;
  for (int i = 0; i < macroList_->GetCount(); ++i)
    out.emplace_back(static_cast<int>(macroList_->GetItemData(i)), macroList_->GetItemText(i));
  return out;
}

void MacrosPage::ReloadMacroList() {
  // A recording belongs to the macro and database it started on.
  StopRecording();
  macroList_->ResetContent();
  editor_.SetItems({});
  eventList_->DeleteAllItems();
  selectedMacro_ = 0;
  listPath_ = store_.Path();
  std::vector<MacroInfo> macros;
  store_.ListMacros(macros);
  for (const MacroInfo& m : macros) macroList_->AddString(ShownMacroName(m.name), m.macro_id);
  if (!macros.empty()) {
    macroList_->SetCurSel(0);
    ShowMacro(macros.front().macro_id);
  } else {
    HideEditor();
    RefreshUploadState();
  }
  if (hooks_.macroListChanged) hooks_.macroListChanged();
}

void MacrosPage::OnModelChanged() {
  if (store_.Path() != listPath_) ReloadMacroList();
}

void MacrosPage::NewMacro() {
  const int id = store_.CreateMacro(NewMacroName(GetText(kTextCustom), macroList_->GetCount()));
  if (id <= 0) return;
  MacroInfo m;
  store_.GetMacro(id, m);
  const int index = macroList_->AddString(ShownMacroName(m.name), id);
  macroList_->SetCurSel(index);
  macroList_->EnsureVisible(index);
  if (hooks_.macroListChanged) hooks_.macroListChanged();
  ShowMacro(id);
}

void MacrosPage::RemoveMacro() {
  const int index = macroList_->GetCurSel();
  const int id = static_cast<int>(macroList_->GetCurData());
  if (index < 0 || id <= 0) return;
  if (!store_.DeleteMacro(id)) return;
  macroList_->DeleteString(index);
  // Bindings to the macro stay; the mouse then gets the button's default.
  const int before = index > 0 ? index - 1 : (macroList_->GetCount() > 0 ? 0 : -1);
  macroList_->SetCurSel(before);
  editor_.SetItems({});
  eventList_->DeleteAllItems();
  HideEditor();
  selectedMacro_ = 0;
  if (before >= 0) ShowMacro(static_cast<int>(macroList_->GetItemData(before)));
  else RefreshUploadState();
  if (hooks_.macroListChanged) hooks_.macroListChanged();
}

void MacrosPage::RenameMacroEntry(int index, const QString& text) {
  const int id = static_cast<int>(macroList_->GetItemData(index));
  if (id <= 0) return;
  MacroInfo m;
  if (text.trimmed().isEmpty()) {
    if (store_.GetMacro(id, m)) macroList_->SetItemText(index, ShownMacroName(m.name));
    return;
  }
  const std::string name = text.toStdString();
  macroList_->SetItemText(index, text);
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  std::vector<KeyAssignmentRecord> rows;
  store_.ListKeyAssignments(profile, 0, rows);
  for (const KeyAssignmentRecord& row : rows) {
    if (row.macro_type != 4 || row.macro_value != id) continue;
    store_.SetKeyAssignmentText(profile, 0, row.key_code, name);
    if (hooks_.buttonTextChanged)
      hooks_.buttonTextChanged(row.key_code,
                               QString::fromStdString(MacroDescription(name, CurrentLanguage(), GetText(kTextCustom))));
  }
  store_.RenameMacro(id, name);
  if (hooks_.macroListChanged) hooks_.macroListChanged();
}

void MacrosPage::ShowMacro(int macroId) {
  if (recorder_.Recording()) return;
  HideEditor();
  delayField_->SetEnabled(false);
  timesField_->SetEnabled(false);
  MacroInfo m;
  if (macroId <= 0 || !store_.GetMacro(macroId, m)) return;
  selectedMacro_ = macroId;
  storePath_ = store_.Path();
  ShowRadios(RadiosOf(m));
  std::vector<MacroEventRecord> records;
  store_.ListMacroEvents(macroId, records);
  editor_.SetItems(MacroEditor::FromRecords(records));
  ShowEvents();
  RefreshUploadState();
}

// --- context menu and files ------------------------------------------------

void MacrosPage::ShowMacroMenu() {
  DUI::MenuWnd menu;
  menu.AddItem(kMenuImportOne, UiText(kTextImport));
  if (macroList_->GetCurSel() >= 0) {
    menu.AddItem(kMenuExportOne, UiText(kTextExport));
    menu.AddItem(kMenuImportAll, UiText(kTextImportAll));
    menu.AddItem(kMenuExportAll, UiText(kTextExportAll));
  }
  OnMacroMenu(menu.TrackPopupMenu(QCursor::pos(), window_));
}

void MacrosPage::OnMacroMenu(int item) {
  switch (item) {
    case kMenuImportOne: ImportFile(false); break;
    case kMenuExportOne: ExportOne(); break;
    case kMenuImportAll: ImportFile(true); break;
    case kMenuExportAll: ExportAll(); break;
    default: break;
  }
}

std::string MacrosPage::ChooseFile(bool save) {
  if (hooks_.chooseFile) return hooks_.chooseFile(save);
  const QString filter = QStringLiteral("Macro (*.xml)");
  // The save dialog asks before it replaces a file.
  const QString path = save ? QFileDialog::getSaveFileName(window_, QString(), QString(), filter)
                            : QFileDialog::getOpenFileName(window_, QString(), QString(), filter);
  return path.toStdString();
}

void MacrosPage::ExportOne() {
  const int index = macroList_->GetCurSel();
  if (index < 0 || selectedMacro_ <= 0) return;
  const std::string path = ChooseFile(true);
  if (path.empty()) return;
  if (!ExportMacroFile(store_, selectedMacro_, macroList_->GetItemText(index).toStdString(), path))
    LogLine(2, "Cannot write the macro file %s", path.c_str());
}

void MacrosPage::ExportAll() {
  if (macroList_->GetCurSel() < 0) return;
  const std::string path = ChooseFile(true);
  if (path.empty()) return;
  if (!ExportAllMacrosFile(store_, path)) LogLine(2, "Cannot write the macro file %s", path.c_str());
}

void MacrosPage::ImportFile(bool all) {
  const std::string path = ChooseFile(false);
  if (path.empty()) return;
  const MacroImport result = all ? ImportAllMacrosFile(store_, path) : ImportMacroFile(store_, path);
  for (const ImportedMacro& m : result.macros) AppendImported(m.id, m.name);
  if (!result.macros.empty() && hooks_.macroListChanged) hooks_.macroListChanged();
}

void MacrosPage::AppendImported(int id, const std::string& name) {
  // Added at the end, not selected.
  macroList_->AddString(ShownMacroName(name), id);
}

// --- the upload line --------------------------------------------------------

void MacrosPage::RefreshUploadState() {
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  std::vector<MacroBindingState> stale;
  if (selectedMacro_ > 0 && profile > 0 && !StoreChanged())
    stale = StaleMacroBindings(store_, profile, selectedMacro_);
  const bool show = !stale.empty() || uploadTicket_ != 0;
  const bool wasShown = uploadText_->IsVisible();
  if (uploadTicket_ != 0)
    uploadText_->SetTitle(UiText(kTextSending));
  else if (!stale.empty())
    uploadText_->SetTitle(UiText(kTextChangedOnMouse).arg(QString::fromStdString(ButtonNumbers(stale))));
  uploadText_->SetVisible(show);
  uploadSend_->SetVisible(show);
  uploadSend_->SetEnabled(uploadTicket_ == 0 && !recorder_.Recording());
  if (wasShown != show) Layout();
}

void MacrosPage::SendToMouse() {
  if (uploadTicket_ != 0 || selectedMacro_ <= 0 || !hooks_.sendMacro) return;
  const ProfileId profile = hooks_.activeProfile ? hooks_.activeProfile() : 0;
  uploadQueue_.clear();
  for (const MacroBindingState& b : StaleMacroBindings(store_, profile, selectedMacro_))
    uploadQueue_.push_back(b.keyCode);
  ContinueUpload();
}

// The mouse takes one pending macro per button write: the buttons are sent
// one after the other.
void MacrosPage::ContinueUpload() {
  if (uploadTicket_ != 0) {
    if (hooks_.taskDone && !hooks_.taskDone(uploadTicket_)) return;
    uploadTicket_ = 0;
  }
  while (!uploadQueue_.empty() && uploadTicket_ == 0) {
    const int key = uploadQueue_.front();
    uploadQueue_.erase(uploadQueue_.begin());
    uploadTicket_ = hooks_.sendMacro(key);
  }
  if (uploadTicket_ != 0)
    uploadTimer_->start();
  else
    uploadTimer_->stop();
  RefreshUploadState();
}

}  // namespace korvex

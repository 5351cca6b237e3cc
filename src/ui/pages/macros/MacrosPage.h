#pragma once
// The macro page (container 52): the macro list with rename in place and
// its file menu, new and delete, the event list with its insert menu,
// moves and deletes, the event editor, the recorder and the play and delay
// settings, and a line that says when a macro bound to a button was edited
// after it was sent to the mouse.
//
// The page creates its controls in the container with the window's
// CreateControl; the window hands their notifications to OnNotify. The
// rules of the list, the recorder and the files are in src/macros.

#include <QObject>
#include <QPointer>
#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "macros/MacroEditor.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroSettings.h"
#include "store/StoreRecords.h"

class QTimer;
class QWidget;

namespace DUI {
class CArea;
class CIconButton;
class CRadioButton;
class CRecordList;
class MButton;
class MComboBox;
class MControl;
class MEdit;
class MPicture;
class MText;
class MWindow;
class MacroList;
}  // namespace DUI

namespace korvex {

class KeyCapture;
class MacroKeyFeed;
class SettingsStore;

struct MacrosPageHooks {
  // The active profile and the selected device type (play count limit).
  std::function<ProfileId()> activeProfile;
  std::function<int()> deviceType;
  // While recording the tab strip and the profile button are disabled.
  std::function<void(bool enabled)> enableFrame;
  // A message box of two interface texts, one button.
  std::function<void(int titleText, int messageText)> showMessage;
  // Marks the upload of the button's macro and queues the button write;
  // returns the task's ticket (0: not queued).
  std::function<std::uint64_t(int keyCode)> sendMacro;
  // Whether the task with this ticket has run.
  std::function<bool(std::uint64_t ticket)> taskDone;
  // Asks for a file: save true for the save dialog. Empty: cancelled.
  // Unset: the desktop's file dialogs.
  std::function<std::string(bool save)> chooseFile;
  // The key dialog for an inserted key: returns (key code, name). Unset:
  // RecordEditDlg.
  std::function<std::pair<int, std::string>()> askKey;
  // The macro names changed (the button page's macro list follows), and
  // the description of a bound button changed.
  std::function<void()> macroListChanged;
  std::function<void(int keyCode, const QString& text)> buttonTextChanged;
};

class MacrosPage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 147,
    kCaption = 148,
    kTitle = 149,
    kContent = 150,
    kListTitle = 151,
    kListArea = 152,
    kMacroList = 153,
    kNewMacro = 154,
    kDeleteMacro = 155,
    kEventCaption = 156,
    kEventsTitle = 157,
    kEventsArea = 158,
    kSettingsArea = 159,
    kColumnNumber = 160,
    kColumnEvent = 161,
    kColumnValue = 162,
    kEventList = 163,
    kInsert = 164,
    kDeleteEvent = 165,
    kDeleteAllEvents = 166,
    kEditorArea = 167,
    kEditorField = 168,
    kRecord = 169,
    kDelayCaption = 170,
    kDelayNone = 171,
    kDelayMeasured = 172,
    kDelayFixed = 173,
    kDelayArea = 174,
    kDelayField = 175,
    kDelayUnit = 176,
    kPlayCaption = 177,
    kPlayHeld = 178,
    kPlayToggle = 179,
    kPlayTimes = 180,
    kTimesField = 181,
    kKindCaption = 182,
    kKindList = 183,
    kValueField = 184,
    kButtonList = 185,
    kValueCaption = 186,
    kMoveUp = 187,
    kMoveDown = 188,
    // The upload line: not in the original table, numbered out of the way.
    kUploadText = 1770,
    kUploadSend = 1771,
  };
  // Menu items of the two context menus.
  enum MenuItem {
    kMenuImportOne = 101,
    kMenuExportOne = 102,
    kMenuImportAll = 105,
    kMenuExportAll = 106,
    kMenuToTop = 100,
    kMenuUp = 101,
    kMenuDown = 102,
    kMenuToBottom = 103,
  };

  static bool IsPageControl(int id) { return (id >= 147 && id <= 188) || id == kUploadText || id == kUploadSend; }

  // The page belongs to the container (deleted with it).
  MacrosPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, MacrosPageHooks hooks,
             std::function<std::uint32_t()> tick = {});
  ~MacrosPage() override;

  void OnNotify(int id, int event, intptr_t param);
  void ApplyTexts();
  void Layout();

  // The operations of the page.
  void ReloadMacroList();
  void NewMacro();
  void RemoveMacro();
  void RenameMacroEntry(int index, const QString& text);
  void ShowMacro(int macroId);
  void SaveMacroSettings();
  void ToggleRecording();
  // Stops a running recording and saves it (device change, mouse offline).
  void StopRecording();
  void RecordKey(bool released, int keyCode, const std::string& name);
  void RecordButton(bool released, int mask);
  void InsertEvent(InsertChoice choice);
  void SelectEvent(int index);
  void EditEventDelay();
  void EditEventButton(int code);
  // The value field of a key record: a key arrived while it had focus.
  void CaptureEventKey(int keyCode, const std::string& name);
  void MoveEventUp();
  void MoveEventDown();
  void MoveEventToTop();
  void MoveEventToBottom();
  void DeleteEvent();
  void DeleteAllEvents();
  void SaveEvents();
  // The macro list's and the event list's context menu choices.
  void OnMacroMenu(int item);
  void OnEventMenu(int item);
  void SendToMouse();
  // The store now holds another model's database: the lists follow it.
  void OnModelChanged();
  // Recomputes the upload line of the selected macro.
  void RefreshUploadState();

  // What tests look at.
  bool Recording() const { return recorder_.Recording(); }
  int SelectedMacro() const { return selectedMacro_; }
  const MacroEditor& Events() const { return editor_; }
  DUI::MacroList* List() const { return macroList_; }
  DUI::CRecordList* EventList() const { return eventList_; }
  DUI::CIconButton* RecordButton() const { return record_; }
  DUI::MText* UploadText() const { return uploadText_; }
  DUI::MButton* UploadButton() const { return uploadSend_; }
  DUI::MEdit* ValueField() const { return valueField_; }
  DUI::MEdit* DelayField() const { return delayField_; }
  DUI::MEdit* TimesField() const { return timesField_; }
  DUI::MComboBox* ButtonList() const { return buttonList_; }
  bool EditorShown() const;
  // The names of the macros in list order, as the button page lists them.
  std::vector<std::pair<int, QString>> Entries() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  template <class T>
  T* Add(int id);
  void Build();
  void BuildList();
  void BuildEvents();
  void BuildSettings();
  void BuildEditor();
  void LayoutList(int x, int w, int h);
  void LayoutEvents(int x, int w, int h);
  void LayoutSettings(int x, int w, int h);

  void ShowEvents();
  void AfterEdit();
  void HideEditor();
  void ShowRadios(const MacroRadios& radios);
  MacroRadios CurrentRadios() const;
  void OnDelayRadio(int radio);
  void OnPlayRadio(int radio);
  void ClampDelayField();
  void ClampTimesField();
  void OnValueFocus(bool in);
  void SetPageEnabled(bool enabled);
  void FinishRecording();
  void ShowRecordButton();
  void ShowInsertMenu();
  void ShowMacroMenu();
  void ShowEventMenu();
  void ExportOne();
  void ExportAll();
  void ImportFile(bool all);
  void AppendImported(int id, const std::string& name);
  std::string ChooseFile(bool save);
  void ContinueUpload();
  bool StoreChanged() const;
  std::uint32_t Tick() const;

  DUI::MWindow* window_;
  QWidget* container_;
  SettingsStore& store_;
  MacrosPageHooks hooks_;
  std::function<std::uint32_t()> tick_;

  MacroEditor editor_;
  MacroRecorder recorder_;
  int selectedMacro_ = 0;
  // The database the shown macro belongs to: after a model switch its id
  // means another macro, so nothing is saved under it.
  std::string storePath_;
  // The database the macro list was filled from.
  std::string listPath_;
  // A key captured in the value field of a key record.
  int capturedKey_ = 0;
  std::string capturedName_;
  bool capturingValue_ = false;
  // Buttons still to send, and the ticket of the write in flight.
  std::vector<int> uploadQueue_;
  std::uint64_t uploadTicket_ = 0;
  QTimer* uploadTimer_ = nullptr;
  std::unique_ptr<MacroKeyFeed> keyFeed_;
  // The key capture of the value field while a key record is selected.
  QPointer<KeyCapture> valueCapture_;
  void SetValueCapture(bool on);

  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::MPicture* content_ = nullptr;
  DUI::MPicture* listArea_ = nullptr;
  DUI::MText* listTitle_ = nullptr;
  DUI::MacroList* macroList_ = nullptr;
  DUI::MButton* newMacro_ = nullptr;
  DUI::MButton* deleteMacro_ = nullptr;
  DUI::MText* uploadText_ = nullptr;
  DUI::MButton* uploadSend_ = nullptr;
  DUI::MPicture* eventsArea_ = nullptr;
  DUI::MText* eventsTitle_ = nullptr;
  DUI::MPicture* eventCaption_ = nullptr;
  DUI::MText* columns_[3] = {};
  DUI::CRecordList* eventList_ = nullptr;
  DUI::MButton* insert_ = nullptr;
  DUI::MButton* deleteEvent_ = nullptr;
  DUI::MButton* deleteAll_ = nullptr;
  DUI::MButton* moveUp_ = nullptr;
  DUI::MButton* moveDown_ = nullptr;
  DUI::MPicture* settingsArea_ = nullptr;
  DUI::CIconButton* record_ = nullptr;
  DUI::MText* delayCaption_ = nullptr;
  DUI::CRadioButton* delayRadios_[3] = {};
  DUI::CArea* delayArea_ = nullptr;
  DUI::MEdit* delayField_ = nullptr;
  DUI::MText* delayUnit_ = nullptr;
  DUI::MText* playCaption_ = nullptr;
  DUI::CRadioButton* playRadios_[3] = {};
  DUI::MEdit* timesField_ = nullptr;
  DUI::MPicture* editorArea_ = nullptr;
  DUI::MPicture* editorField_ = nullptr;
  DUI::MText* kindCaption_ = nullptr;
  DUI::MComboBox* kindList_ = nullptr;
  DUI::MText* valueCaption_ = nullptr;
  DUI::MEdit* valueField_ = nullptr;
  DUI::MComboBox* buttonList_ = nullptr;
};

}  // namespace korvex

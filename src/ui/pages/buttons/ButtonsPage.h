#pragma once
// The buttons page: the button list and the mouse picture kept on the same
// button, the function lists, the key-combination and fire panels, disable
// and the two resets. Choices are stored for the active profile and handed
// to the worker as a button write; the rules behind them are Qt-free
// (buttons/ButtonFunctions.h).

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "buttons/ButtonFunctions.h"
#include "catalogue/ModelDescriptor.h"
#include "store/StoreRecords.h"

class QWidget;

namespace DUI {
class CImageButton;
class MButton;
class MComboBox;
class MPicture;
class MText;
class MWindow;
class MouseCtrl;
class MouseKeyCtrl;
}  // namespace DUI

namespace korvex {

class FirePanel;
class KeyCombinationPanel;
class SettingsStore;

// What the page asks of the window.
struct ButtonsPageHooks {
  std::function<ProfileId()> activeProfile;
  std::function<void(int)> queueTask;
  // A macro was bound to this button: its data goes with the next write.
  std::function<void(int)> markMacroUpload;
  // With tips on: the saved confirmation, replacing an open one.
  std::function<void()> showSaved;
  // A message box of two texts; okCancel: two buttons. 1 is OK.
  std::function<int(int titleText, int messageText, bool okCancel)> ask;
  // The shown form of a macro name stored with a binding; empty: as stored.
  MacroNameRule macroName;
};

class ButtonsPage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 59,
    kCaption = 60,
    kTitle = 61,
    kListArea = 62,
    kSectionTitle = 63,
    kResetAll = 64,
    kButtonList = 65,
    kContent = 66,
    kPanelTitle = 67,
    kResetButton = 68,
    kMouseCaption = 69,
    kMouseList = 70,
    kMediaCaption = 71,
    kMediaList = 72,
    kMacroCaption = 73,
    kMacroList = 74,
    kShortcutList = 76,  // its caption shares the identifier
    kDpiCaption = 77,
    kDpiList = 78,
    kSpecialCaption = 79,
    kSpecialList = 80,
    kKeyCaption = 81,
    kKeyOpen = 82,
    kFireCaption = 83,
    kFireOpen = 84,
    kDisableCaption = 85,
    kDisable = 86,
    kMousePicture = 105,
  };
  static bool IsPageControl(int id) { return id >= kResetAll && id <= kMousePicture; }

  ButtonsPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, ButtonsPageHooks hooks);
  ~ButtonsPage() override;

  // The model's buttons into the picture and the list (names and default
  // descriptions), then the active profile's assignments.
  void ShowModel(const ModelDescriptor& descriptor);
  // Button 0 selected, every button described from the active profile.
  void LoadButtonPage();
  // The macros offered by the macro list: (shown name, macro id).
  void SetMacros(const std::vector<std::pair<QString, int>>& macros);

  void OnNotify(int id, int event, intptr_t param);
  void ApplyTexts();
  void Layout();

  // The operations, also for tests.
  void SelectButton(int index);
  void ShowButtonFunction();
  void AssignFromList(int category, int index);
  void OpenKeyCombinationPanel();
  void AssignKeyCombination();
  void OpenFirePanel();
  void AssignFire();
  void DisableButton();
  void ResetButton();
  void ResetAllButtons();

  int SelectedKey() const { return selectedKey_; }
  DUI::MouseKeyCtrl* ButtonList() const { return buttonList_; }
  DUI::MouseCtrl* MousePicture() const { return mouse_; }
  DUI::MComboBox* List(int category) const;
  KeyCombinationPanel& KeyPanel() const { return *keyPanel_; }
  FirePanel& Fire() const { return *firePanel_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  struct ListRow {
    int category;
    int captionText;
    DUI::MText* caption;
    DUI::MComboBox* list;
  };
  void Build(DUI::MWindow* window);
  void BuildFunctionRows(DUI::MWindow* window);
  void FillLists();
  void DescribeButtons();
  void SetDescription(int keyCode, const QString& text);
  QString DefaultDescription(int keyCode) const;
  const DescriptorButton* ButtonOf(int keyCode) const;
  void SelectIndex(int index);
  // The common tail of every assignment; false when the guard refused.
  bool Store(int category, int value, int value2, const QString& description);
  bool Guard();
  bool Confirm(int messageText);
  void Saved();
  void MarkRow(DUI::MComboBox* list, int category, int code);
  void UnmarkAll();

  QWidget* container_;
  SettingsStore& store_;
  ButtonsPageHooks hooks_;
  ModelDescriptor descriptor_;
  std::vector<std::pair<QString, int>> macros_;
  int selectedKey_ = 0;

  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::MButton* resetAll_ = nullptr;
  DUI::MPicture* listArea_ = nullptr;
  DUI::MouseKeyCtrl* buttonList_ = nullptr;
  DUI::MouseCtrl* mouse_ = nullptr;
  DUI::MPicture* content_ = nullptr;
  DUI::MText* panelTitle_ = nullptr;
  DUI::MText* sectionTitle_ = nullptr;
  DUI::CImageButton* resetButton_ = nullptr;
  std::vector<ListRow> rows_;
  DUI::MText* keyCaption_ = nullptr;
  DUI::MButton* keyOpen_ = nullptr;
  DUI::MText* fireCaption_ = nullptr;
  DUI::MButton* fireOpen_ = nullptr;
  DUI::MText* disableCaption_ = nullptr;
  DUI::MButton* disable_ = nullptr;
  KeyCombinationPanel* keyPanel_ = nullptr;
  FirePanel* firePanel_ = nullptr;
};

}  // namespace korvex

#pragma once
// The profile dialog: the four profiles of the current model in a list that
// opens just above the profile button. Choosing one asks the owner to switch
// to it; a name can be edited in place. The owner receives its requests as
// window message 1705 (wParam = action, lParam = profile id): action 0
// switches, 1 imports into the current profile, 2 exports.
//
// The import and export buttons are hidden unless ShowExchangeButtons(true)
// comes before Create; Open shows them.

#include <QRect>

#include "skinui/MDialog.h"
#include "store/StoreRecords.h"

namespace DUI {
class DListBox;
class MButton;
class MPicture;
}  // namespace DUI

namespace korvex {

class SettingsStore;

class ProfileDlg : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "ProfileDlg";
  static constexpr int kMsgProfileAction = 1705;
  static constexpr int kActionSwitch = 0;
  static constexpr int kActionImport = 1;
  static constexpr int kActionExport = 2;
  static constexpr int kTextProfile = 61;
  static constexpr int kTextImport = 26;
  static constexpr int kTextExport = 27;
  static constexpr int kTextOfflineTitle = 576;
  static constexpr int kTextOfflineMessage = 57;
  enum ControlId { kBackground = 30, kList = 31, kImport = 32, kExport = 33 };

  // `current`: the main window's current profile, selected in the list.
  ProfileDlg(SettingsStore& store, ProfileId current);

  // Before Create: whether the import and export buttons are shown.
  void ShowExchangeButtons(bool on) { exchangeButtons_ = on; }
  // Creates it hidden at `rect` (screen coordinates).
  bool Create(DUI::MWindow* owner, const QRect& rect);

  // The rectangle as wide as the profile label that lies between 210 and 5
  // pixels above its top edge (screen coordinates).
  static QRect PlaceAbove(const QRect& labelOnScreen);

  // The profile button's action: without a connected mouse a message box
  // says so and nothing opens; otherwise the dialog runs modally above the
  // label. Returns the dialog's end code (0 when it did not open).
  static int Open(DUI::MWindow* owner, SettingsStore& store, ProfileId current,
                  const QRect& labelOnScreen, bool deviceOnline);

  ProfileId DialogProfile() const { return dialogProfile_; }
  bool Changed() const { return changed_; }
  DUI::DListBox* List() const { return list_; }

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;
  void OnActivate(bool active) override;
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override;
  void OnSize(int width, int height) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  void FillList();
  void OnItemChosen(int index);
  void OnItemRenamed();
  void OnExchange(int action);
  // Losing the focus (or Escape): a rename still switches, then it closes.
  void Dismiss();
  void Post(int action, ProfileId profile);
  void Finish(int result);

  SettingsStore& store_;
  ProfileId dialogProfile_;
  bool changed_ = false;
  bool finished_ = false;
  bool exchangeButtons_ = false;
  DUI::MPicture* background_ = nullptr;
  DUI::DListBox* list_ = nullptr;
  DUI::MButton* import_ = nullptr;
  DUI::MButton* export_ = nullptr;
};

}  // namespace korvex

#pragma once
// The key dialog of the insert menu (360 x 150): a key field, OK and close.
// The field takes the next key pressed while it has the focus; both
// buttons end the dialog and the caller reads the key.

#include <string>
#include <utility>

#include "skinui/MDialog.h"

namespace DUI {
class CImageButton;
class MButton;
class MEdit;
class MText;
}  // namespace DUI

namespace korvex {

class RecordEditDlg : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "RecordEditDlg";
  static constexpr int kWidth = 360;
  static constexpr int kHeight = 150;
  enum ControlId { kClose = 30, kCaption = 31, kKeyField = 32, kOk = 33 };

  RecordEditDlg() = default;
  bool Create(DUI::MWindow* owner);
  // Runs the dialog over `owner`; (0, "") when no key was pressed.
  static std::pair<int, std::string> AskKey(DUI::MWindow* owner);

  int KeyCode() const { return keyCode_; }
  const std::string& KeyName() const { return keyName_; }
  DUI::MEdit* KeyField() const { return field_; }
  // A decoded key reached the field.
  void TakeKey(int keyCode, const std::string& name);

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;

 private:
  int keyCode_ = 0;
  std::string keyName_;
  DUI::MEdit* field_ = nullptr;
};

}  // namespace korvex

#pragma once
// The program's only message box: a title, a message and one button (type 0)
// or OK and Cancel (type 4). Its modal run gives 1 for OK and 2 for Cancel;
// a close message (posted by title when the devices change) ends it with
// its first parameter, 2.

#include <QString>

#include "skinui/MDialog.h"

namespace DUI {
class MText;
}

namespace korvex {

class CUIMessageBox : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "MessageBox";
  static constexpr int kWidth = 430;
  static constexpr int kHeight = 230;
  static constexpr int kTypeOk = 0;
  static constexpr int kTypeOkCancel = 4;
  static constexpr int kTextSingleButton = 20;
  static constexpr int kTextOk = 23;
  static constexpr int kTextCancel = 25;
  enum ControlId { kTitleText = 31, kMessageText = 32, kButtonOk = 33, kButtonCancel = 34 };

  CUIMessageBox(QString title, QString message, int type);

  // Creates it hidden, centred on the parent (or the screen without one).
  bool Create(DUI::MWindow* parent);

  // Creates a box, shows it modally and destroys it; returns 1 or 2.
  static int ShowMessage(DUI::MWindow* parent, int titleText, int messageText, int type);
  static int ShowMessage(DUI::MWindow* parent, const QString& title, const QString& message, int type);

  int Type() const { return type_; }

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;

 private:
  void AddButton(int id, int text, const QRect& rect, bool primary);

  QString title_;
  QString message_;
  int type_;
};

}  // namespace korvex

#pragma once
// The key-combination panel of the buttons page: a key field that captures
// one key while it has the focus, the Shift, Ctrl, Win and Alt toggles, OK
// and close. The page decides what OK stores.

#include <QObject>
#include <QString>

#include "buttons/ButtonFunctions.h"
#include "buttons/KeyDecoder.h"

class QWidget;

namespace DUI {
class CImageButton;
class MButton;
class MEdit;
class MPicture;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

class KeyCapture;

class KeyCombinationPanel : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 87,
    kTitle = 88,
    kKeyField = 89,
    kToggleCtrl = 90,
    kToggleWin = 91,
    kToggleAlt = 92,
    kToggleShift = 93,
    kOk = 94,
    kClose = 95,
    kKeyCaption = 96,
    kModifierCaption = 97,
  };
  static bool IsPanelControl(int id) { return id >= kBackground && id <= kModifierCaption; }

  KeyCombinationPanel(DUI::MWindow* window, QWidget* page);

  // Clears the captured key, the field and the toggles, and shows the panel.
  void Open();
  void Hide();
  bool IsOpen() const;
  // A toggle was clicked.
  void OnToggle(int id);

  // Capture mode 10 while the key field has the focus, else 0.
  int CaptureMode() const { return captureMode_; }
  int CapturedKey() const { return capturedKey_; }
  QString KeyText() const;
  ModifierToggles Toggles() const { return toggles_; }
  // One decoded key while the field has the focus.
  void OnKey(const KeyEvent& event);

  void SetRect(const QRect& rect);
  void ApplyTexts();

 private:
  void OnCaptureArmed(bool armed);
  void ShowToggles();

  QWidget* panel_;
  DUI::MPicture* background_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::CImageButton* close_ = nullptr;
  DUI::MText* keyCaption_ = nullptr;
  DUI::MEdit* keyField_ = nullptr;
  DUI::MText* modifierCaption_ = nullptr;
  DUI::MButton* toggleButtons_[4] = {};  // Ctrl, Win, Alt, Shift
  DUI::MButton* ok_ = nullptr;
  KeyCapture* capture_ = nullptr;
  ModifierToggles toggles_;
  int captureMode_ = 0;
  int capturedKey_ = 0;
  QString capturedName_;
};

}  // namespace korvex

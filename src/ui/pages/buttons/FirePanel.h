#pragma once
#include <QObject>
#include <QRect>

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

// The fire panel: the interval and shot count fields, clamped when they lose
// the focus, OK and close.
class FirePanel : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 98,
    kTitle = 99,
    kFirstCaption = 100,
    kFirst = 101,
    kSecondCaption = 102,
    kSecond = 103,
    kOk = 104,
    kClose = 75,
  };
  static bool IsPanelControl(int id) { return (id >= kBackground && id <= kOk) || id == kClose; }

  FirePanel(DUI::MWindow* window, QWidget* page);

  // Shows the panel with "5" and "1".
  void Open();
  void Hide();
  bool IsOpen() const;
  // Clamps the field's number, rewriting the field when it changed.
  int Clamp(int id);
  void Show(int first, int second);

  void SetRect(const QRect& rect);
  void ApplyTexts();

 private:
  QWidget* panel_;
  DUI::MPicture* background_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::CImageButton* close_ = nullptr;
  DUI::MText* firstCaption_ = nullptr;
  DUI::MEdit* first_ = nullptr;
  DUI::MText* secondCaption_ = nullptr;
  DUI::MEdit* second_ = nullptr;
  DUI::MButton* ok_ = nullptr;
};

}  // namespace korvex

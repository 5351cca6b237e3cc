#pragma once
// The device page: the mouse's and the receiver's firmware versions with
// their check buttons, the restore of defaults and the button response
// time. The worker fills the version rows after each synchronisation; the
// window's dispatch handles the buttons.

#include <QObject>
#include <QString>
#include <string>

class QWidget;

namespace DUI {
class CRoundArea;
class MButton;
class MPicture;
class MText;
class MWindow;
class NumberEdit;
}  // namespace DUI

namespace korvex {

class DevicePage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kResponsePicture = 134,
    kResponseCaption = 135,
    kResponseTime = 136,
    kBackground = 189,
    kCaption = 190,
    kTitle = 191,
    kMousePanel = 234,
    kReceiverPanel = 235,
    kRestorePanel = 236,
    kMouseVersion = 240,
    kReceiverVersion = 241,
    kRestoreCaption = 242,
    kMouseStatus = 243,
    kReceiverStatus = 244,
    kFirmwareCheck = 245,
    kReceiverCheck = 246,
    kRestore = 247,
  };
  enum Text {
    kTextTitle = 76,
    kTextResponseTime = 525,
    kTextMouseFirmware = 551,
    kTextReceiverFirmware = 552,
    kTextRestore = 558,
    kTextCheck = 578,
    kTextLatest = 580,
  };
  enum Row { kMouseRow = 0, kReceiverRow = 1 };

  DevicePage(DUI::MWindow* window, QWidget* container);

  // A version row as the version display formats it ("<caption>: v1.05")
  // and its status line. Kept apart from the caption so that a language
  // change can rebuild the row.
  void ShowVersionRow(int row, const std::string& text, const std::string& status);
  void EnableFirmwareButtons(bool mouse, bool receiver);
  // A newer mouse firmware was found: the status line of the mouse row.
  void ShowMouseStatus(const QString& status);
  // The firmware check found nothing newer: text 580, and the mouse's check
  // button is disabled until the next synchronisation shows the row again.
  void ShowMouseLatest();
  QString RowText(int row) const;
  QString RowStatus(int row) const;

  void ShowResponseTime(int value);
  QString ResponseText() const;

  void ApplyTexts();
  void Layout();

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  struct VersionRow {
    // What follows the caption (": v1.05"); empty: only the caption.
    QString suffix;
    QString status;
    bool statusLatest = false;  // the status is text 580
    DUI::MText* text = nullptr;
    DUI::MText* statusText = nullptr;
  };
  void BuildRows(DUI::MWindow* window);
  void BuildRestore(DUI::MWindow* window);
  void ShowRow(int row);
  static int CaptionText(int row);

  QWidget* container_;
  VersionRow rows_[2];
  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::CRoundArea* panels_[3] = {};
  DUI::MButton* firmwareCheck_ = nullptr;
  DUI::MButton* receiverCheck_ = nullptr;
  DUI::MText* restoreCaption_ = nullptr;
  DUI::MButton* restore_ = nullptr;
  DUI::MPicture* responsePicture_ = nullptr;
  DUI::MText* responseCaption_ = nullptr;
  DUI::NumberEdit* responseTime_ = nullptr;
};

}  // namespace korvex

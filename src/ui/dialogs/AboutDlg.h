#pragma once
// The About window: the logo, the mouse's firmware version, the software
// version and the copyright line, with a close button.

#include <string>

#include "skinui/MDialog.h"

namespace DUI {
class CImageButton;
class MText;
}  // namespace DUI

namespace korvex {

class AboutDlg : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "About Window";
  static constexpr int kWidth = 500;
  static constexpr int kHeight = 300;
  static constexpr int kTextClose = 5;
  static constexpr int kTextFirmware = 16;
  static constexpr int kTextSoftware = 17;
  static constexpr int kTextCopyright = 2;
  enum ControlId { kClose = 30, kLogo = 32, kSoftwareLine = 33, kFirmwareLine = 34, kCopyright = 35 };

  // firmwareRelease: the device manager's version number (0 without a
  // mouse); softwareVersion: the application's version text.
  AboutDlg(int firmwareRelease, std::string softwareVersion);

  // Creates it hidden, centred on the owner (or the screen without one).
  bool Create(DUI::MWindow* owner);
  // Creates, shows modally and destroys an About window; returns 1.
  static int Show(DUI::MWindow* owner, int firmwareRelease, const std::string& softwareVersion);

  // The release number in lower-case hexadecimal, shown as "v1.05"; a
  // number below 0x100 keeps its leading zeros ("v0.05", not "v5.5").
  static QString FirmwareLine(int firmwareRelease);
  QString FirmwareText() const;
  QString SoftwareText() const;

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;

 private:
  DUI::MText* AddLine(int id, const QRect& rect, const QString& text);

  int firmwareRelease_;
  std::string softwareVersion_;
  DUI::MText* firmware_ = nullptr;
  DUI::MText* software_ = nullptr;
};

}  // namespace korvex

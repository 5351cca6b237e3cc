#include "ui/dialogs/AboutDlg.h"

#include <cstdio>

#include "app/VersionDisplay.h"
#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/MPicture.h"
#include "skinui/MText.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {
namespace {

const QColor kGrey(0x96, 0x96, 0x96);

}  // namespace

AboutDlg::AboutDlg(int firmwareRelease, std::string softwareVersion)
    : firmwareRelease_(firmwareRelease), softwareVersion_(std::move(softwareVersion)) {}

bool AboutDlg::Create(DUI::MWindow* owner) {
  if (!MWindow::Create(owner, kTitle, 0, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(owner);
  return true;
}

int AboutDlg::Show(DUI::MWindow* owner, int firmwareRelease, const std::string& softwareVersion) {
  AboutDlg dlg(firmwareRelease, softwareVersion);
  if (!dlg.Create(owner)) return 0;
  const int result = dlg.ShowModal();
  dlg.DestroyWindow();
  return result;
}

QString AboutDlg::FirmwareLine(int firmwareRelease) {
  char hex[16];
  std::snprintf(hex, sizeof hex, "%03x", static_cast<unsigned>(firmwareRelease) & 0xFFFFu);
  return QString::fromStdString(FormatVersionRow(GetText(kTextFirmware), hex, true));
}

void AboutDlg::OnCreate() {
  SetBkColor(QColor(0x1A, 0x1A, 0x1A), kGrey);
  SetEscapeCancels(true);
  const int w = width();
  const int h = height();

  auto* close = CreateControl<DUI::CImageButton>(kClose);
  close->SetRect(w - 40, 15, w - 21, 34);
  close->SetImage("sysbtn_close.png");
  close->SetTooltip(DialogText(kTextClose));

  auto* logo = CreateControl<DUI::MPicture>(kLogo);
  logo->SetRect(w / 2 - 130, 80, w / 2 + 130, 120);
  logo->SetImage("logo.png");
  logo->SetDrawMode(DUI::MPicture::kFit);

  firmware_ = AddLine(kFirmwareLine, QRect(w / 2 - 150, 150, 300, 35), FirmwareLine(firmwareRelease_));
  const QString software = QStringLiteral("%1: v%2").arg(DialogText(kTextSoftware),
                                                         QString::fromStdString(softwareVersion_));
  software_ = AddLine(kSoftwareLine, QRect(w / 2 - 150, 185, 300, 30), software);
  AddLine(kCopyright, QRect(10, h - 40, w - 20, 35), DialogText(kTextCopyright));
}

DUI::MText* AboutDlg::AddLine(int id, const QRect& rect, const QString& text) {
  auto* line = CreateControl<DUI::MText>(id, rect);
  line->SetTextColor(kGrey);
  line->SetTextAlign(Qt::AlignCenter);
  line->SetTitle(text);
  return line;
}

void AboutDlg::OnNotify(int id, int event, intptr_t, DUI::MControl*) {
  if (id == kClose && event == DUI::kEventClick) DoOK();
}

QString AboutDlg::FirmwareText() const { return firmware_ != nullptr ? firmware_->GetTitle() : QString(); }
QString AboutDlg::SoftwareText() const { return software_ != nullptr ? software_->GetTitle() : QString(); }

}  // namespace korvex

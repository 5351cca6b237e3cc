#include "ui/dialogs/MousePaletteDlg.h"

#include <algorithm>

#include "skinui/CArea.h"
#include "skinui/CColorButton.h"
#include "skinui/CImageButton.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MPalette.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"
#include "skinui/MText.h"
#include "ui/dialogs/DialogText.h"

namespace korvex {
namespace {

constexpr const char* kSwatchGroup = "PALETTEDLG_SWATCH";
constexpr int kFieldIds[3] = {MousePaletteDlg::kRed, MousePaletteDlg::kGreen, MousePaletteDlg::kBlue};

int ComponentOf(ColourRef colour, int field) {
  return field == 0 ? ColourRed(colour) : field == 1 ? ColourGreen(colour) : ColourBlue(colour);
}

}  // namespace

MousePaletteDlg::MousePaletteDlg(ColourRef initial) : chosen_(initial & 0xFFFFFF) {}

bool MousePaletteDlg::Create(DUI::MWindow* owner) {
  const unsigned style = kStyleToolWindow | kStyleTopMost | kStyleDraggable;
  if (!MWindow::Create(owner, kTitle, style, QRect(0, 0, kWidth, kHeight))) return false;
  CenterWindow(owner);
  return true;
}

ColourRef MousePaletteDlg::Choose(DUI::MWindow* owner, ColourRef initial) {
  MousePaletteDlg dialog(initial);
  if (!dialog.Create(owner)) return 0;
  const int result = dialog.ShowModal();
  const ColourRef chosen = dialog.Chosen();
  dialog.DestroyWindow();
  return result == kOK ? chosen : 0;
}

QString MousePaletteDlg::FieldText(int field) const {
  return field >= 0 && field < 3 && fields_[field] ? fields_[field]->GetTitle() : QString();
}

void MousePaletteDlg::OnCreate() {
  SetBkColor(DUI::MStyle::Panel(), DUI::MStyle::Border());
  SetEscapeCancels(true);
  auto* close = CreateControl<DUI::CImageButton>(kClose, QRect(kWidth - 36, 8, 26, 26));
  close->SetImage(QStringLiteral("btn_close.png"));
  close->SetTooltip(DialogText(kTextClose));

  palette_ = CreateControl<DUI::MPalette>(kPalette, QRect(20, 40, 200, 176));
  preview_ = CreateArea(kPreview, QRect(236, 40, 74, 74), DUI::MRender::FromColourRef(chosen_));
  preview_->SetRadius(8);
  preview_->SetBorderColor(DUI::MStyle::Border());

  const char* labels[3] = {"R:", "G:", "B:"};
  for (int i = 0; i < 3; ++i) {
    const int top = 126 + 32 * i;
    auto* label = CreateControl<DUI::MText>(kRedLabel + i, QRect(236, top, 22, 26));
    label->SetTitle(QString::fromLatin1(labels[i]));
    label->SetTextColor(DUI::MStyle::TextDim());
    fields_[i] = CreateControl<DUI::MEdit>(kFieldIds[i], QRect(260, top, 50, 26));
    fields_[i]->SetImage(QStringLiteral("img_edit.png"));
    fields_[i]->SetNumberOnly(true);
    fields_[i]->SetLimitText(3);
    fields_[i]->SetTextAlign(Qt::AlignCenter);
    fields_[i]->SetTitle(QStringLiteral("255"));
  }

  for (int i = 0; i < kSwatchCount; ++i) {
    auto* swatch = CreateControl<DUI::CColorButton>(kSwatchFirst + i, QRect(21 + 37 * i, 232, 28, 28));
    swatch->SetGroup(QString::fromLatin1(kSwatchGroup));
    swatch->SetColor(kSwatches[i]);
  }

  auto* ok = CreateControl<DUI::MButton>(kOk, QRect(kWidth / 2 - 60, 274, 120, 32));
  ok->SetImage(QStringLiteral("img_button.png"));
  ok->SetPrimary(true);
  ok->SetTextAlign(Qt::AlignCenter);
  ok->SetTitle(DialogText(kTextOk));

  ShowChosen(0);
}

void MousePaletteDlg::OnNotify(int id, int event, intptr_t param, DUI::MControl*) {
  if (id == kPalette && (event == DUI::kEventChanging || event == DUI::kEventClick)) {
    chosen_ = static_cast<ColourRef>(param) & 0xFFFFFF;
    DUI::CColorButton::UnselectGroup(QString::fromLatin1(kSwatchGroup));
    ShowChosen(kPalette);
  } else if ((id == kRed || id == kGreen || id == kBlue) && event == DUI::kEventEditChanged) {
    OnField(id);
  } else if (id >= kSwatchFirst && id < kSwatchFirst + kSwatchCount && event == DUI::kEventClick) {
    chosen_ = kSwatches[id - kSwatchFirst];
    ShowChosen(0);
  } else if (id == kOk && event == DUI::kEventClick) {
    DoOK();
  } else if (id == kClose && event == DUI::kEventClick) {
    chosen_ = 0;
    DoCancel();
  }
}

void MousePaletteDlg::OnField(int id) {
  int values[3] = {};
  for (int i = 0; i < 3; ++i) {
    const QString text = fields_[i]->GetTitle();
    const int value = std::clamp(text.toInt(), 0, 255);
    // An emptied field counts as 0 but stays empty while the user types.
    if (!text.isEmpty() && QString::number(value) != text) fields_[i]->SetTitle(QString::number(value));
    values[i] = value;
  }
  chosen_ = PackColour(static_cast<std::uint8_t>(values[0]), static_cast<std::uint8_t>(values[1]),
                       static_cast<std::uint8_t>(values[2]));
  DUI::CColorButton::UnselectGroup(QString::fromLatin1(kSwatchGroup));
  ShowChosen(id);
}

void MousePaletteDlg::ShowChosen(int except) {
  if (except != kPalette) palette_->SetColor(chosen_);
  preview_->SetColor(DUI::MRender::FromColourRef(chosen_));
  for (int i = 0; i < 3; ++i) {
    if (kFieldIds[i] == except) continue;
    fields_[i]->SetTitle(QString::number(ComponentOf(chosen_, i)));
  }
}

}  // namespace korvex

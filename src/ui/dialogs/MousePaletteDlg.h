#pragma once
// The colour picker: a palette, a preview, R/G/B fields (0 to 255), eight
// swatches and OK. Run modally; OK gives the chosen colour, the close button
// (or a close by title when the devices change) gives 0, which callers take
// as "no choice" (so black cannot be chosen).

#include "skinui/MDialog.h"
#include "store/ColourRef.h"

namespace DUI {
class CArea;
class MEdit;
class MPalette;
}  // namespace DUI

namespace korvex {

class MousePaletteDlg : public DUI::MDialog {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "PaletteDlg";
  static constexpr int kWidth = 330;
  static constexpr int kHeight = 320;
  static constexpr int kSwatchCount = 8;
  static constexpr ColourRef kSwatches[kSwatchCount] = {0x0000FF, 0xFF0000, 0x00FF00, 0x00FFFF,
                                                        0xFF00FF, 0xFFFF00, 0xFF00FF, 0xFFFFFF};
  static constexpr int kTextOk = 23;
  static constexpr int kTextClose = 5;
  enum ControlId {
    kClose = 30,
    kPalette = 31,
    kPreview = 32,
    kRedLabel = 33,
    kGreenLabel = 34,
    kBlueLabel = 35,
    kRed = 36,
    kGreen = 37,
    kBlue = 38,
    kSwatchFirst = 40,  // 40 to 47
    kOk = 48,
  };

  explicit MousePaletteDlg(ColourRef initial);

  // Creates it hidden, centred on the owner.
  bool Create(DUI::MWindow* owner);
  // Creates, runs and destroys a picker; the chosen colour or 0.
  static ColourRef Choose(DUI::MWindow* owner, ColourRef initial);

  ColourRef Chosen() const { return chosen_; }
  // The three fields as shown.
  QString FieldText(int field) const;

 protected:
  void OnCreate() override;
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override;

 private:
  void OnField(int id);
  // Shows the chosen colour everywhere but in `except` (the control the
  // user is working in).
  void ShowChosen(int except);

  ColourRef chosen_;
  DUI::MPalette* palette_ = nullptr;
  DUI::CArea* preview_ = nullptr;
  DUI::MEdit* fields_[3] = {};
};

}  // namespace korvex

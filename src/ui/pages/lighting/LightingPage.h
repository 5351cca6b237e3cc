#pragma once
// The lighting page (container 53): the profile's lighting modes, brightness
// and speed, the preset swatches, the seven colour slots of modes that have
// them, and the free colour field with its preview and R/G/B fields. Every
// change is stored for the active profile first, then the lighting write is
// queued. The rules behind the controls live in lighting/.

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

#include "lighting/LightRows.h"
#include "lighting/LightRules.h"
#include "store/StoreRecords.h"

class QWidget;

namespace DUI {
class CArea;
class CColorButton;
class CImageButton;
class LightSlider;
class MComboBox;
class MEdit;
class MPalette;
class MPicture;
class MText;
class MWindow;
}  // namespace DUI

namespace korvex {

class SettingsStore;

// What the page needs from the window.
struct LightingPageHooks {
  std::function<ProfileId()> profile;
  std::function<int()> deviceType;
  std::function<LightEnableFlags()> lightModes;
  std::function<bool()> hasLighting;
  std::function<void(int)> queueTask;
  // The saved confirmation, shown when tips are on.
  std::function<void()> showSaved;
  // The reset's confirmation: true for OK.
  std::function<bool(int titleText, int messageText)> confirm;
};

class LightingPage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 189,
    kCaption = 190,
    kTitle = 191,
    kModePanel = 192,
    kModeCaption = 193,
    kModeList = 194,
    kArea = 195,
    kColourPanel = 196,
    kResetCaption = 197,
    kReset = 198,
    kBrightnessCaption = 199,
    kBrightnessLabel = 200,
    kBrightnessSlider = 201,
    kSpeedCaption = 202,
    kSpeedLabel = 203,
    kSpeedSlider = 204,
    kSwatchCaption = 205,
    kFirstSwatchId = 206,
    kLastSwatchId = 213,
    kSlotCaption = 214,
    kFirstSlot = 215,
    kLastSlot = 221,
    kPaletteCaption = 222,
    kPalette = 223,
    kPreview = 224,
    kRedCaption = 225,
    kRedField = 228,
    kGreenField = 229,
    kBlueField = 230,
  };
  enum Text {
    kTextTitle = 265,
    kTextMode = 266,
    kTextReset = 267,
    kTextBrightness = 268,
    kTextSpeed = 269,
    kTextSwatches = 270,
    kTextPalette = 271,
    kTextSlots = 272,
    kTextResetQuestion = 275,
    kTextResetTitle = 276,
    kTextBrightnessLabel = 278,
    kTextSpeedLabel = 279,
    kTextSlotsTip = 790,
    kTextSwatchTip = 791,
  };
  static constexpr int kInitialMode = 3;

  LightingPage(DUI::MWindow* window, QWidget* container, SettingsStore& store, LightingPageHooks hooks);

  static bool IsPageControl(int id) { return id >= kModeList && id <= kBlueField; }
  void OnNotify(int id, int event, intptr_t param);

  // The profile's rows into the mode list, the active mode selected and
  // shown (after every sync and after the lighting reset).
  void LoadLightPage();
  // The controls of the selected mode; also makes it the active row.
  void ShowLightMode();

  void SelectLightMode();
  void SetBrightness(int event, int level);
  void SetSpeed(int event, int level);
  void PickSwatch(int id);
  void PickPaletteColour(ColourRef colour, bool final);
  void EditColourComponent(int id);
  void ApplyColour(ColourRef colour);
  void ResetLightSettings();

  void ApplyTexts();
  void Layout();

  int ActiveLightMode() const { return activeLightMode_; }
  // Index 0..6 of the selected colour slot, -1 when none.
  int SelectedSlot() const;
  int ShownFunctions() const { return shownFunctions_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  void BuildModeRow(DUI::MWindow* window);
  void BuildSliders(DUI::MWindow* window);
  void BuildColours(DUI::MWindow* window);
  void ShowComponents(ColourRef colour);
  void ShowPreview(ColourRef colour);
  void ShowSlotColours();
  void SavedAndQueued();
  double Scale() const;
  QRect Scaled(int x, int y, int w, int h) const;
  int LayoutSliders(int top);
  void LayoutColours(int top);

  QWidget* container_;
  SettingsStore& store_;
  LightingPageHooks hooks_;
  int activeLightMode_ = kInitialMode;
  int shownFunctions_ = 0;
  SlotColours slots_;
  std::vector<int> itemTexts_;  // the text id of each mode list item

  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::MPicture* modePanel_ = nullptr;
  DUI::MPicture* area_ = nullptr;
  DUI::MPicture* colourPanel_ = nullptr;
  DUI::MText* modeCaption_ = nullptr;
  DUI::MComboBox* modeList_ = nullptr;
  DUI::MText* resetCaption_ = nullptr;
  DUI::CImageButton* reset_ = nullptr;
  DUI::MText* brightnessCaption_ = nullptr;
  DUI::MText* brightnessLabel_ = nullptr;
  DUI::LightSlider* brightness_ = nullptr;
  DUI::MText* speedCaption_ = nullptr;
  DUI::MText* speedLabel_ = nullptr;
  DUI::LightSlider* speed_ = nullptr;
  DUI::MText* swatchCaption_ = nullptr;
  DUI::CColorButton* swatches_[8] = {};
  DUI::MText* slotCaption_ = nullptr;
  DUI::CColorButton* slotButtons_[kSlotCount] = {};
  DUI::MText* paletteCaption_ = nullptr;
  DUI::MPalette* palette_ = nullptr;
  DUI::CArea* preview_ = nullptr;
  DUI::MText* componentCaptions_[3] = {};
  DUI::MEdit* fields_[3] = {};
};

}  // namespace korvex

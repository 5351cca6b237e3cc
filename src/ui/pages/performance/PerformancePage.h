#pragma once
// The performance page: DPI stages with their colours, the stage count and
// the active stage, the DPI slider, the report rate, the lift-off distance,
// the sensor options, the power options and the shortcut to the desktop's
// mouse settings; it also edits the button response time shown on the
// device page.
//
// Every edit updates its control, stores the value for the active profile,
// queues the device task that sends it and, with tips on, shows the saved
// confirmation. The page never talks to the mouse; the worker's
// synchronisation refreshes it from the store. Its controls are created with
// the window's CreateControl, so their notifications reach the window, which
// hands them on to OnNotify.

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

#include "protocol/DpiConversion.h"
#include "store/ColourRef.h"
#include "store/StoreRecords.h"

class QWidget;

namespace DUI {
class CCheckButton;
class CHelpButton;
class CImageButton;
class CRadioButton;
class CRoundArea;
class DPIControl;
class DPISlider;
class MButton;
class MComboBox;
class MPicture;
class MText;
class MWindow;
class NumberEdit;
class ReporteCtrl;
}  // namespace DUI

namespace korvex {

class SettingsStore;

// What the page needs from its window.
struct PerformancePageHooks {
  std::function<ProfileId()> profile;           // the active profile, 0 for none
  std::function<void(int code)> queueTask;      // a DeviceTask code
  std::function<bool()> tipsOn;                 // the tips option
  std::function<void()> showSaved;              // a new saved confirmation
  std::function<void(int dpi)> showDpi;         // the DPI display
  // A two-button message box of two texts; true when confirmed.
  std::function<bool(int titleText, int messageText)> confirm;
  // The colour picker; the chosen colour, 0 for none.
  std::function<ColourRef(ColourRef initial)> pickColour;
  std::function<void()> openMouseSettings;
};

class PerformancePage : public QObject {
  Q_OBJECT

 public:
  enum ControlId {
    kBackground = 106,
    kCaption = 107,
    kTitle = 108,
    kContent = 109,
    kDpiTitle = 110,
    kDpiHelp = 111,
    kDpiReset = 112,
    kStages = 113,
    kSlider = 114,
    kApply = 115,
    kCountLabel = 116,
    kCount = 117,
    kRateTitle = 119,
    kRateHelp = 120,
    kRateReset = 121,
    kRates = 122,
    kLiftoffTitle = 124,
    kLiftoffHelp = 125,
    kLiftoffOne = 126,
    kLiftoffTwo = 127,
    kSensorTitle = 129,
    kSensorHelp = 130,
    kSensorOption = 131,  // the three boxes share it
    kResponsePicture = 134,
    kResponseCaption = 135,
    kResponseTime = 136,
    kPowerTitle = 138,
    kSleepLabel = 139,
    kWake = 140,
    kLightsOff = 141,
    kSleep = 142,
    kShortcutArea = 143,
    kShortcutCaption = 144,
    kShortcutIcon = 145,
    kMouseSettings = 146,
  };
  enum Text {
    kTextTitle = 250,
    kTextDpi = 251,
    kTextDpiHelp = 252,
    kTextDpiReset = 253,
    kTextApply = 254,
    kTextRate = 255,
    kTextRateHelp = 256,
    kTextRateReset = 257,
    kTextDpiResetQuestion = 258,
    kTextCount = 260,
    kTextLiftoff = 501,
    kTextLiftoffHelp = 502,
    kTextSensor = 503,
    kTextAngle = 515,
    kTextRipple = 516,
    kTextMotionSync = 517,
    kTextPower = 531,
    kTextSleep = 532,
    kTextWake = 533,
    kTextLightsOff = 534,
    kTextShortcut = 535,
    kTextMouseSettings = 536,
    kTextMinutes = 537,
  };
  static constexpr const char* kLiftoffGroup = "IDC_PER_STC_LOD";

  // Builds the page in `container`; the button response time field is the
  // device page's (control 136 of `window`), edited here.
  PerformancePage(DUI::MWindow* window, QWidget* container, SettingsStore& store, PerformancePageHooks hooks);
  ~PerformancePage() override;

  // The controls routed to OnNotify (the response time field included).
  static bool IsPageControl(int id) { return id >= kBackground && id <= kMouseSettings; }
  bool OnNotify(int id, int event, intptr_t param);

  // --- what the device work shows (GUI thread).
  // The sensor with its limits and the report-rate choice count (4 to 7).
  void ShowSensorLimits(int sensorCode, const SensorLimits& limits, int rateChoiceCount);
  // Every control from the active profile in the store.
  void Refresh();
  // The DPI stages, the count and the active stage from the store (after a
  // DPI reset).
  void RefreshDpiControls();
  // The mouse's DPI button changed the stage count or the stage.
  void ShowDpiCount(int count);
  void ShowDpiStage(int stage, int dpi, int sliderPosition);
  void SelectReportRate(int code);

  void ApplyTexts();
  void Layout();

  int SensorCode() const { return sensorCode_; }
  int MaxRateLevel() const { return maxRateLevel_; }
  int LastSelectedStage() const { return lastSelectedStage_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  template <class T>
  T* Add(int id);
  DUI::CRoundArea* AddPanel();
  DUI::MText* AddSectionTitle(int id);
  DUI::CHelpButton* AddHelp(int id);
  void Build();
  void BuildDpi();
  void BuildRates();
  void BuildOptions();
  void ShowInitialState();
  void FillRates();
  // Rebuilds the stage list with `count` stages from the store.
  void FillStages(int count);
  void SelectStage(int stage);
  void MoveSlider(int dpi);
  void AfterEdit(int code);

  void OnStage(int event);
  void OnCount();
  void OnSlider(int event, int position);
  void OnRate();
  void OnDpiReset();
  void OnLiftoff();
  void OnSensorOption();
  void OnSleep();
  void OnPowerBox(int id);
  void OnResponseTime(int event);

  bool StoreInt(const std::string& key, long long value);
  int StoredInt(const std::string& key) const;

  DUI::MWindow* window_;
  QWidget* container_;
  SettingsStore& store_;
  PerformancePageHooks hooks_;

  int sensorCode_ = 0;
  int maxRateLevel_ = 4;
  int lastSelectedStage_ = -1;

  DUI::MPicture* background_ = nullptr;
  DUI::MPicture* caption_ = nullptr;
  DUI::MPicture* content_ = nullptr;
  DUI::MText* title_ = nullptr;
  DUI::CRoundArea* panels_[6] = {};
  int panelCount_ = 0;

  DUI::MText* dpiTitle_ = nullptr;
  DUI::CHelpButton* dpiHelp_ = nullptr;
  DUI::CImageButton* dpiReset_ = nullptr;
  DUI::DPIControl* stages_ = nullptr;
  DUI::DPISlider* slider_ = nullptr;
  DUI::MButton* apply_ = nullptr;
  DUI::MText* countLabel_ = nullptr;
  DUI::MComboBox* count_ = nullptr;

  DUI::MText* rateTitle_ = nullptr;
  DUI::CHelpButton* rateHelp_ = nullptr;
  DUI::CImageButton* rateReset_ = nullptr;
  DUI::ReporteCtrl* rates_ = nullptr;

  DUI::MText* liftoffTitle_ = nullptr;
  DUI::CHelpButton* liftoffHelp_ = nullptr;
  DUI::CRadioButton* liftoffOne_ = nullptr;
  DUI::CRadioButton* liftoffTwo_ = nullptr;
  DUI::MText* sensorTitle_ = nullptr;
  DUI::CHelpButton* sensorHelp_ = nullptr;
  DUI::CCheckButton* sensorBoxes_[3] = {};

  DUI::MText* powerTitle_ = nullptr;
  DUI::MText* sleepLabel_ = nullptr;
  DUI::MComboBox* sleep_ = nullptr;
  DUI::CCheckButton* wake_ = nullptr;
  DUI::CCheckButton* lightsOff_ = nullptr;

  DUI::MPicture* shortcutArea_ = nullptr;
  DUI::MPicture* shortcutIcon_ = nullptr;
  DUI::MText* shortcutCaption_ = nullptr;
  DUI::MButton* mouseSettings_ = nullptr;
};

}  // namespace korvex

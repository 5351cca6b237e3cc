// The performance page in the real window against the in-process virtual
// mouse: what each control stores and what reaches the mouse, and what the
// page shows after a synchronisation, a DPI-button press and the resets.

#include <QKeyEvent>
#include <QLineEdit>

#include "app/ProfileValues.h"
#include "protocol/DpiConversion.h"
#include "skinui/CCheckButton.h"
#include "skinui/CColorButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/ReporteCtrl.h"
#include "ui/UiText.h"
#include "ui/dialogs/CUIMessageBox.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/MousePaletteDlg.h"
#include "skinui/MTabCtrl.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/performance/PerformancePage.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

using Page = PerformancePage;

// A synchronised window on one mouse, tips off unless asked for.
struct PerfRig {
  explicit PerfRig(const std::string& device, bool tips = false)
      : name(device), rig([&] {
          RigOptions o;
          o.devices = device;
          o.preferences = {{"showDPITips", tips ? "1" : "0"}};
          return o;
        }()) {}

  void Start() {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    profile = rig.Worker().State().currentProfile;
    rig.TakeCommands();
  }
  // Opens the performance tab (the stage list edits only while shown).
  void ShowPage(int type) {
    rig.Notify(HomePage::kDeviceList, DUI::kEventClick, type);
    rig.Settle();
    rig.Window().Frame().Tabs()->SetSelectItem(frame::kTabPerformance);
    rig.Notify(frame::kTabStrip, DUI::kEventClick, frame::kTabPerformance);
    rig.TakeCommands();
  }
  template <class T>
  T* Control(int id) { return rig.Window().GetControl<T>(id); }
  DUI::DPIControl* Stages() { return Control<DUI::DPIControl>(Page::kStages); }
  std::string Stored(const std::string& key) {
    std::string value;
    rig.Store().GetValue(profile, key, value);
    return value;
  }
  void Store(const std::string& key, const std::string& value) { rig.Store().SetValue(profile, key, value); }
  sim::SlotSettings Mouse() {
    sim::DeviceSnapshot s;
    EXPECT_TRUE(rig.Hub().Snapshot(name, s));
    return s.slot;
  }
  // A stage clicked as the control reports it.
  void ClickStage(int stage, int event = DUI::kEventClick) {
    Stages()->SetSelectItem(stage);
    rig.Notify(Page::kStages, event, stage);
  }
  // Runs what the handlers queued; the commands that reached the mouse.
  std::vector<int> Sent() {
    rig.Settle();
    return rig.TakeCommands();
  }

  std::string name;
  WindowRig rig;
  ProfileId profile = 0;
};

struct Capability {
  const char* device;
  int sensor;
  int rateEntries;
};

class PerformanceRefresh : public ::testing::TestWithParam<Capability> {};

TEST_P(PerformanceRefresh, ShowsTheStoreAndTheRatesTheMouseOffers) {
  PerfRig t(GetParam().device);
  t.rig.Run([&] {
    t.Start();
    Page& page = t.rig.Window().Performance();
    EXPECT_EQ(GetParam().sensor, page.SensorCode());
    auto* rates = t.Control<DUI::ReporteCtrl>(Page::kRates);
    EXPECT_EQ(GetParam().rateEntries, rates->GetItemCount());
    EXPECT_EQ(std::stoi(t.Stored("report_rate")), rates->GetSelectItemValue());
    const int count = std::stoi(t.Stored("dpi_count"));
    ASSERT_EQ(count, t.Stages()->GetItemCount());
    EXPECT_EQ(count, t.Control<DUI::MComboBox>(Page::kCount)->GetCurData());
    for (int k = 0; k < count; ++k)
      EXPECT_EQ(std::stoi(t.Stored(ProfileValues::StageValueKey(k))), t.Stages()->GetDPIValue(k)) << k;
    const int index = std::stoi(t.Stored("dpi_index"));
    EXPECT_EQ(index, t.Stages()->GetSelectItem());
    auto* slider = t.Control<DUI::DPISlider>(Page::kSlider);
    EXPECT_EQ(SensorLimitsOf(GetParam().sensor).sliderMax, slider->GetMaxProgress());
    EXPECT_EQ(DpiToSlider(GetParam().sensor, t.Stages()->GetDPIValue(index)), slider->GetProgress());
    // The read-back keeps only the two bits the mouse reports: the third box
    // shows unchecked although it starts checked.
    auto boxes = t.rig.Window().GetControls(Page::kSensorOption);
    ASSERT_EQ(3, boxes.size());
    EXPECT_FALSE(qobject_cast<DUI::CCheckButton*>(boxes[2])->GetCheck());
  });
}

INSTANTIATE_TEST_SUITE_P(EachRateCapability, PerformanceRefresh,
                         ::testing::Values(Capability{"k1", 38, 4}, Capability{"k3", 53, 4},
                                           Capability{"k5", 49, 7}));

TEST(PerformancePage, TypedValuesFollowTheSensorsRuleToTheMouse) {
  PerfRig t("k1");  // sensor 38: 200 to 10000 in steps of 100
  t.rig.Run([&] {
    t.Start();
    t.ShowPage(111);
    auto type = [&](int stage, const QString& text) {
      t.Stages()->EditItem(stage);
      auto* editor = t.Stages()->findChild<QLineEdit*>();
      ASSERT_TRUE(editor && editor->isVisible());
      editor->setText(text);
      QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
      QCoreApplication::sendEvent(editor, &enter);
    };
    type(1, QStringLiteral("30000"));
    EXPECT_EQ(10000, t.Stages()->GetDPIValue(1));
    EXPECT_EQ("10000", t.Stored("dpi_group1_value"));
    type(2, QStringLiteral("0"));
    EXPECT_EQ("200", t.Stored("dpi_group2_value"));
    type(3, QStringLiteral("1299"));
    EXPECT_EQ("1200", t.Stored("dpi_group3_value"));
    EXPECT_EQ(std::vector<int>({0x03, 0x03, 0x03}), t.Sent());
    const sim::SlotSettings m = t.Mouse();
    EXPECT_EQ(DpiToRegister(38, 10000), m.stageX[1]);
    EXPECT_EQ(DpiToRegister(38, 200), m.stageX[2]);
    EXPECT_EQ(DpiToRegister(38, 1200), m.stageX[3]);
  });
}

TEST(PerformancePage, StageClicksWriteOnlyANewStage) {
  PerfRig t("k3-receiver");
  t.rig.Run([&] {
    t.Start();
    t.ClickStage(2);
    EXPECT_EQ("2", t.Stored("dpi_index"));
    EXPECT_EQ(std::vector<int>({0x03}), t.Sent());
    EXPECT_EQ(2, t.Mouse().stageIndex);
    // The stage clicked last: stored again, nothing sent.
    t.Store("dpi_index", "0");
    t.ClickStage(2);
    EXPECT_EQ("2", t.Stored("dpi_index"));
    EXPECT_TRUE(t.Sent().empty());

    // The DPI button moves the mouse on; the page follows within a poll.
    ASSERT_TRUE(t.rig.Hub().PressDpiButton("k3-receiver"));
    ASSERT_TRUE(WaitUntil([&] { return t.Stages()->GetSelectItem() == 3; }, 3000));
    EXPECT_EQ("3", t.Stored("dpi_index"));
    EXPECT_EQ(DpiToSlider(53, t.Stages()->GetDPIValue(3)),
              t.Control<DUI::DPISlider>(Page::kSlider)->GetProgress());
    // Going back to the stage clicked before must reach the mouse.
    t.ClickStage(2);
    EXPECT_EQ(std::vector<int>({0x03}), t.Sent());
    EXPECT_EQ(2, t.Mouse().stageIndex);

    // Moved with the arrow keys: written at once, and again for a new stage.
    t.ClickStage(1, DUI::kEventSelChanged);
    EXPECT_EQ("1", t.Stored("dpi_index"));
    EXPECT_EQ(std::vector<int>({0x03, 0x03}), t.Sent());
    t.ClickStage(1, DUI::kEventSelChanged);
    EXPECT_EQ(std::vector<int>({0x03}), t.Sent());
    EXPECT_EQ(1, t.Mouse().stageIndex);
  });
}

TEST(PerformancePage, FewerStagesMoveTheActiveStageIntoRange) {
  PerfRig t("k1");
  t.rig.Run([&] {
    t.Start();
    auto* count = t.Control<DUI::MComboBox>(Page::kCount);
    count->SetCurData(6);
    t.rig.Notify(Page::kCount, DUI::kEventClick, count->GetCurSel());
    t.ClickStage(5);
    t.Sent();
    count->SetCurData(3);
    t.rig.Notify(Page::kCount, DUI::kEventClick, count->GetCurSel());
    EXPECT_EQ("3", t.Stored("dpi_count"));
    EXPECT_EQ("2", t.Stored("dpi_index"));
    EXPECT_EQ(3, t.Stages()->GetItemCount());
    EXPECT_EQ(2, t.Stages()->GetSelectItem());
    EXPECT_EQ(std::vector<int>({0x03}), t.Sent());
    EXPECT_EQ(3, t.Mouse().stageCount);
    EXPECT_EQ(2, t.Mouse().stageIndex);
  });
}

TEST(PerformancePage, SliderStoresWhileDraggingAndSendsOnRelease) {
  PerfRig t("k1");
  t.rig.Run([&] {
    t.Start();
    t.ClickStage(1);
    t.Sent();
    t.rig.Notify(Page::kSlider, DUI::kEventChanging, 20);
    EXPECT_EQ("2100", t.Stored("dpi_group1_value"));
    EXPECT_TRUE(t.Sent().empty());
    // The left end stands for less than the sensor's smallest value.
    t.rig.Notify(Page::kSlider, DUI::kEventClick, 0);
    EXPECT_EQ("200", t.Stored("dpi_group1_value"));
    EXPECT_EQ(200, t.Stages()->GetDPIValue(1));
    EXPECT_EQ(std::vector<int>({0x03}), t.Sent());
    EXPECT_EQ(DpiToRegister(38, 200), t.Mouse().stageX[1]);
    // No stage selected: the slider changes nothing.
    t.Stages()->SetSelectItem(-1);
    t.rig.Notify(Page::kSlider, DUI::kEventClick, 40);
    EXPECT_EQ("200", t.Stored("dpi_group1_value"));
    EXPECT_TRUE(t.Sent().empty());
  });
}

TEST(PerformancePage, ReportRateAndItsReset) {
  PerfRig t("k5");
  t.rig.Run([&] {
    t.Start();
    auto* rates = t.Control<DUI::ReporteCtrl>(Page::kRates);
    rates->SetSelectItemValue(32);
    t.rig.Notify(Page::kRates, DUI::kEventClick, 32);
    EXPECT_EQ("32", t.Stored("report_rate"));
    EXPECT_EQ("32", t.Stored("report_rate_wireless"));
    EXPECT_EQ(std::vector<int>({0x02}), t.Sent());
    EXPECT_EQ(32, t.Mouse().reportRate);
    // The reset asks the mouse and shows its answer.
    t.rig.Notify(Page::kRateReset);
    EXPECT_EQ(std::vector<int>({0x0D, 0x12}), t.Sent());
    EXPECT_EQ(t.Stored("report_rate"), std::to_string(t.Mouse().reportRate));
    EXPECT_EQ(t.Mouse().reportRate, rates->GetSelectItemValue());
  });
}

TEST(PerformancePage, StageColourFromThePaletteOrNothingWhenClosed) {
  PerfRig t("k1");
  t.rig.Run([&] {
    t.Start();
    const std::string before = t.Stored("dpi_group0_rgb");
    {
      ModalAnswer close(MousePaletteDlg::kTitle, DUI::MDialog::kCancel);
      t.ClickStage(0, DUI::kEventColorClick);
      EXPECT_TRUE(close.seen);
    }
    EXPECT_EQ(before, t.Stored("dpi_group0_rgb"));
    EXPECT_TRUE(t.Sent().empty());

    // A swatch, then OK.
    QTimer pick;
    pick.setInterval(5);
    QObject::connect(&pick, &QTimer::timeout, [&] {
      auto* dlg = qobject_cast<MousePaletteDlg*>(DUI::Manager::FindWindow(MousePaletteDlg::kTitle));
      if (dlg == nullptr || !dlg->isVisible()) return;
      pick.stop();
      dlg->DispatchNotify(MousePaletteDlg::kSwatchFirst + 1, DUI::kEventClick, 0, nullptr);
      dlg->DispatchNotify(MousePaletteDlg::kOk, DUI::kEventClick, 0, nullptr);
    });
    pick.start();
    t.ClickStage(0, DUI::kEventColorClick);
    EXPECT_EQ(std::to_string(0xFF0000), t.Stored("dpi_group0_rgb"));
    EXPECT_EQ(0xFF0000u, t.Stages()->GetDPIColorValue(0));
    EXPECT_EQ(std::vector<int>({0x04}), t.Sent());
    EXPECT_EQ((sim::Rgb{0, 0, 0xFF}), t.Mouse().stageColour[0]);
  });
}

TEST(PerformancePage, DpiResetIsAskedAndRefreshesThePage) {
  PerfRig t("k1");
  t.rig.Run([&] {
    t.Start();
    t.ClickStage(1);
    t.rig.Notify(Page::kSlider, DUI::kEventClick, 30);
    t.Sent();
    {
      ModalAnswer cancel(CUIMessageBox::kTitle, DUI::MDialog::kCancel);
      t.rig.Notify(Page::kDpiReset);
      EXPECT_TRUE(cancel.seen);
    }
    EXPECT_TRUE(t.Sent().empty());
    {
      ModalAnswer confirm(CUIMessageBox::kTitle, DUI::MDialog::kOK);
      t.rig.Notify(Page::kDpiReset);
      EXPECT_TRUE(confirm.seen);
    }
    EXPECT_EQ(std::vector<int>({0x0C}), t.Sent());
    // The model's defaults, on screen as in the store.
    EXPECT_EQ("5", t.Stored("dpi_count"));
    ASSERT_EQ(5, t.Stages()->GetItemCount());
    EXPECT_EQ(5, t.Control<DUI::MComboBox>(Page::kCount)->GetCurData());
    for (int k = 0; k < 5; ++k)
      EXPECT_EQ(std::stoi(t.Stored(ProfileValues::StageValueKey(k))), t.Stages()->GetDPIValue(k)) << k;
    EXPECT_EQ(std::stoi(t.Stored("dpi_index")), t.Stages()->GetSelectItem());
  });
}

TEST(PerformancePage, SensorLiftoffAndPowerOptionsReachTheMouse) {
  PerfRig t("k1", true);
  t.rig.Run([&] {
    t.Start();
    auto boxes = t.rig.Window().GetControls(Page::kSensorOption);
    ASSERT_EQ(3, boxes.size());
    qobject_cast<DUI::CCheckButton*>(boxes[0])->SetCheck(true);
    qobject_cast<DUI::CCheckButton*>(boxes[1])->SetCheck(false);
    qobject_cast<DUI::CCheckButton*>(boxes[2])->SetCheck(true);
    t.rig.Notify(Page::kSensorOption, DUI::kEventClick, 1);
    EXPECT_EQ(std::to_string(0x04 | 0x10), t.Stored("sensor_flag"));
    EXPECT_TRUE(WindowShown("SaveWaitDlg")) << "tips on: the saved confirmation";
    t.Control<DUI::CRadioButton>(Page::kLiftoffTwo)->SetCheck(true);
    t.rig.Notify(Page::kLiftoffTwo, DUI::kEventClick, 1);
    EXPECT_EQ("2", t.Stored("liftoff_height"));
    EXPECT_EQ(std::vector<int>({0x06, 0x06}), t.Sent());
    sim::SlotSettings m = t.Mouse();
    EXPECT_EQ(2, m.liftoff);
    EXPECT_EQ(0, m.sensorA) << "ripple control (0x08) is off";
    EXPECT_EQ(1, m.sensorB) << "angle snapping (0x04) is on";
    // A new stage clicked with tips on: the DPI display shows its value.
    t.ClickStage(3);
    ASSERT_TRUE(WaitUntil([] { return WindowShown(DPIMsgDlg::kTitle); }, 3000));
    auto* display = qobject_cast<DPIMsgDlg*>(DUI::Manager::FindWindow(QString::fromLatin1(DPIMsgDlg::kTitle)));
    ASSERT_NE(nullptr, display);
    EXPECT_EQ(QString::number(t.Stages()->GetDPIValue(3)), display->ValueText());
    t.Sent();

    auto* sleep = t.Control<DUI::MComboBox>(Page::kSleep);
    sleep->SetCurData(30);
    t.rig.Notify(Page::kSleep, DUI::kEventClick, sleep->GetCurSel());
    EXPECT_EQ(QStringLiteral("5 ") + UiText(Page::kTextMinutes), sleep->GetText());
    auto* wake = t.Control<DUI::CCheckButton>(Page::kWake);
    wake->SetCheck(false);
    t.rig.Notify(Page::kWake, DUI::kEventClick, 0);
    auto* lightsOff = t.Control<DUI::CCheckButton>(Page::kLightsOff);
    lightsOff->SetCheck(true);
    t.rig.Notify(Page::kLightsOff, DUI::kEventClick, 1);
    EXPECT_EQ("30", t.Stored("sleep_light"));
    EXPECT_EQ("0", t.Stored("move_wakeup"));
    EXPECT_EQ("1", t.Stored("move_closelight"));
    EXPECT_EQ(std::vector<int>({0x07, 0x07, 0x07}), t.Sent());
    m = t.Mouse();
    EXPECT_EQ(30, m.sleepTime);
    EXPECT_EQ(0, m.moveWakeup);
    EXPECT_EQ(1, m.moveCloseLight);
  });
}

TEST(PerformancePage, ACableMouseChosenAfterAnotherGetsItsOwnSensorRules) {
  PerfRig t("classic, k1");  // the window starts on the classic (sensor 99)
  t.rig.Run([&] {
    t.Start();
    EXPECT_EQ(99, t.rig.Window().Performance().SensorCode());
    t.rig.Notify(HomePage::kDeviceList, DUI::kEventClick, 111);
    t.rig.Settle();
    t.profile = t.rig.Worker().State().currentProfile;
    EXPECT_EQ(38, t.rig.Window().Performance().SensorCode());
    EXPECT_EQ(SensorLimitsOf(38).sliderMax, t.Control<DUI::DPISlider>(Page::kSlider)->GetMaxProgress());
    t.rig.TakeCommands();
    t.name = "k1";
    t.ClickStage(0);
    t.rig.Notify(Page::kSlider, DUI::kEventClick, 31);
    EXPECT_EQ("3200", t.Stored("dpi_group0_value"));
    t.Sent();
    EXPECT_EQ(DpiToRegister(38, 3200), t.Mouse().stageX[0]);
  });
}

TEST(PaletteDialog, FieldsAreClampedAndSwatchesFillThem) {
  App();
  MousePaletteDlg dlg(0x00FF00);
  ASSERT_TRUE(dlg.Create(nullptr));
  EXPECT_EQ(QStringLiteral("0"), dlg.FieldText(0));
  EXPECT_EQ(QStringLiteral("255"), dlg.FieldText(1));
  auto* green = dlg.GetControl<DUI::MEdit>(MousePaletteDlg::kGreen);
  green->SetTitle(QStringLiteral("300"));
  dlg.DispatchNotify(MousePaletteDlg::kGreen, DUI::kEventEditChanged, 0, nullptr);
  EXPECT_EQ(QStringLiteral("255"), dlg.FieldText(1));
  auto* blue = dlg.GetControl<DUI::MEdit>(MousePaletteDlg::kBlue);
  blue->SetTitle(QStringLiteral("16"));
  dlg.DispatchNotify(MousePaletteDlg::kBlue, DUI::kEventEditChanged, 0, nullptr);
  EXPECT_EQ(0x10FF00u, dlg.Chosen());
  dlg.DispatchNotify(MousePaletteDlg::kSwatchFirst + 3, DUI::kEventClick, 0, nullptr);
  EXPECT_EQ(0x00FFFFu, dlg.Chosen());
  EXPECT_EQ(QStringLiteral("255"), dlg.FieldText(0));
  EXPECT_EQ(QStringLiteral("255"), dlg.FieldText(1));
  EXPECT_EQ(QStringLiteral("0"), dlg.FieldText(2));
  // The close button: no colour.
  dlg.DispatchNotify(MousePaletteDlg::kClose, DUI::kEventClick, 0, nullptr);
  EXPECT_EQ(0u, dlg.Chosen());
  dlg.DestroyWindow();
}

}  // namespace
}  // namespace korvex::test

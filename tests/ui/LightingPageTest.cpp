// The lighting page against the virtual mouse: every control ends in the
// lighting report the mouse receives, and the reset reloads the page.

#include <QWidget>
#include <filesystem>

#include "lighting/LightRows.h"
#include "lighting/LightRules.h"
#include "skinui/MDialog.h"
#include "skinui/CColorButton.h"
#include "skinui/LightSlider.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MText.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/lighting/LightingPage.h"
#include "WindowRig.h"

namespace korvex::test {
namespace {

using Page = LightingPage;
using Bytes = std::vector<std::uint8_t>;

Bytes Head(const Bytes& frame, std::size_t n) { return Bytes(frame.begin(), frame.begin() + std::min(n, frame.size())); }

struct LightingRig {
  explicit LightingRig(const char* devices = "classic") : rig(Options(devices)) {}
  static RigOptions Options(const char* devices) {
    RigOptions o;
    o.devices = devices;
    return o;
  }

  // The classic mouse (type 101, every mode, slots and free colour) chosen.
  void Open(int type = 101) {
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Notify(HomePage::kDeviceList, 2, type);
    rig.Settle();
    rig.TakeCommands();
  }
  Page& P() { return *rig.Window().Lighting(); }
  template <class T>
  T* Control(int id) {
    return static_cast<T*>(rig.Window().GetControl(id));
  }
  void Choose(int mode) {
    auto* list = Control<DUI::MComboBox>(Page::kModeList);
    ASSERT_TRUE(list->SetCurData(mode)) << mode;
    rig.Notify(Page::kModeList, 2, list->GetCurSel());
    rig.Settle();
  }
  LightRecord Row(int mode) {
    LightRecord row;
    EXPECT_TRUE(rig.Store().GetLight(rig.Worker().State().currentProfile, mode, row));
    return row;
  }
  QString Field(int id) { return Control<DUI::MEdit>(id)->GetTitle(); }

  WindowRig rig;
};

TEST(LightingPage, EveryModeReachesTheMouseWithItsBytes) {
  LightingRig t;
  t.rig.Run([&] {
    t.Open();
    EXPECT_EQ(6, t.Control<DUI::MComboBox>(Page::kModeList)->GetCount());
    EXPECT_EQ(6, t.rig.Window().Frame().Tabs()->GetItemCount());

    t.Choose(1);
    EXPECT_EQ(std::vector<int>{0x05}, t.rig.TakeCommands());
    Bytes flow = t.rig.LastFrame(0x05);
    ASSERT_GE(flow.size(), 33u);
    EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x03, 0x01, 0x42, 0x00, 0x00}), Head(flow, 9));
    EXPECT_EQ(0x43, flow[32]);

    t.Choose(2);  // breathing with seven slots on this type
    Bytes breathing = t.rig.LastFrame(0x05);
    ASSERT_GE(breathing.size(), 29u);
    EXPECT_EQ(0x18, breathing[4]);
    EXPECT_EQ(0x07, breathing[7]);
    EXPECT_EQ((Bytes{0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF, 0x00,
                     0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF}),
              Bytes(breathing.begin() + 8, breathing.begin() + 29));

    for (int mode : {0, 4, 5}) {
      t.Choose(mode);
      EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x02, static_cast<std::uint8_t>(mode), 0x42, 0x00}),
                Head(t.rig.LastFrame(0x05), 8))
          << mode;
    }
    t.Choose(3);
    EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0xFF, 0x00, 0x00}), Head(t.rig.LastFrame(0x05), 10));
    EXPECT_EQ(3, t.rig.Store().GetActiveLightMode(t.rig.Worker().State().currentProfile));
  });
}

TEST(LightingPage, SwatchFieldsAndSlidersChangeTheStoredRowAndTheReport) {
  LightingRig t;
  t.rig.Run([&] {
    t.Open();
    t.Choose(3);  // steady: brightness and the free colour
    EXPECT_TRUE(t.P().ShownFunctions() & kLightFreeColour);
    EXPECT_FALSE(t.rig.Window().GetControl(Page::kPalette)->isHidden());
    EXPECT_TRUE(t.rig.Window().GetControl(Page::kSpeedSlider)->isHidden());
    // The fields start from the mode's own colour (red), not from white.
    EXPECT_EQ("255", t.Field(Page::kRedField));
    EXPECT_EQ("0", t.Field(Page::kGreenField));
    t.rig.TakeCommands();

    t.rig.Notify(208, 2, 0xFF0C00);
    t.rig.Settle();
    EXPECT_EQ("0", t.Field(Page::kRedField));
    EXPECT_EQ("12", t.Field(Page::kGreenField));
    EXPECT_EQ("255", t.Field(Page::kBlueField));
    EXPECT_EQ(0xFF0C00, t.Row(3).color_value1);
    EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0x00, 0x0C, 0xFF}), Head(t.rig.LastFrame(0x05), 10));

    // R and B at 0, then 300 typed into G: 255 shown and green applied.
    t.Control<DUI::MEdit>(Page::kBlueField)->SetTitle("0");
    t.Control<DUI::MEdit>(Page::kGreenField)->SetTitle("300");
    t.rig.Notify(Page::kGreenField, DUI::kEventEditChanged);
    t.rig.Settle();
    EXPECT_EQ("255", t.Field(Page::kGreenField));
    EXPECT_EQ(0x00FF00, t.Row(3).color_value1);
    EXPECT_EQ((Bytes{0x00, 0x05, 0x00, 0x01, 0x05, 0x03, 0x42, 0x00, 0xFF, 0x00}), Head(t.rig.LastFrame(0x05), 10));

    // Dragging the brightness only moves the label; the release stores.
    t.rig.TakeCommands();
    t.Control<DUI::LightSlider>(Page::kBrightnessSlider)->SetPos(3);
    t.rig.Notify(Page::kBrightnessSlider, DUI::kEventChanging, 3);
    t.rig.Settle();
    EXPECT_EQ(QString::fromStdString(BrightnessLabel(GetText(278), 3)),
              t.Control<DUI::MText>(Page::kBrightnessLabel)->GetTitle());
    EXPECT_TRUE(t.rig.TakeCommands().empty());
    EXPECT_EQ(4, t.Row(3).brightness);
    t.rig.Notify(Page::kBrightnessSlider, DUI::kEventClick, 3);
    t.rig.Settle();
    EXPECT_EQ(3, t.Row(3).brightness);
    EXPECT_EQ(0x32, t.rig.LastFrame(0x05)[6]);

    t.Choose(4);  // neon: speed too
    t.Control<DUI::LightSlider>(Page::kSpeedSlider)->SetPos(1);
    t.rig.Notify(Page::kSpeedSlider, DUI::kEventChanging, 1);
    EXPECT_EQ(QString::fromStdString(SpeedLabel(GetText(279), 1, true)),
              t.Control<DUI::MText>(Page::kSpeedLabel)->GetTitle());
    t.rig.Notify(Page::kSpeedSlider, DUI::kEventClick, 1);
    t.rig.Settle();
    EXPECT_EQ(QString::fromStdString(SpeedLabel(GetText(279), 1, false)),
              t.Control<DUI::MText>(Page::kSpeedLabel)->GetTitle());
    EXPECT_EQ(0x41, t.rig.LastFrame(0x05)[6]);
  });
}

TEST(LightingPage, SlotsTakeThePickedColourAndThePaletteStoresOnlyOnRelease) {
  LightingRig t;
  t.rig.Run([&] {
    t.Open();
    t.Choose(2);
    EXPECT_EQ(0, t.P().SelectedSlot());
    t.Control<DUI::CColorButton>(Page::kFirstSlot + 2)->SetSelect(true);
    t.rig.TakeCommands();

    // Dragging over the palette: the fields follow, nothing is stored or sent.
    const LightRecord before = t.Row(2);
    t.rig.Notify(Page::kPalette, DUI::kEventChanging, 0x204060);
    t.rig.Settle();
    EXPECT_EQ("96", t.Field(Page::kRedField));
    EXPECT_EQ("64", t.Field(Page::kGreenField));
    EXPECT_EQ("32", t.Field(Page::kBlueField));
    EXPECT_TRUE(t.rig.TakeCommands().empty());
    EXPECT_EQ(before.color_value3, t.Row(2).color_value3);

    t.rig.Notify(Page::kPalette, DUI::kEventClick, 0x204060);
    t.rig.Settle();
    const LightRecord after = t.Row(2);
    EXPECT_EQ(0x204060, after.color_value3);
    EXPECT_EQ(before.color_value1, after.color_value1);
    EXPECT_EQ(before.color_value2, after.color_value2);
    EXPECT_EQ(0x204060u, t.Control<DUI::CColorButton>(Page::kFirstSlot + 2)->GetColor());
    EXPECT_EQ(std::vector<int>{0x05}, t.rig.TakeCommands());
    const Bytes frame = t.rig.LastFrame(0x05);
    ASSERT_GE(frame.size(), 17u);
    EXPECT_EQ((Bytes{0x60, 0x40, 0x20}), Bytes(frame.begin() + 14, frame.begin() + 17));
  });
}

TEST(LightingPage, ResetAsksThenResetsTheMouseAndReloadsThePage) {
  LightingRig t;
  t.rig.Run([&] {
    t.Open();
    t.Choose(4);
    t.rig.TakeCommands();
    {
      ModalAnswer cancel("MessageBox", 2);
      t.rig.Notify(Page::kReset);
      t.rig.Settle();
      EXPECT_TRUE(cancel.seen);
    }
    EXPECT_TRUE(t.rig.TakeCommands().empty());
    LightRecord edited = t.Row(5);
    edited.brightness = 1;
    ASSERT_TRUE(t.rig.Store().UpdateLight(t.rig.Worker().State().currentProfile, 5, edited));
    {
      ModalAnswer ok("MessageBox", 1);
      t.rig.Notify(Page::kReset);
      t.rig.Settle();
      EXPECT_TRUE(ok.seen);
    }
    EXPECT_EQ((std::vector<int>{0x0E, 0x15}), t.rig.TakeCommands());
    EXPECT_EQ(4, t.Row(5).brightness);
    // The mouse's own lighting after its reset is read back and shown.
    const int mode = t.rig.Store().GetActiveLightMode(t.rig.Worker().State().currentProfile);
    EXPECT_EQ(mode, t.P().ActiveLightMode());
    EXPECT_EQ(mode, t.Control<DUI::MComboBox>(Page::kModeList)->GetCurData());
  });
}


// The page on its own over a store whose model enables only some modes.
TEST(LightingPage, APageWithoutAnActiveRowShowsModeZeroOrElseItsFirstMode) {
  App();
  char pattern[] = "/tmp/korvex-lightpage-XXXXXX";
  ASSERT_NE(nullptr, mkdtemp(pattern));
  const std::string folder = pattern;
  std::filesystem::create_directories(folder + "/db");
  {
    SettingsStore store;
    ASSERT_TRUE(store.OpenForModel(folder, "korvex_k3"));
    ProfileRecord record;
    record.name = "Profile 1";
    ASSERT_EQ(1, store.CreateProfile(record));
    LightEnableFlags modes{};
    modes[1] = modes[5] = true;  // light_2 and light_6: breathing and off
    int queued = 0;
    LightingPageHooks hooks;
    hooks.profile = [] { return ProfileId(1); };
    hooks.deviceType = [] { return 112; };
    hooks.lightModes = [&] { return modes; };
    hooks.hasLighting = [] { return true; };
    hooks.queueTask = [&](int) { ++queued; };
    hooks.showSaved = [] {};
    hooks.confirm = [](int, int) { return false; };
    DUI::MDialog window;
    window.Create(nullptr, QStringLiteral("LightingPageAlone"), 0, QRect(0, 0, 1400, 788));
    auto* container = new QWidget(&window);
    container->setGeometry(200, 80, 1180, 658);
    auto* page = new LightingPage(&window, container, store, hooks);
    page->LoadLightPage();
    // Mode 1 was made active but has no row: no mode is active, so off.
    EXPECT_EQ(0, page->ActiveLightMode());
    EXPECT_EQ(0, store.GetActiveLightMode(1));
    LightRecord off;
    ASSERT_TRUE(store.GetLight(1, 0, off));
    EXPECT_EQ(1, off.status);
    // Without an off row either, the first mode is shown.
    store.DeleteLights(1);
    modes[5] = false;
    page->LoadLightPage();
    EXPECT_EQ(2, page->ActiveLightMode());
    EXPECT_EQ(0x003, page->ShownFunctions());
    EXPECT_EQ(0, queued);  // loading the page sends nothing
    window.DestroyWindow();
  }
  std::error_code ec;
  std::filesystem::remove_all(folder, ec);
}

}  // namespace
}  // namespace korvex::test

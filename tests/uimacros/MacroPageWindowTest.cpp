// The macro page inside the main window: recording synthesized keys and
// event-list clicks, the stop of a recording when the mouse goes away or
// the device set changes, and a bound macro's bytes on the virtual mouse.
#include <QLineEdit>

#include "MacroKeys.h"
#include "WindowRig.h"
#include "skinui/CIconButton.h"
#include "skinui/CRadioButton.h"
#include "skinui/CRecordList.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MText.h"
#include "skinui/MacroList.h"
#include "ui/WindowMessages.h"
#include "ui/frame/FrameIds.h"
#include "ui/frame/MainFrame.h"
#include "ui/pages/home/HomePage.h"
#include "ui/pages/macros/MacrosPage.h"

namespace korvex::test {
namespace {

using Stream = std::vector<std::uint8_t>;

std::vector<int> Types(SettingsStore& store, int macroId) {
  std::vector<MacroEventRecord> events;
  store.ListMacroEvents(macroId, events);
  std::vector<int> types;
  for (const auto& e : events) types.push_back(e.type * 100000 + e.value);
  return types;
}

void ChooseDevice(WindowRig& rig, int type) {
  rig.Notify(HomePage::kDeviceList, 2, type);
  rig.Settle();
  rig.Window().Frame().Tabs()->SetSelectItem(frame::kTabMacros);
  rig.Notify(frame::kTabStrip, 2, frame::kTabMacros);
}

TEST(MacroPageWindow, RecordsKeysAndListClicksAndKeepsThemWhenTheMouseGoesOffline) {
  RigOptions options;
  options.devices = "k3-receiver";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    ChooseDevice(rig, 112);
    DeviceMainDlg& w = rig.Window();
    MacrosPage& page = *w.Macros();
    page.NewMacro();
    const int id = page.SelectedMacro();
    ASSERT_GT(id, 0);
    w.GetControl<DUI::CRadioButton>(MacrosPage::kDelayFixed)->SetCheck(true);
    rig.Notify(MacrosPage::kDelayFixed);  // the fixed delay of 10 ms

    rig.Notify(MacrosPage::kRecord);
    ASSERT_TRUE(page.Recording());
    EXPECT_FALSE(w.Frame().Tabs()->IsEnabled());
    EXPECT_FALSE(w.Frame().ProfileButton()->IsEnabled());
    EXPECT_FALSE(page.List()->IsEnabled());
    EXPECT_FALSE(page.EventList()->IsEnabled());
    EXPECT_TRUE(page.RecordButton()->IsEnabled());

    QWidget* focus = page.RecordButton();
    SendKey(focus, false, Qt::Key_A, kEvdevA, "a");
    SendKey(focus, false, Qt::Key_A, kEvdevA, "a", true);  // a held key repeats: one press
    SendKey(focus, true, Qt::Key_A, kEvdevA, "a");
    SendKey(focus, false, 0, 0);  // no physical key behind it
    SendMouse(page.EventList(), false, Qt::LeftButton);
    SendMouse(page.EventList(), true, Qt::LeftButton);
    EXPECT_EQ(8u, page.Events().Items().size());

    // The receiver reports the mouse gone: the recording stops and is kept.
    rig.Hub().MouseOff("k3-receiver");
    ASSERT_TRUE(WaitUntil([&] { return !page.Recording(); }, 5000));
    EXPECT_TRUE(w.Frame().Tabs()->IsEnabled());
    EXPECT_TRUE(page.List()->IsEnabled());
    EXPECT_EQ((std::vector<int>{100010, 200065, 100010, 300065, 100010, 400001, 100010, 500001}),
              Types(rig.Store(), id));
  });
}

TEST(MacroPageWindow, ADeviceChangeStopsARecordingAndTheRecordButtonIsNotRecorded) {
  WindowRig rig;  // k1 and the receiver, which is plugged in later
  rig.Run([&] {
    ASSERT_TRUE(rig.Hub().Unplug("k3-receiver"));
    ASSERT_TRUE(rig.WaitForInitialSync());
    rig.Settle();
    ChooseDevice(rig, 111);
    MacrosPage& page = *rig.Window().Macros();
    page.NewMacro();
    const int id = page.SelectedMacro();
    rig.Notify(MacrosPage::kRecord);
    ASSERT_TRUE(page.Recording());
    SendKey(page.RecordButton(), false, Qt::Key_B, kEvdevB, "b");
    // A click on the record button stops; its press is no event.
    SendMouse(page.RecordButton(), false, Qt::LeftButton);
    SendMouse(page.RecordButton(), true, Qt::LeftButton);
    EXPECT_FALSE(page.Recording());
    EXPECT_EQ((std::vector<int>{200066}), Types(rig.Store(), id));

    rig.Notify(MacrosPage::kRecord);
    ASSERT_TRUE(page.Recording());
    SendKey(page.RecordButton(), true, Qt::Key_B, kEvdevB, "b");
    ASSERT_TRUE(rig.Hub().Plug("k3-receiver"));
    ASSERT_TRUE(WaitUntil([&] { return !page.Recording(); }, 8000));
    const std::vector<int> types = Types(rig.Store(), id);
    ASSERT_FALSE(types.empty());
    EXPECT_EQ(300066, types.back());
  });
}

TEST(MacroPageWindow, ABoundMacroReachesTheMouseAndAnEditShowsUntilItIsSent) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    ChooseDevice(rig, 111);
    DeviceMainDlg& w = rig.Window();
    MacrosPage& page = *w.Macros();
    page.NewMacro();
    const int id = page.SelectedMacro();
    page.InsertEvent(InsertChoice::kLeftButton);
    ASSERT_EQ(3u, page.Events().Items().size());

    // What the button page does for a macro binding on button 4 (key code 3).
    const ProfileId profile = w.Worker().State().currentProfile;
    KeyAssignmentRecord row;
    row.profile = profile;
    row.key_code = 3;
    row.macro_type = 4;
    row.macro_value = id;
    row.macro_desc = "m";
    ASSERT_GT(rig.Store().SetKeyAssignment(row), 0);
    page.RefreshUploadState();
    EXPECT_TRUE(page.UploadText()->IsVisible()) << "never sent";
    rig.TakeCommands();
    w.Worker().MarkMacroUpload(3);
    ASSERT_TRUE(w.Worker().WaitForTask(w.Worker().QueueTask(6), 10000));
    EXPECT_EQ((std::vector<int>{0x08, 0x09}), rig.TakeCommands("k1"));
    sim::DeviceSnapshot snap;
    ASSERT_TRUE(rig.Hub().Snapshot("k1", snap));
    EXPECT_EQ((Stream{0x03, 0x10, 0x32, 0x00, 0x01, 0x90, 0x01, 0x00, 0x01}), snap.slot.macros[3]);
    EXPECT_EQ((sim::ButtonTriple{0x90, 0x23, 0x01}), snap.slot.buttons[3]);
    page.RefreshUploadState();
    EXPECT_FALSE(page.UploadText()->IsVisible());

    // The delay becomes 120 ms: stored at once, not sent, and said so.
    page.SelectEvent(1);
    page.ValueField()->SetTitle("120");
    page.EditEventDelay();
    EXPECT_TRUE(page.UploadText()->IsVisible());
    EXPECT_NE(-1, page.UploadText()->GetTitle().indexOf(QLatin1String("4")));
    Pump(100);
    EXPECT_TRUE(rig.TakeCommands("k1").empty()) << "an edit queues nothing";

    page.SendToMouse();
    ASSERT_TRUE(WaitUntil([&] { return !page.UploadText()->IsVisible(); }, 10000));
    EXPECT_EQ((std::vector<int>{0x08, 0x09}), rig.TakeCommands("k1"));
    ASSERT_TRUE(rig.Hub().Snapshot("k1", snap));
    EXPECT_EQ((Stream{0x03, 0x10, 0x78, 0x00, 0x01, 0x90, 0x01, 0x00, 0x01}), snap.slot.macros[3]);
  });
}

TEST(MacroPageWindow, TheEventKeyFieldTakesAKeyWhileItHasTheFocus) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    ChooseDevice(rig, 111);
    MacrosPage& page = *rig.Window().Macros();
    page.NewMacro();
    page.RecordKey(false, 65, "A");  // not recording: ignored
    EXPECT_TRUE(page.Events().Items().empty());
    rig.Window().GetControl<DUI::CRadioButton>(MacrosPage::kDelayNone)->SetCheck(true);
    rig.Notify(MacrosPage::kDelayNone);
    rig.Notify(MacrosPage::kRecord);
    page.RecordKey(false, 65, "A");
    page.RecordKey(true, 65, "A");
    rig.Notify(MacrosPage::kRecord);
    ASSERT_EQ(2u, page.Events().Items().size());
    // Each recorded event has its own timestamp, so a key edit changes the
    // selected record alone.
    page.SelectEvent(0);
    ASSERT_TRUE(page.EditorShown());
    QWidget* editor = page.ValueField()->GetEditor();
    SendFocus(editor, true);
    rig.Notify(MacrosPage::kValueField, DUI::kEventSetFocus);
    SendKey(editor, false, Qt::Key_Shift, kEvdevLeftShift);
    SendKey(editor, true, Qt::Key_Shift, kEvdevLeftShift);
    EXPECT_EQ(QStringLiteral("Shift"), page.ValueField()->GetTitle());
    SendFocus(editor, false);
    rig.Notify(MacrosPage::kValueField, DUI::kEventKillFocus);
    EXPECT_EQ("\u2193  Shift", page.Events().Items()[0].text);
    EXPECT_EQ(160, page.Events().Items()[0].value);
    EXPECT_EQ("\u2191  A", page.Events().Items()[1].text);
    std::vector<MacroEventRecord> stored;
    rig.Store().ListMacroEvents(page.SelectedMacro(), stored);
    EXPECT_EQ(160, stored[0].value);
  });
}

TEST(MacroPageWindow, TheMacroMessagesStartStopAndReload) {
  RigOptions options;
  options.devices = "k1";
  WindowRig rig(options);
  rig.Run([&] {
    ASSERT_TRUE(rig.WaitForInitialSync());
    ChooseDevice(rig, 111);
    DeviceMainDlg& w = rig.Window();
    MacrosPage& page = *w.Macros();
    EXPECT_TRUE(w.SendMessage(kMsgMacroRecordToggle)) << "no macro: nothing, no message box";
    EXPECT_FALSE(page.Recording());
    page.NewMacro();
    w.SendMessage(kMsgMacroRecordToggle);
    EXPECT_TRUE(page.Recording());
    page.RecordKey(false, 65, "A");
    w.SendMessage(kMsgMacroRecordStop);
    EXPECT_FALSE(page.Recording());
    EXPECT_EQ(1, static_cast<int>(Types(rig.Store(), page.SelectedMacro()).size()));
    rig.Store().CreateMacro("made elsewhere");
    w.SendMessage(kMsgMacroReload);
    EXPECT_EQ(2, page.List()->GetCount());
  });
}

}  // namespace
}  // namespace korvex::test

#include <gtest/gtest.h>

#include <QLineEdit>
#include <thread>

#include "TestWindow.h"
#include "skinui/BatteryCtrl.h"
#include "skinui/CDeviceList.h"
#include "skinui/CGifPicture.h"
#include "skinui/CIconButton.h"
#include "skinui/CImageButton.h"
#include "skinui/MStyle.h"
#include "skinui/ControlFactory.h"
#include "skinui/CRecordList.h"
#include "skinui/DListBox.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/Events.h"
#include "skinui/LightSlider.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MProgress.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/MPicture.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "skinui/ReporteCtrl.h"
#include "skinui/Manager.h"

using namespace DUI;

TEST(IconButton, ATextAsWideAsItsRoomIsShownWhole) {
  for (int size : {13, 14, 15, 16})
    for (const QString& text : {QStringLiteral("Profil"), QStringLiteral("Profile 1"), QStringLiteral("Профиль 4"),
                                QStringLiteral("Cấu hình 2")}) {
      const QFont font = DUI::MStyle::Font(size);
      const int width = QFontMetrics(font).horizontalAdvance(text);
      EXPECT_EQ(DUI::CIconButton::ShownText(font, text, width), text) << size;
      EXPECT_NE(DUI::CIconButton::ShownText(font, text, width - 4), text) << size;
    }
}

TEST(ControlRules, ValuesAreClampedToTheirRanges) {
  TestWindow w;
  auto* battery = w.CreateControl<BatteryCtrl>(43, QRect());
  battery->SetBatteryInfo(150, 2);
  EXPECT_EQ(battery->GetLevel(), 100);
  EXPECT_FALSE(battery->IsCharging());  // only state 1 is charging
  battery->SetBatteryInfo(-5, 1);
  EXPECT_EQ(battery->GetLevel(), 0);
  EXPECT_TRUE(battery->IsCharging());

  auto* progress = w.CreateControl<MProgress>(33, QRect());
  progress->SetProgress(150);
  EXPECT_EQ(progress->GetProgress(), 100);
  progress->SetMaxProgress(12000);
  progress->SetProgress(13000);
  EXPECT_EQ(progress->GetProgress(), 12000);
  progress->SetMaxProgress(50);
  EXPECT_EQ(progress->GetProgress(), 50);
  progress->SetMaxProgress(0);
  EXPECT_EQ(progress->GetMaxProgress(), 1);

  auto* level = w.CreateControl<LightSlider>(201, QRect());
  level->SetRange(4, 0);  // either order
  EXPECT_EQ(level->GetMin(), 0);
  EXPECT_EQ(level->GetMax(), 4);
  level->SetPos(9);
  EXPECT_EQ(level->GetPos(), 4);

  auto* slider = w.CreateControl<DPISlider>(114, QRect());
  slider->SetMaxProgress(0);
  EXPECT_EQ(slider->GetMaxProgress(), 1);
  slider->SetProgress(-3);
  EXPECT_EQ(slider->GetProgress(), 0);
}

TEST(ControlRules, SlidersStepWithTheArrowKeys) {
  TestWindow w;
  auto* slider = w.CreateControl<DPISlider>(114, QRect(0, 0, 400, 70));
  slider->SetMaxProgress(10);
  slider->SetProgress(9);
  auto* level = w.CreateControl<LightSlider>(204, QRect(0, 80, 200, 30));
  ShowAndWait(&w);
  slider->setFocus();
  QTest::keyClick(slider, Qt::Key_Right);
  QTest::keyClick(slider, Qt::Key_Right);  // at the end: no report
  QTest::keyClick(level, Qt::Key_Left);    // at the start: no report
  QTest::keyClick(level, Qt::Key_Right);
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].id, 114);
  EXPECT_EQ(w.notes[0].event, kEventClick);
  EXPECT_EQ(w.notes[0].param, 10);
  EXPECT_EQ(w.notes[1].id, 204);
  EXPECT_EQ(w.notes[1].param, 1);
}

TEST(ControlRules, DpiStagesIgnoreMissingIndexesAndKeepColoursTo24Bits) {
  TestWindow w;
  auto* dpi = w.CreateControl<DPIControl>(113, QRect(0, 0, 600, 120));
  dpi->AddItem(800, 0xFF123456);
  dpi->SetDPIValue(3, 1600);
  dpi->SetDPIColorValue(-1, 0);
  dpi->SetSelectItem(4);
  EXPECT_EQ(dpi->GetItemCount(), 1);
  EXPECT_EQ(dpi->GetDPIColorValue(0), 0x123456u);
  EXPECT_EQ(dpi->GetDPIValue(3), 0);
  EXPECT_EQ(dpi->GetSelectItem(), -1);
  EXPECT_TRUE(dpi->GetItemRect(1).isEmpty());

  // Escape leaves an edit without a report; clearing the stages closes it.
  ShowAndWait(&w);
  dpi->EditItem(0);
  QLineEdit* editor = dpi->findChild<QLineEdit*>();
  ASSERT_TRUE(editor->isVisible());
  QTest::keyClicks(editor, QStringLiteral("99"));
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_TRUE(w.notes.isEmpty());
  EXPECT_EQ(dpi->GetDPIValue(0), 800);
  dpi->EditItem(0);
  ASSERT_TRUE(editor->isVisible());
  dpi->DeleteAllItems();
  EXPECT_FALSE(editor->isVisible());
  EXPECT_TRUE(w.notes.isEmpty());
}

TEST(ControlRules, DeviceVersionsAndRepeatedModels) {
  EXPECT_EQ(CDeviceList::FormatVersion(0x105), QStringLiteral("v1.05"));
  EXPECT_EQ(CDeviceList::FormatVersion(0x130), QStringLiteral("v1.30"));
  EXPECT_EQ(CDeviceList::FormatVersion(0x5), QStringLiteral("v0.05"));
  EXPECT_EQ(CDeviceList::FormatVersion(0x1234), QStringLiteral("v1.34"));
  TestWindow w;
  auto* list = w.CreateControl<CDeviceList>(56, QRect());
  list->AddDevice(QStringLiteral("K3"), 1002, QStringLiteral("a.png"));
  list->AddDevice(QStringLiteral("K3 Wireless"), 1002, QStringLiteral("b.png"));
  EXPECT_EQ(list->GetDeviceCount(), 1);
  list->SetDeviceState(4242, 0, 1);  // unknown types are ignored
  EXPECT_EQ(list->GetPresentDevCount(), 0);
  list->SetAllDeviceState(1);
  EXPECT_EQ(list->GetOnlineDevCount(), 1);
  list->ClearList();
  EXPECT_EQ(list->GetDeviceCount(), 0);
}

TEST(ControlRules, ListsScrollToKeepTheSelectionInView) {
  TestWindow w;
  auto* list = w.CreateControl<DListBox>(31, QRect(0, 0, 200, 120));
  list->SetRowHeight(40);
  for (int i = 0; i < 20; ++i) list->AddString(QStringLiteral("row %1").arg(i), i);
  ShowAndWait(&w);
  list->SetCurSel(19);
  QCoreApplication::processEvents();
  const QRect last = list->GetRowRect(19);
  EXPECT_GE(last.top(), 0);
  EXPECT_LE(last.bottom(), list->height());

  list->setFocus();
  QTest::keyClick(list, Qt::Key_Down);  // already the last: nothing
  QTest::keyClick(list, Qt::Key_Up);
  QTest::keyClick(list, Qt::Key_Return);
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].event, kEventSelChanged);
  EXPECT_EQ(w.notes[0].param, 18);
  EXPECT_EQ(w.notes[1].event, kEventClick);
  EXPECT_EQ(w.notes[1].param, 18);

  list->SetCurSel(0);
  QCoreApplication::processEvents();
  EXPECT_EQ(list->GetRowRect(0).top(), 0);
  list->ResetContent();
  EXPECT_EQ(list->GetCurSel(), -1);
  EXPECT_TRUE(list->GetRowRect(0).isEmpty());
}

TEST(ControlRules, RecordInsertsKeepTheSelectedItemSelected) {
  TestWindow w;
  auto* events = w.CreateControl<CRecordList>(163, QRect());
  for (int i = 0; i < 4; ++i) events->AddItem({QStringLiteral("e%1").arg(i), 2, 65 + i, i});
  events->SetCurSel(2);
  events->InsertItem(0, {QStringLiteral("50 ms"), 1, 50, 99});
  EXPECT_EQ(events->GetCurSel(), 3);
  EXPECT_EQ(events->GetItemTimestamp(3), 2);
  events->InsertItem(9, {QStringLiteral("last"), 3, 65, 7});  // past the end appends
  EXPECT_EQ(events->GetItemTimestamp(5), 7);
  EXPECT_FALSE(events->DeleteItem(6));
  RecordItem none;
  EXPECT_FALSE(events->GetItem(-1, &none));
  EXPECT_EQ(events->GetItemTimestamp(6), -1);
}

TEST(ControlRules, ComboBoxesOpenOnlyWhenEnabledAndCloseWithoutChoosing) {
  TestWindow w;
  auto* combo = w.CreateControl<MComboBox>(275, QRect(0, 0, 160, 30));
  combo->AddString(QStringLiteral("English"), 1033);
  combo->AddString(QStringLiteral("Deutsch"), 1031);
  combo->SetEnabled(false);
  ShowAndWait(&w);
  combo->ShowDropDown();
  EXPECT_FALSE(combo->IsDroppedDown());
  combo->SetEnabled(true);
  combo->ShowDropDown();
  EXPECT_TRUE(combo->IsDroppedDown());
  EXPECT_EQ(Manager::HideWindowByTitle(QStringLiteral("ComboWnd")), 1);
  EXPECT_FALSE(combo->IsDroppedDown());
  EXPECT_TRUE(w.notes.isEmpty());
  combo->SetItemText(1, QStringLiteral("German"));
  combo->SetCurData(1031);
  EXPECT_EQ(combo->GetText(), QStringLiteral("German"));
  combo->DeleteString(0);
  EXPECT_EQ(combo->GetCurSel(), 0);
  EXPECT_EQ(combo->GetCurData(), 1031);
}

TEST(ControlRules, TabsFollowASelectionMadeByTheWorker) {
  TestWindow w;
  auto* tabs = w.CreateControl<MTabCtrl>(48, QRect(0, 0, 190, 400));
  auto* home = w.CreateControl<MTabLayout>(49, QRect(200, 0, 300, 300));
  auto* buttons = w.CreateControl<MTabLayout>(50, QRect(200, 0, 300, 300));
  tabs->InsertItem(1, QStringLiteral("Home"), QStringLiteral("icon/tab_home.png"), home);
  tabs->InsertItem(2, QStringLiteral("Buttons"), QStringLiteral("icon/tab_key.png"), buttons);
  tabs->SetSelectItem(1);
  ShowAndWait(&w);
  std::thread worker([&] {
    tabs->SetSelectItem(2);
    EXPECT_EQ(tabs->GetSelectItem(), 2);
    EXPECT_EQ(tabs->GetPrevSelectItem(), 1);
  });
  worker.join();
  EXPECT_TRUE(WaitFor([&] { return buttons->isVisible() && !home->isVisible(); }));
  EXPECT_TRUE(w.notes.isEmpty());
  // Clicking the selected item again is still reported.
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->GetItemRect(2).center());
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].param, 2);
  tabs->SetItemText(2, QStringLiteral("Tasten"));
  EXPECT_EQ(tabs->GetItemText(2), QStringLiteral("Tasten"));
}

TEST(ControlRules, TheBusyAnimationPlaysWhileShown) {
  TestWindow w;
  auto* gif = w.CreateControl<CGifPicture>(30, QRect(1, 1, 100, 100));
  gif->SetImage(QStringLiteral("loading.gif"));
  auto* fallback = w.CreateControl<CGifPicture>(31, QRect(110, 1, 100, 100));
  fallback->SetImage(QStringLiteral("missing.gif"));
  ShowAndWait(&w);
  EXPECT_GT(gif->GetFrameCount(), 1);
  EXPECT_TRUE(gif->IsPlaying());
  EXPECT_EQ(fallback->GetFrameCount(), 0);
  EXPECT_TRUE(fallback->IsPlaying());  // the painted spinner stands in
  gif->Stop();
  fallback->Stop();
  EXPECT_FALSE(gif->IsPlaying());
  EXPECT_FALSE(fallback->IsPlaying());
}

namespace {

// One item or picture for the controls that show nothing while empty.
void FillSample(MControl* control) {
  if (auto* c = qobject_cast<DListBox*>(control)) c->AddString(QStringLiteral("Profile 1"), 1);
  if (auto* c = qobject_cast<CRecordList*>(control)) c->AddItem({QStringLiteral("50 ms"), 1, 50, 1});
  if (auto* c = qobject_cast<DPIControl*>(control)) c->AddItem(800, 0x0000FF);
  if (auto* c = qobject_cast<MTabCtrl*>(control)) c->InsertItem(1, QStringLiteral("Home"), QString(), nullptr);
  if (auto* c = qobject_cast<MouseCtrl*>(control)) c->AddItem(QStringLiteral("Left"), 0, 0, {20, 20}, {150, 20});
  if (auto* c = qobject_cast<MouseKeyCtrl*>(control)) c->AddItem(QStringLiteral("Left"), QStringLiteral("Click"), 0);
  if (auto* c = qobject_cast<ReporteCtrl*>(control)) c->AddItem(QStringLiteral("125Hz"), 8, 0x0108F1);
  if (auto* c = qobject_cast<MPicture*>(control)) c->SetImage(QStringLiteral("img_button.png"));
  if (auto* c = qobject_cast<CDeviceList*>(control)) {
    c->AddDevice(QStringLiteral("K1"), 1001, QStringLiteral("device/korvex_k1.png"));
    c->SetDeviceState(1001, 0, 1);
  }
}

}  // namespace

TEST(ControlRules, EveryControlPaintsSomething) {
  TestWindow w;
  ShowAndWait(&w);
  for (const QString& name : ControlFactory::ClassNames()) {
    if (name == QStringLiteral("MTabLayout") || name == QStringLiteral("CArea")) continue;  // transparent by design
    const bool large = name == QStringLiteral("CDeviceList") || name == QStringLiteral("MouseCtrl");
    MControl* control = w.CreateControl(name, 950, large ? QRect(0, 0, 400, 320) : QRect(0, 0, 220, 60));
    FillSample(control);
    if (auto* font = qobject_cast<MControlFont*>(control)) font->SetTitle(QStringLiteral("Sample"));
    if (auto* image = qobject_cast<CImageButton*>(control)) image->SetImage(QStringLiteral("btn_reset.png"));
    QImage shot = control->grab().toImage();
    bool painted = false;
    for (int y = 0; y < shot.height() && !painted; ++y)
      for (int x = 0; x < shot.width() && !painted; ++x)
        painted = shot.pixel(x, y) != shot.pixel(0, 0);
    EXPECT_TRUE(painted) << qPrintable(name);
    delete control;
  }
}

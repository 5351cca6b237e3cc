#include <gtest/gtest.h>

#include <QLineEdit>

#include "TestWindow.h"
#include "skinui/CDeviceList.h"
#include "skinui/CRecordList.h"
#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/MacroList.h"
#include "skinui/MouseCtrl.h"
#include "skinui/MouseKeyCtrl.h"
#include "skinui/ReporteCtrl.h"

using namespace DUI;

namespace {

QLineEdit* OpenEditor(QWidget* list) {
  QLineEdit* editor = list->findChild<QLineEdit*>();
  return editor != nullptr && editor->isVisible() ? editor : nullptr;
}

}  // namespace

TEST(DListBox, ReportsChoicesRightClicksAndInPlaceRenames) {
  TestWindow w;
  auto* list = w.CreateControl<DListBox>(31, QRect(0, 0, 300, 200));
  list->SetEditable(true);
  for (int id = 1; id <= 4; ++id) EXPECT_EQ(list->AddString(QStringLiteral("Profile %1").arg(id), id), id - 1);
  EXPECT_TRUE(list->SetCurData(3));
  EXPECT_EQ(list->GetCurSel(), 2);
  ShowAndWait(&w);

  QTest::mouseClick(list, Qt::LeftButton, {}, list->GetRowRect(1).center() - QPoint(60, 0));
  QTest::mouseClick(list, Qt::RightButton, {}, list->GetRowRect(3).center());
  QTest::mouseClick(list, Qt::RightButton, {}, QPoint(150, 190));  // below the rows
  ASSERT_EQ(w.notes.size(), 3);
  EXPECT_EQ(w.notes[0].event, kEventClick);
  EXPECT_EQ(w.notes[0].param, 1);
  EXPECT_EQ(list->GetItemData(1), 2);
  EXPECT_EQ(w.notes[1].event, kEventContextMenu);
  EXPECT_EQ(w.notes[1].param, 3);
  EXPECT_EQ(w.notes[2].param, -1);

  w.Clear();
  list->EditItem(2);
  QLineEdit* editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Arena"));
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].event, kEventEditChanged);
  EXPECT_EQ(w.notes[0].param, 2);
  EXPECT_EQ(list->GetItemText(2), QStringLiteral("Arena"));
  EXPECT_EQ(list->GetItemData(2), 3);

  // An empty edit is reported but keeps the text; Escape reports nothing.
  list->setFocus();
  list->SetCurSel(0);
  QTest::keyClick(list, Qt::Key_F2);
  editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  editor->clear();
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(list->GetEditText(), QString());
  EXPECT_EQ(list->GetItemText(0), QStringLiteral("Profile 1"));
  list->EditItem(1);
  editor = OpenEditor(list);
  ASSERT_NE(editor, nullptr);
  QTest::keyClick(editor, Qt::Key_Escape);
  EXPECT_EQ(w.notes.size(), 2);
}

TEST(DListBox, DeletingKeepsTheSelectionOnTheSameItem) {
  TestWindow w;
  auto* list = w.CreateControl<DListBox>(153, QRect(0, 0, 300, 200));
  for (int id = 1; id <= 4; ++id) list->AddString(QStringLiteral("m%1").arg(id), id * 10);
  list->SetCurSel(2);
  list->DeleteString(0);
  EXPECT_EQ(list->GetCurData(), 30);
  list->InsertString(0, QStringLiteral("new"), 50);
  EXPECT_EQ(list->GetCurData(), 30);
  list->DeleteString(list->GetCurSel());
  EXPECT_EQ(list->GetCurSel(), -1);
  EXPECT_EQ(list->GetCount(), 3);
}

TEST(MacroList, TheEditMarkOfTheSelectedRowStartsARename) {
  TestWindow w;
  auto* list = w.CreateControl<MacroList>(153, QRect(0, 0, 300, 200));
  list->AddString(QStringLiteral("Custom 1"), 7);
  list->AddString(QStringLiteral("Custom 2"), 8);
  list->SetCurSel(1);
  ShowAndWait(&w);
  const QRect row = list->GetRowRect(1);
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(row.right() - 23, row.center().y()));
  EXPECT_TRUE(w.notes.isEmpty());  // the mark opens the editor instead of choosing
  ASSERT_NE(OpenEditor(list), nullptr);
}

TEST(CRecordList, EditsByIndexAndByTimestamp) {
  TestWindow w;
  auto* events = w.CreateControl<CRecordList>(163, QRect(0, 0, 300, 300));
  events->AddItem({QStringLiteral("down LB"), 4, 1, 500});
  events->AddItem({QStringLiteral("50 ms"), 1, 50, 501});
  events->AddItem({QStringLiteral("up LB"), 5, 1, 500});
  EXPECT_EQ(events->InsertItem(1, {QStringLiteral("10 ms"), 1, 10, 600}), 1);
  EXPECT_EQ(events->InsertItem(-1, {QStringLiteral("down A"), 2, 65, 700}), 4);
  EXPECT_EQ(events->GetEventCount(), 3);  // delays are not events
  EXPECT_EQ(events->GetCount(), 5);

  // The pair sharing timestamp 500 is changed by type.
  EXPECT_TRUE(events->SetItemByTimestamp(500, 5, QStringLiteral("up Forward"), 16));
  EXPECT_FALSE(events->SetItemByTimestamp(500, 3, QStringLiteral("x"), 1));
  RecordItem item;
  ASSERT_TRUE(events->GetItem(3, &item));
  EXPECT_EQ(item.text, QStringLiteral("up Forward"));
  EXPECT_EQ(item.value, 16);
  ASSERT_TRUE(events->GetItem(0, &item));
  EXPECT_EQ(item.value, 1);

  EXPECT_TRUE(events->SwapItem(0, 1));
  EXPECT_EQ(events->GetItemTimestamp(0), 600);
  EXPECT_FALSE(events->SwapItem(0, 9));
  EXPECT_EQ(events->MoveToBottom(0), 4);
  EXPECT_EQ(events->GetItemTimestamp(4), 600);
  EXPECT_EQ(events->MoveToTop(3), 0);
  EXPECT_EQ(events->GetItemTimestamp(0), 700);
  EXPECT_EQ(events->MoveToTop(9), -1);

  events->SetCurSel(2);
  EXPECT_TRUE(events->DeleteItem(0));
  EXPECT_EQ(events->GetCurSel(), 1);
  const QVector<RecordItem> all = events->GetAllItems();
  ASSERT_EQ(all.size(), 4);
  EXPECT_EQ(all.last().timestamp, 600);
  events->DeleteAllItems();
  EXPECT_EQ(events->GetCount(), 0);
  EXPECT_EQ(events->GetCurSel(), -1);
}

TEST(CDeviceList, ShowsPresentDevicesAndSelectsByTheRules) {
  TestWindow w;
  auto* list = w.CreateControl<CDeviceList>(56, QRect(0, 0, 1200, 400));
  list->AddDevice(QStringLiteral("K1"), 1001, QStringLiteral("device/korvex_k1.png"));
  list->AddDevice(QStringLiteral("K3"), 1002, QStringLiteral("device/korvex_k3.png"));
  list->AddDevice(QStringLiteral("K5"), 1003, QStringLiteral("device/korvex_k5.png"));
  ShowAndWait(&w);
  EXPECT_EQ(list->SetSelectDevice(1002), 0);  // nothing present
  EXPECT_TRUE(list->GetCardRect(1002).isEmpty());

  list->SetDeviceState(1003, 1, 0);  // receiver found, mouse off
  list->SetDeviceState(1002, 0, 1);
  EXPECT_EQ(list->GetOnlineDevCount(), 1);
  EXPECT_EQ(list->GetPresentDevCount(), 2);
  EXPECT_EQ(list->SetSelectDevice(1001), 1002);  // absent: the first online one
  EXPECT_EQ(list->SetSelectDevice(1003), 1003);  // present though offline
  EXPECT_EQ(list->GetDeviceMode(1003), 1);
  EXPECT_EQ(list->GetDeviceMode(1001), -1);

  QTest::mouseClick(list, Qt::LeftButton, {}, list->GetCardRect(1002).center());
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].param, 1002);
  EXPECT_EQ(list->GetSelectDevice(), 1002);

  list->SetAllDeviceState(0);
  EXPECT_EQ(list->GetOnlineDevCount(), 0);
  EXPECT_EQ(list->GetSelectDevice(), 0);
  QTest::mouseClick(list, Qt::LeftButton, {}, QPoint(600, 200));
  EXPECT_EQ(w.notes.size(), 1);
}

TEST(ButtonViews, PictureAndListReportTheirItemsAndFindThemByKey) {
  TestWindow w;
  auto* picture = w.CreateControl<MouseCtrl>(105, QRect(0, 0, 400, 500));
  auto* list = w.CreateControl<MouseKeyCtrl>(65, QRect(420, 0, 300, 400));
  picture->SetImage(QStringLiteral("device/korvex_k1_top.png"));
  picture->AddItem(QStringLiteral("Left"), 0, 0, QPoint(20, 110), QPoint(168, 110));
  picture->AddItem(QStringLiteral("Forward"), 4, 0, QPoint(20, 240), QPoint(132, 240));
  list->AddItem(QStringLiteral("Left"), QStringLiteral("Left click"), 0);
  list->AddItem(QStringLiteral("Forward"), QStringLiteral("Forward"), 4);
  ShowAndWait(&w);
  EXPECT_EQ(picture->GetImageSize(), QSize(400, 500));
  EXPECT_TRUE(picture->GetItemHitRect(1).contains(QPoint(80, 240)));

  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(80, 238));
  QTest::mouseClick(list, Qt::LeftButton, {}, list->GetRowRect(0).center());
  QTest::mouseClick(picture, Qt::LeftButton, {}, QPoint(390, 480));  // no callout there
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].id, 105);
  EXPECT_EQ(w.notes[0].param, 1);
  EXPECT_EQ(w.notes[1].id, 65);
  EXPECT_EQ(w.notes[1].param, 0);

  EXPECT_EQ(picture->FindItemByKey(4), 1);
  EXPECT_EQ(list->FindItemByKey(4), 1);
  EXPECT_EQ(list->FindItemByKey(9), -1);
  list->SetItemDesc(list->FindItemByKey(4), QStringLiteral("DPI +"));
  EXPECT_EQ(list->GetItemDesc(1), QStringLiteral("DPI +"));
  picture->DeleteAllItems();
  EXPECT_EQ(picture->GetItemCount(), 0);
  EXPECT_EQ(picture->GetSelectItem(), -1);
}

TEST(ReporteCtrl, SelectsByCodeAndReportsTheCode) {
  TestWindow w;
  auto* rates = w.CreateControl<ReporteCtrl>(122, QRect(0, 0, 700, 100));
  const int codes[] = {8, 4, 2, 1};
  for (int code : codes) rates->AddItem(QStringLiteral("%1").arg(1000 / code), code, 0xFFFFFF);
  EXPECT_TRUE(rates->SetSelectItemValue(1));
  EXPECT_EQ(rates->GetCurSel(), 3);
  EXPECT_FALSE(rates->SetSelectItemValue(16));  // not offered
  EXPECT_EQ(rates->GetSelectItemValue(), -1);
  ShowAndWait(&w);
  QTest::mouseClick(rates, Qt::LeftButton, {}, rates->GetItemRect(1).center());
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].param, 4);
  EXPECT_EQ(rates->GetSelectItemValue(), 4);
}

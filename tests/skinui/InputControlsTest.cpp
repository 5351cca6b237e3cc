#include <gtest/gtest.h>

#include <QLineEdit>

#include "TestWindow.h"
#include "skinui/CColorButton.h"
#include "skinui/ComboWnd.h"
#include "skinui/DListBox.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/Events.h"
#include "skinui/LightSlider.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MPalette.h"
#include "skinui/MRender.h"
#include "skinui/MTabCtrl.h"
#include "skinui/MTabLayout.h"
#include "skinui/Manager.h"
#include "skinui/NumberEdit.h"

using namespace DUI;

namespace {

QList<int> EventsOf(const TestWindow& w, int id) {
  QList<int> events;
  for (const auto& n : w.notes)
    if (n.id == id) events.append(n.event);
  return events;
}

}  // namespace

TEST(NumberEdit, KeepsOnlyDigitsWithinItsLengthAndReportsTheNumber) {
  TestWindow w;
  auto* edit = w.CreateControl<NumberEdit>(136, QRect(10, 10, 100, 30));
  ShowAndWait(&w);
  edit->SetFocus();
  QTest::keyClicks(edit->GetEditor(), QStringLiteral("1a2-b3 456"));
  EXPECT_EQ(edit->GetTitle(), QStringLiteral("12345"));  // five digits at most
  EXPECT_EQ(edit->GetValue(), 12345);
  ASSERT_FALSE(w.notes.isEmpty());
  EXPECT_EQ(w.notes.last().event, kEventEditChanged);
  EXPECT_EQ(w.notes.last().param, 12345);

  // Pasted text keeps its digits too.
  edit->GetEditor()->clear();
  edit->GetEditor()->insert(QStringLiteral("x7y"));
  EXPECT_EQ(edit->GetTitle(), QStringLiteral("7"));
}

TEST(NumberEdit, ConfirmsOnEnterAndOnLeavingAfterAChangeOnly) {
  TestWindow w;
  auto* edit = w.CreateControl<NumberEdit>(136, QRect(10, 10, 100, 30));
  auto* other = w.CreateControl<MEdit>(184, QRect(10, 50, 100, 30));
  edit->SetRange(0, 20);
  edit->SetValue(8);
  ShowAndWait(&w);
  w.activateWindow();
  edit->GetEditor()->setFocus();
  QCoreApplication::processEvents();

  other->GetEditor()->setFocus();  // leaving without a change confirms nothing
  QCoreApplication::processEvents();
  EXPECT_FALSE(EventsOf(w, 136).contains(kEventClick));

  edit->GetEditor()->setFocus();
  QTest::keyClick(edit->GetEditor(), Qt::Key_Backspace);
  QTest::keyClick(edit->GetEditor(), Qt::Key_Return);
  EXPECT_EQ(EventsOf(w, 136).count(kEventClick), 1);
  other->GetEditor()->setFocus();  // already confirmed: no second 2
  QCoreApplication::processEvents();
  EXPECT_EQ(EventsOf(w, 136).count(kEventClick), 1);

  edit->GetEditor()->setFocus();
  QTest::keyClicks(edit->GetEditor(), QStringLiteral("5"));
  other->GetEditor()->setFocus();  // changed, then left: confirmed
  QCoreApplication::processEvents();
  EXPECT_EQ(EventsOf(w, 136).count(kEventClick), 2);
  EXPECT_TRUE(EventsOf(w, 136).contains(kEventKillFocus));
}

TEST(NumberEdit, StepsStayInsideTheRange) {
  TestWindow w;
  auto* edit = w.CreateControl<NumberEdit>(136, QRect(10, 10, 100, 30));
  edit->SetRange(0, 20);
  edit->SetValue(20);
  ShowAndWait(&w);
  w.Clear();  // showing the window may focus the field (event 7)
  QTest::keyClick(edit->GetEditor(), Qt::Key_Up);
  EXPECT_EQ(edit->GetValue(), 20);
  EXPECT_TRUE(w.notes.isEmpty());  // nothing changed, nothing reported
  QTest::keyClick(edit->GetEditor(), Qt::Key_Down);
  EXPECT_EQ(edit->GetValue(), 19);
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].event, kEventEditChanged);
  EXPECT_EQ(w.notes[1].event, kEventClick);
  EXPECT_EQ(w.notes[1].param, 19);
  QTest::mouseClick(edit, Qt::LeftButton, {}, edit->GetUpRect().center());
  EXPECT_EQ(edit->GetValue(), 20);
}

TEST(MEdit, KeyCaptureReportsKeysInsteadOfTypingThem) {
  TestWindow w;
  auto* edit = w.CreateControl<MEdit>(160, QRect(10, 10, 150, 30));
  edit->SetKeyCapture(true);
  ShowAndWait(&w);
  edit->GetEditor()->setFocus();
  QTest::keyClick(edit->GetEditor(), Qt::Key_A);
  QTest::keyClick(edit->GetEditor(), Qt::Key_Tab);
  EXPECT_TRUE(edit->GetTitle().isEmpty());
  const QList<int> events = EventsOf(w, 160);
  EXPECT_EQ(events.count(kEventKeyDown), 2);
  EXPECT_EQ(events.count(kEventKeyUp), 2);
  EXPECT_EQ(edit->GetLastKey().qtKey, int(Qt::Key_Tab));
  EXPECT_TRUE(edit->GetLastKey().release);
}

TEST(DPISlider, PositionsAndPixelsMapBothWaysAndDragsClamp) {
  TestWindow w;
  auto* slider = w.CreateControl<DPISlider>(114, QRect(0, 0, 600, 70));
  ShowAndWait(&w);
  for (int maximum : {48, 220, 520}) {
    slider->SetMaxProgress(maximum);
    for (int p = 0; p <= maximum; ++p) ASSERT_EQ(slider->PositionAt(slider->XOfPosition(p)), p) << maximum;
  }
  const QRect track = slider->GetTrackRect();
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(track.center().x(), 40));
  QTest::mouseMove(slider, QPoint(track.right() + 200, 40));
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(track.right() + 200, 40));
  EXPECT_EQ(slider->GetProgress(), 520);
  QList<int> events = EventsOf(w, 114);
  ASSERT_GE(events.size(), 2);
  EXPECT_EQ(events.first(), kEventChanging);
  EXPECT_EQ(events.last(), kEventClick);
  EXPECT_EQ(w.notes.last().param, 520);

  QTest::mouseClick(slider, Qt::LeftButton, {}, QPoint(0, 40));
  EXPECT_EQ(slider->GetProgress(), 0);
  slider->SetProgress(9999);
  EXPECT_EQ(slider->GetProgress(), 520);
  slider->SetMaxProgress(48);
  EXPECT_EQ(slider->GetProgress(), 48);
}

TEST(LightSlider, SnapsToLevelsAndReportsTheReleaseOnce) {
  TestWindow w;
  auto* slider = w.CreateControl<LightSlider>(201, QRect(0, 0, 220, 36));
  ShowAndWait(&w);
  for (int level = 0; level <= 4; ++level) EXPECT_EQ(slider->LevelAt(slider->XOfLevel(level) + 3), level);
  QTest::mousePress(slider, Qt::LeftButton, {}, QPoint(slider->XOfLevel(1), 18));
  QTest::mouseMove(slider, QPoint(slider->XOfLevel(3) - 2, 18));
  QTest::mouseRelease(slider, Qt::LeftButton, {}, QPoint(slider->XOfLevel(3) - 2, 18));
  EXPECT_EQ(slider->GetPos(), 3);
  const QList<int> events = EventsOf(w, 201);
  EXPECT_EQ(events.count(kEventClick), 1);
  EXPECT_EQ(events.count(kEventChanging), 2);  // level 1, then level 3
  EXPECT_EQ(w.notes.last().param, 3);
}

TEST(DPIControl, ClicksSelectStagesAndTypedValuesAreReported) {
  TestWindow w;
  auto* dpi = w.CreateControl<DPIControl>(113, QRect(0, 0, 700, 120));
  for (int i = 0; i < 7; ++i) EXPECT_EQ(dpi->AddItem(800 * (i + 1), 0x00FF00), i);
  EXPECT_EQ(dpi->AddItem(100, 0), -1);  // seven stages at most
  ShowAndWait(&w);

  QTest::mouseClick(dpi, Qt::LeftButton, {}, dpi->GetItemRect(4).center());
  QTest::mouseClick(dpi, Qt::LeftButton, {}, dpi->GetColorMarkRect(1).center());
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].event, kEventClick);
  EXPECT_EQ(w.notes[0].param, 4);
  EXPECT_EQ(w.notes[1].event, kEventColorClick);
  EXPECT_EQ(w.notes[1].param, 1);
  EXPECT_EQ(dpi->GetSelectItem(), 1);

  w.Clear();
  QTest::mouseDClick(dpi, Qt::LeftButton, {}, dpi->GetItemRect(3).center());
  QLineEdit* editor = dpi->findChild<QLineEdit*>();
  ASSERT_TRUE(editor != nullptr && editor->isVisible());
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("3x2000"));  // the field takes digits only, five at most
  QTest::keyClick(editor, Qt::Key_Return);
  ASSERT_FALSE(w.notes.isEmpty());
  EXPECT_EQ(w.notes.last().event, kEventEditChanged);
  EXPECT_EQ(w.notes.last().param, 3);
  EXPECT_EQ(dpi->GetEditText(), QStringLiteral("32000"));
  EXPECT_EQ(dpi->GetSelectItem(), 3);
  EXPECT_FALSE(editor->isVisible());

  w.Clear();
  dpi->setFocus();
  QTest::keyClick(dpi, Qt::Key_Right);
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].event, kEventSelChanged);
  EXPECT_EQ(w.notes[0].param, 4);
}

TEST(MComboBox, ChoosingFromTheListReportsTheIndexAndSelectsByData) {
  TestWindow w;
  auto* combo = w.CreateControl<MComboBox>(142, QRect(10, 10, 150, 30));
  const int data[] = {6, 12, 30, 60, 120, 180};
  for (int d : data) combo->AddString(QStringLiteral("%1").arg(d / 6), d);
  EXPECT_TRUE(combo->SetCurData(30));
  EXPECT_EQ(combo->GetCurSel(), 2);
  EXPECT_FALSE(combo->SetCurData(7));
  EXPECT_EQ(combo->GetCurSel(), -1);
  EXPECT_EQ(combo->GetCurData(), -1);
  ShowAndWait(&w);

  QTest::mouseClick(combo, Qt::LeftButton);
  auto* popup = qobject_cast<ComboWnd*>(Manager::FindWindow(QStringLiteral("ComboWnd")));
  ASSERT_NE(popup, nullptr);
  ASSERT_TRUE(popup->isVisible());
  QTest::mouseClick(popup->GetList(), Qt::LeftButton, {}, popup->GetList()->GetRowRect(4).center());
  EXPECT_FALSE(popup->isVisible());
  EXPECT_EQ(combo->GetCurData(), 120);
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].id, 142);
  EXPECT_EQ(w.notes[0].event, kEventClick);
  EXPECT_EQ(w.notes[0].param, 4);

  combo->setFocus();
  QTest::keyClick(combo, Qt::Key_Down);
  EXPECT_EQ(combo->GetCurSel(), 5);
  QTest::keyClick(combo, Qt::Key_Down);  // already the last: nothing
  EXPECT_EQ(w.notes.size(), 2);
}

TEST(MTabCtrl, SwitchesPagesAndReportsUserChoicesOnly) {
  TestWindow w;
  auto* tabs = w.CreateControl<MTabCtrl>(48, QRect(0, 0, 190, 400));
  QList<MTabLayout*> pages;
  const int ids[] = {1, 2, 3, 4, 5, 7};
  for (int i = 0; i < 6; ++i) {
    pages.append(w.CreateControl<MTabLayout>(49 + i, QRect(200, 0, 500, 500)));
    tabs->InsertItem(ids[i], QStringLiteral("tab %1").arg(ids[i]), QString(), pages.last());
  }
  tabs->SetSelectItem(1);
  ShowAndWait(&w);
  auto shown = [&] {
    QList<int> visible;
    for (MTabLayout* page : pages)
      if (page->isVisible()) visible.append(page->GetId());
    return visible;
  };
  EXPECT_EQ(shown(), QList<int>({49}));
  EXPECT_TRUE(w.notes.isEmpty());

  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->GetItemRect(3).center());
  EXPECT_EQ(shown(), QList<int>({51}));
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].id, 48);
  EXPECT_EQ(w.notes[0].param, 3);
  EXPECT_EQ(tabs->GetPrevSelectItem(), 1);

  // A hidden item leaves no gap: the lighting item's place goes to the device item.
  const QRect lightingPlace = tabs->GetItemRect(5);
  tabs->SetItemVisible(5, false);
  EXPECT_EQ(tabs->GetItemRect(7), lightingPlace);
  EXPECT_TRUE(tabs->GetItemRect(5).isEmpty());
  tabs->setFocus();
  QTest::keyClick(tabs, Qt::Key_Down);  // 3 -> 4
  QTest::keyClick(tabs, Qt::Key_Down);  // 4 -> 7, skipping the hidden 5
  EXPECT_EQ(tabs->GetSelectItem(), 7);
  EXPECT_EQ(shown(), QList<int>({54}));
  EXPECT_EQ(w.notes.last().param, 7);
}

TEST(ColourChoice, PaletteAndSwatchesReportColourRefs) {
  TestWindow w;
  auto* palette = w.CreateControl<MPalette>(223, QRect(0, 0, 200, 120));
  QList<CColorButton*> swatches;
  const uint32_t colours[] = {0x0000FF, 0xFF0C00, 0xFFFFFF};
  for (int i = 0; i < 3; ++i) {
    swatches.append(w.CreateControl<CColorButton>(206 + i, QRect(210 + 40 * i, 0, 32, 32)));
    swatches.last()->SetGroup(QStringLiteral("DEFAULTCOLOR"));
    swatches.last()->SetColor(colours[i]);
  }
  ShowAndWait(&w);
  QTest::mouseClick(swatches[1], Qt::LeftButton);
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].param, 0xFF0C00);
  swatches[0]->SetSelect(true);
  EXPECT_FALSE(swatches[1]->GetSelect());
  CColorButton::UnselectGroup(QStringLiteral("DEFAULTCOLOR"));
  EXPECT_FALSE(swatches[0]->GetSelect());

  // Pure red (0x0000FF) sits at the top left of the field.
  palette->SetColor(0x0000FF);
  EXPECT_EQ(palette->GetColor(), 0x0000FFu);
  const QRect field = palette->GetFieldRect();
  w.Clear();
  QTest::mousePress(palette, Qt::LeftButton, {}, field.topLeft());
  QTest::mouseRelease(palette, Qt::LeftButton, {}, field.bottomLeft());
  ASSERT_EQ(w.notes.size(), 2);
  EXPECT_EQ(w.notes[0].event, kEventChanging);
  EXPECT_EQ(w.notes[0].param, 0x0000FF);
  EXPECT_EQ(w.notes[1].event, kEventClick);
  EXPECT_EQ(w.notes[1].param, 0xFFFFFF);  // the bottom is white
  EXPECT_EQ(MRender::ToColourRef(MRender::FromColourRef(0x123456)), 0x123456u);
  EXPECT_EQ(MRender::FromColourRef(0xFF0C00), QColor(0, 12, 255));
}

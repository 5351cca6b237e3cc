#include <gtest/gtest.h>

#include <QRegularExpression>
#include <QTimer>
#include <atomic>
#include <chrono>
#include <thread>

#include "TestWindow.h"
#include "skinui/CArea.h"
#include "skinui/CCheckButton.h"
#include "skinui/ControlFactory.h"
#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MComboBox.h"
#include "skinui/MTabLayout.h"
#include "skinui/MText.h"
#include "skinui/Manager.h"
#include "skinui/MenuWnd.h"

using namespace DUI;
using namespace std::chrono_literals;

namespace {

// A modal run that a failing test would leave hanging ends after 5 s with -99.
void Guard(MWindow* w) {
  QTimer::singleShot(5000, w, [w] { w->EndModal(-99); });
}

}  // namespace

TEST(ModalRun, EndsWithTheResultOfDoOkAndDoCancelFromAWorkerThread) {
  TestWindow dlg(QStringLiteral("WaitDlg"));
  for (int expected : {1, 2}) {
    Guard(&dlg);
    std::thread worker([&] {
      std::this_thread::sleep_for(30ms);
      expected == 1 ? dlg.DoOK() : dlg.DoCancel();
    });
    const int result = dlg.ShowModal(1);
    worker.join();
    EXPECT_EQ(result, expected);
    EXPECT_FALSE(dlg.isVisible());
  }
  EXPECT_EQ(dlg.inits, 1);  // initialisation runs once, not per run
}

TEST(ModalRun, AnEndBeforeTheFirstRunEndsItAtOnceButDoesNotLeakIntoLaterRuns) {
  TestWindow dlg;
  std::thread worker([&] { dlg.DoOK(); });  // a fast worker finishes first
  worker.join();
  QCoreApplication::processEvents();  // the queued end arrives before the run
  Guard(&dlg);
  EXPECT_EQ(dlg.ShowModal(0), 1);

  // After a run, an end while nothing runs is dropped: the next run waits.
  dlg.EndModal(1);
  QTimer::singleShot(30, &dlg, [&] { dlg.DoCancel(); });
  Guard(&dlg);
  EXPECT_EQ(dlg.ShowModal(0), 2);
}

TEST(ModalRun, APostedCloseMessageEndsTheRunWithItsParameter) {
  TestWindow box(QStringLiteral("MessageBox"));
  QTimer::singleShot(20, [&] { box.PostMessage(kMsgClose, 2, 0); });
  Guard(&box);
  EXPECT_EQ(box.ShowModal(1), 2);
  ASSERT_FALSE(box.messages.isEmpty());
  EXPECT_EQ(box.messages.last().message, kMsgClose);

  // A close from the window system (wParam 0) also ends it with 2.
  QTimer::singleShot(20, [&] { box.close(); });
  Guard(&box);
  EXPECT_EQ(box.ShowModal(1), 2);
}

TEST(ModalRun, NestedRunsEachEndWithTheirOwnResult) {
  TestWindow main(QStringLiteral("Main"));
  TestWindow child(QStringLiteral("SaveWaitDlg"), &main, MWindow::kStyleToolWindow);
  int childResult = 0;
  main.onTimer = [&](int id) {
    main.KillTimer(id);
    std::thread worker([&] {
      std::this_thread::sleep_for(30ms);
      Manager::CloseWindowByTitle(QStringLiteral("SaveWaitDlg"), 2);
    });
    childResult = child.ShowModal(1);
    worker.join();
    main.DoOK();
  };
  main.SetTimer(7, 10);
  Guard(&main);
  EXPECT_EQ(main.ShowModal(1), 1);
  EXPECT_EQ(childResult, 2);
}

TEST(WindowLookup, FindsLiveWindowsByTitleOnly) {
  auto* a = new TestWindow(QStringLiteral("KeyboardTip Window"));
  TestWindow b(QStringLiteral("PaletteDlg"));
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("KeyboardTip Window")), a);
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("PaletteDlg")), &b);
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("NoSuchWindow")), nullptr);

  ShowAndWait(&b);
  EXPECT_EQ(Manager::HideWindowByTitle(QStringLiteral("PaletteDlg")), 1);
  EXPECT_TRUE(WaitFor([&] { return !b.isVisible(); }));

  b.SetWindowText(QStringLiteral("Renamed"));
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("PaletteDlg")), nullptr);
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("Renamed")), &b);

  delete a;
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("KeyboardTip Window")), nullptr);
  b.DestroyWindow();
  EXPECT_EQ(Manager::FindWindow(QStringLiteral("Renamed")), nullptr);
  EXPECT_EQ(Manager::CloseWindowByTitle(QStringLiteral("Renamed")), 0);
}

TEST(WindowLookup, HidingAMenuByTitleEndsItWithNoChoice) {
  TestWindow owner;
  MenuWnd menu;
  menu.AddItem(100, QStringLiteral("Exit"));
  QTimer::singleShot(30, [] { Manager::HideWindowByTitle(QStringLiteral("Menu Window")); });
  Guard(&menu);
  EXPECT_EQ(menu.TrackPopupMenu(QPoint(200, 200), &owner), 0);
}

TEST(WindowLookup, AMenuReturnsTheClickedItemAndIgnoresDisabledOnes) {
  MenuWnd menu;
  menu.AddItem(101, QStringLiteral("Import"));
  menu.AddSeparator();
  menu.AddItem(102, QStringLiteral("Export"), false);
  menu.AddItem(105, QStringLiteral("Import all"));
  QTimer::singleShot(30, [&] {
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.GetItemRect(2).center());  // disabled: nothing
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.GetItemRect(1).center());  // separator: nothing
    QTest::mouseClick(&menu, Qt::LeftButton, {}, menu.GetItemRect(3).center());
  });
  Guard(&menu);
  EXPECT_EQ(menu.TrackPopupMenu(QPoint(100, 100)), 105);
}

TEST(Notifications, ReachTheWindowHookWithIdEventParamAndSource) {
  TestWindow w;
  auto* page = w.CreateControl<MTabLayout>(52, QRect(0, 0, 400, 400));
  auto* button = w.CreateControl<MButton>(46, QRect(10, 10, 100, 30), page);
  QList<CCheckButton*> boxes;
  for (int i = 0; i < 3; ++i) boxes.append(w.CreateControl<CCheckButton>(131, QRect(10, 50 + 30 * i, 150, 26), page));
  ShowAndWait(&w);

  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(boxes[1], Qt::LeftButton);
  QTest::mouseClick(boxes[1], Qt::LeftButton);
  QTest::mouseClick(boxes[2], Qt::LeftButton);
  ASSERT_EQ(w.notes.size(), 4);
  EXPECT_EQ(w.notes[0].id, 46);
  EXPECT_EQ(w.notes[0].event, kEventClick);
  EXPECT_EQ(w.notes[0].source, button);
  // Boxes sharing one identifier stay apart through the source.
  EXPECT_EQ(w.notes[1].id, 131);
  EXPECT_EQ(w.notes[1].param, 1);
  EXPECT_EQ(w.notes[1].source, boxes[1]);
  EXPECT_EQ(w.notes[2].param, 0);
  EXPECT_EQ(w.notes[3].source, boxes[2]);
  EXPECT_FALSE(boxes[1]->GetCheck());
  EXPECT_TRUE(boxes[2]->GetCheck());
  EXPECT_EQ(w.GetControls(131).size(), 3);

  // A press that leaves the button before release is no click.
  w.Clear();
  QTest::mousePress(button, Qt::LeftButton);
  QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(500, 500));
  EXPECT_TRUE(w.notes.isEmpty());
  // Programmatic changes never notify.
  boxes[0]->SetCheck(true);
  EXPECT_TRUE(w.notes.isEmpty());
}

TEST(Notifications, TypedLookupPicksTheRightControlOfASharedIdentifier) {
  TestWindow w;
  auto* caption = w.CreateControl<MText>(76, QRect(0, 0, 100, 20));
  auto* list = w.CreateControl<MComboBox>(76, QRect(0, 30, 100, 30));
  EXPECT_EQ(w.GetControl<MText>(76), caption);
  EXPECT_EQ(w.GetControl<MComboBox>(76), list);
  EXPECT_EQ(w.GetControl<MButton>(76), nullptr);

  // The combo's pop-up list (its own window) does not answer for this one.
  list->AddString(QStringLiteral("a"));
  ShowAndWait(&w);
  list->ShowDropDown();
  EXPECT_EQ(w.GetControl<DListBox>(1), nullptr);
  Manager::HideWindowByTitle(QStringLiteral("ComboWnd"));
}

TEST(Timers, WindowTimersRepeatUntilKilledAndTheTickRuns) {
  TestWindow w;
  w.onTimer = [&](int id) {
    if (w.timers.count(id) == 3) w.KillTimer(id);
  };
  w.SetTimer(100, 1);
  w.SetTimer(200, 5);
  w.SetMTimer(10);
  EXPECT_TRUE(WaitFor([&] { return w.timers.count(100) >= 3 && w.timers.count(200) >= 3 && w.ticks >= 3; }));
  const int hundreds = w.timers.count(100);
  QTest::qWait(30);
  EXPECT_EQ(w.timers.count(100), hundreds);
  w.KillMTimer();
  const int ticks = w.ticks;
  QTest::qWait(40);
  EXPECT_EQ(w.ticks, ticks);
}

TEST(ControlFactory, CreatesEveryClassByItsNameAndRefusesUnknownOnes) {
  TestWindow w;
  const QStringList names = ControlFactory::ClassNames();
  EXPECT_GE(names.size(), 30);
  for (const QString& name : names) {
    MControl* control = w.CreateControl(name, 900, QRect(0, 0, 50, 20));
    ASSERT_NE(control, nullptr) << qPrintable(name);
    const QString actual = QString::fromLatin1(control->metaObject()->className()).remove(QStringLiteral("DUI::"));
    // The "2" variants are the same classes.
    EXPECT_EQ(actual, QString(name).remove(QRegularExpression(QStringLiteral("2$")))) << qPrintable(name);
    EXPECT_EQ(control->GetWindow(), &w);
  }
  EXPECT_EQ(w.CreateControl(QStringLiteral("CSomething"), 901, QRect()), nullptr);
  EXPECT_NE(w.CreateArea(902, QRect(0, 0, 5, 5), Qt::red), nullptr);
}

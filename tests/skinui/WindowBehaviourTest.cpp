#include <gtest/gtest.h>

#include <QLineEdit>
#include <QTimer>
#include <thread>

#include "TestWindow.h"
#include "skinui/CCheckButton.h"
#include "skinui/Events.h"
#include "skinui/MButton.h"
#include "skinui/MEdit.h"
#include "skinui/MRender.h"
#include "skinui/Manager.h"
#include "skinui/MenuWnd.h"

using namespace DUI;

namespace {

class SizedWindow : public TestWindow {
 public:
  QList<QSize> sizes;
  int destroyed = 0;

 protected:
  void OnSize(int width, int height) override { sizes.append(QSize(width, height)); }
  void OnDestroy() override { ++destroyed; }
};

}  // namespace

TEST(WindowStyle, StylesBecomeTheMatchingWindowFlags) {
  TestWindow plain(QStringLiteral("About Window"));
  TestWindow tool(QStringLiteral("DPIMsgDlg"), nullptr, MWindow::kStyleToolWindow | MWindow::kStyleTopMost);
  TestWindow popup(QStringLiteral("ComboWnd2"), nullptr, MWindow::kStylePopup);
  EXPECT_TRUE(plain.windowFlags() & Qt::FramelessWindowHint);
  EXPECT_EQ(plain.windowType(), Qt::Window);
  EXPECT_EQ(tool.windowType(), Qt::Tool);
  EXPECT_TRUE(tool.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(popup.windowType(), Qt::Popup);
  EXPECT_EQ(plain.windowTitle(), QStringLiteral("About Window"));
  EXPECT_FALSE(plain.Create(nullptr, QStringLiteral("again"), 0, QRect(0, 0, 10, 10)));
  EXPECT_EQ(plain.GetTitle(), QStringLiteral("About Window"));
}

TEST(WindowStyle, AnOwnedModalRunBlocksItsOwnerOnlyWhileItRuns) {
  TestWindow owner(QStringLiteral("Main"));
  TestWindow child(QStringLiteral("CUIMessageBox"), &owner, MWindow::kStyleToolWindow);
  ShowAndWait(&owner);
  Qt::WindowModality during = Qt::NonModal;
  QTimer::singleShot(30, [&] {
    during = child.windowModality();
    child.DoOK();
  });
  EXPECT_EQ(child.ShowModal(1), 1);
  EXPECT_EQ(during, Qt::WindowModal);
  EXPECT_EQ(child.windowModality(), Qt::NonModal);
  EXPECT_EQ(child.GetOwner(), &owner);
}

TEST(WindowLifecycle, DestroyEndsTheRunStopsTimersAndRunsTheHookOnce) {
  SizedWindow w;
  w.SetTimer(1, 1);
  w.SetMTimer(5);
  QTimer::singleShot(30, [&] {
    std::thread worker([&] { w.DestroyWindow(); });
    worker.join();
  });
  QTimer::singleShot(5000, [&] { w.EndModal(-99); });
  EXPECT_EQ(w.ShowModal(1), 2);
  EXPECT_TRUE(w.IsDestroyed());
  EXPECT_EQ(w.destroyed, 1);
  w.DestroyWindow();
  QCoreApplication::processEvents();
  EXPECT_EQ(w.destroyed, 1);
  const int timers = w.timers.size();
  const int ticks = w.ticks;
  QTest::qWait(30);
  EXPECT_EQ(w.timers.size(), timers);
  EXPECT_EQ(w.ticks, ticks);
  EXPECT_EQ(w.ShowModal(1), 0);  // a destroyed window does not run again
}

TEST(WindowLifecycle, SizeChangesReachTheHookAndCentringUsesTheOwner) {
  SizedWindow owner;
  owner.setGeometry(200, 150, 1000, 700);
  ShowAndWait(&owner);
  owner.resize(1200, 788);
  QCoreApplication::processEvents();
  ASSERT_FALSE(owner.sizes.isEmpty());
  EXPECT_EQ(owner.sizes.last(), QSize(1200, 788));

  TestWindow box(QStringLiteral("MessageBox"), &owner, MWindow::kStyleToolWindow);
  box.resize(430, 230);
  box.CenterWindow();
  EXPECT_LE((box.geometry().center() - owner.frameGeometry().center()).manhattanLength(), 2);
}

TEST(WindowLifecycle, DraggingTheCaptionMovesTheWindow) {
  TestWindow w;
  w.SetCaptionRect(QRect(0, 0, 800, 50));
  w.setGeometry(100, 100, 800, 600);
  ShowAndWait(&w);
  const QPoint start = w.pos();
  QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(300, 20));
  QMouseEvent move(QEvent::MouseMove, QPointF(340, 50), w.mapToGlobal(QPointF(340, 50)), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &move);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(340, 50));
  EXPECT_EQ(w.pos(), start + QPoint(40, 30));

  // Outside the caption nothing moves.
  const QPoint after = w.pos();
  QTest::mousePress(&w, Qt::LeftButton, {}, QPoint(300, 300));
  QMouseEvent move2(QEvent::MouseMove, QPointF(360, 360), w.mapToGlobal(QPointF(360, 360)), Qt::NoButton,
                    Qt::LeftButton, Qt::NoModifier);
  QCoreApplication::sendEvent(&w, &move2);
  QTest::mouseRelease(&w, Qt::LeftButton, {}, QPoint(360, 360));
  EXPECT_EQ(w.pos(), after);
}

TEST(WindowMessages, KeepTheirOrderAndSendAnswersOnlyOnTheGuiThread) {
  TestWindow w;
  std::thread worker([&] {
    for (int i = 0; i < 500; ++i) w.PostMessage(2000 + i, i, -i);
    EXPECT_FALSE(w.SendMessage(2022, 0, 0));  // from a worker: posted, not answered
  });
  worker.join();
  EXPECT_TRUE(WaitFor([&] { return w.messages.size() == 501; }));
  for (int i = 0; i < 500; ++i) {
    ASSERT_EQ(w.messages[i].message, 2000 + i);
    ASSERT_EQ(w.messages[i].lParam, -i);
  }
  EXPECT_EQ(w.messages.last().message, 2022);
  EXPECT_TRUE(w.SendMessage(kMsgClose, 2, 0));   // handled by the base
  EXPECT_FALSE(w.SendMessage(1691, 611, 0));    // nobody handles it
}

TEST(WindowMessages, DisabledControlsDoNotNotify) {
  TestWindow w;
  auto* button = w.CreateControl<MButton>(46, QRect(0, 0, 100, 30));
  auto* box = w.CreateControl<CCheckButton>(276, QRect(0, 40, 100, 30));
  button->SetEnabled(false);
  box->SetEnabled(false);
  ShowAndWait(&w);
  QTest::mouseClick(button, Qt::LeftButton);
  QTest::mouseClick(box, Qt::LeftButton);
  EXPECT_TRUE(w.notes.isEmpty());
  EXPECT_FALSE(box->GetCheck());
  button->SetEnabled(true);
  button->setFocus();
  QTest::keyClick(button, Qt::Key_Space);
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].id, 46);
}

TEST(MenuWnd, KeyboardSkipsSeparatorsAndDisabledItems) {
  MenuWnd menu;
  menu.AddItem(100, QStringLiteral("To top"), false);
  menu.AddSeparator();
  menu.AddItem(101, QStringLiteral("Up"));
  menu.AddItem(103, QStringLiteral("To bottom"));
  QTimer::singleShot(30, [&] {
    QTest::keyClick(&menu, Qt::Key_Down);  // first usable item: 101
    QTest::keyClick(&menu, Qt::Key_Return);
  });
  QTimer::singleShot(5000, [&] { menu.EndModal(-99); });
  EXPECT_EQ(menu.TrackPopupMenu(QPoint(50, 50)), 101);

  QTimer::singleShot(30, [&] { QTest::keyClick(&menu, Qt::Key_Escape); });
  EXPECT_EQ(menu.TrackPopupMenu(QPoint(50, 50)), 0);
  MenuWnd empty;
  EXPECT_EQ(empty.TrackPopupMenu(QPoint(50, 50)), 0);  // nothing to choose: no run at all
}

TEST(Manager, FontAndThemeChangesReachEveryWindow) {
  TestWindow w;
  auto* edit = w.CreateControl<MEdit>(175, QRect(0, 0, 120, 30));
  const QString before = Manager::GetFontName();
  Manager::SetFontName(QStringLiteral("DejaVu Serif"));
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->GetEditor()->font().family(), QStringLiteral("DejaVu Serif"));
  Manager::SetFontName(before);
  QCoreApplication::processEvents();
  EXPECT_EQ(edit->GetEditor()->font().family(), before);

  ASSERT_FALSE(MRender::LoadImage(QStringLiteral("img_button.png")).isNull());
  Manager::SetTheme(QStringLiteral("no-such-theme"));
  EXPECT_TRUE(MRender::LoadImage(QStringLiteral("img_button.png")).isNull());  // not served from the old theme
  Manager::SetTheme(QStringLiteral("default"));
  EXPECT_FALSE(MRender::LoadImage(QStringLiteral("img_button.png")).isNull());

  std::thread worker([] { Manager::SetDeviceName(QStringLiteral("Korvex Mouse")); });
  worker.join();
  EXPECT_EQ(Manager::GetDeviceName(), QStringLiteral("Korvex Mouse"));
}

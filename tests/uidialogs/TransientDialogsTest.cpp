#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <thread>

#include "TestHost.h"
#include "skinui/CGifPicture.h"
#include "skinui/CImageButton.h"
#include "ui/dialogs/AboutDlg.h"
#include "ui/dialogs/AuxDialogs.h"
#include "ui/dialogs/DPIMsgDlg.h"
#include "ui/dialogs/DialogText.h"
#include "ui/dialogs/SaveWaitDlg.h"
#include "ui/dialogs/UpdateTipDlg.h"
#include "ui/dialogs/WaitDlg.h"

using namespace korvex;

namespace {

// Drives the bar's timer by hand.
class SteppedSaveWait : public SaveWaitDlg {
 public:
  using SaveWaitDlg::OnTimer;
};

int Registered(const QString& title) {
  int count = 0;
  for (DUI::MWindow* w : DUI::Manager::GetWindows())
    if (w->GetTitle() == title) ++count;
  return count;
}

}  // namespace

TEST(SaveWait, SwitchesToSavedOnTheEleventhTick) {
  TestHost host;
  SteppedSaveWait dlg;
  ASSERT_TRUE(dlg.Create(&host));
  EXPECT_EQ(dlg.MessageText(), DialogText(630));
  for (int tick = 1; tick <= 10; ++tick) dlg.OnTimer(SaveWaitDlg::kTimerProgress);
  EXPECT_EQ(dlg.Progress(), 100);
  EXPECT_EQ(dlg.MessageText(), DialogText(630));
  dlg.OnTimer(SaveWaitDlg::kTimerProgress);
  EXPECT_EQ(dlg.MessageText(), DialogText(631));
  EXPECT_EQ(dlg.Ticks(), 11);
}

TEST(SaveWait, ShownConfirmationSaysSavedAndClosesAfterTwoSeconds) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  QElapsedTimer clock;
  clock.start();
  aux.ShowSaved();
  QPointer<SaveWaitDlg> dlg = aux.Saved();
  ASSERT_TRUE(dlg);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_LE((dlg->frameGeometry().center() - host.frameGeometry().center()).manhattanLength(), 2);
  ASSERT_TRUE(WaitUntil([&] { return dlg && dlg->Ticks() >= 11; }));
  EXPECT_EQ(dlg->MessageText(), DialogText(631));
  QTest::qWait(100);
  EXPECT_EQ(dlg->Ticks(), 11);  // the bar's timer has stopped
  EXPECT_TRUE(dlg->isVisible());

  ASSERT_TRUE(WaitUntil([&] { return !dlg || !dlg->isVisible(); }, 5000));
  const qint64 shownFor = clock.elapsed();
  EXPECT_GE(shownFor, 1900);
  EXPECT_LT(shownFor, 4000);
  EXPECT_EQ(aux.Saved(), nullptr);
  EXPECT_TRUE(WaitUntil([&] { return dlg.isNull(); }, 1000));  // destroyed once ended
}

TEST(SaveWait, SecondChangeLeavesOneWindowRestartedByIt) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  aux.ShowSaved();
  QPointer<SaveWaitDlg> first = aux.Saved();
  QTest::qWait(600);
  QElapsedTimer clock;
  clock.start();
  aux.ShowSaved();
  QPointer<SaveWaitDlg> second = aux.Saved();
  ASSERT_TRUE(second);
  EXPECT_NE(first.data(), second.data());
  EXPECT_EQ(VisibleWindows(SaveWaitDlg::kTitle), 1);
  EXPECT_EQ(Registered(SaveWaitDlg::kTitle), 1);
  EXPECT_TRUE(WaitUntil([&] { return first.isNull(); }, 1000));

  // Two seconds from the second change, not from the first.
  QTest::qWait(1700);
  EXPECT_EQ(VisibleWindows(SaveWaitDlg::kTitle), 1);
  ASSERT_TRUE(WaitUntil([&] { return VisibleWindows(SaveWaitDlg::kTitle) == 0; }, 3000));
  EXPECT_GE(clock.elapsed(), 1900);
}

TEST(SaveWait, ReuseRestartsTheOpenWindow) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  aux.ShowSaved();
  QPointer<SaveWaitDlg> dlg = aux.Saved();
  QTest::qWait(1200);
  aux.RestartSaved();
  EXPECT_EQ(aux.Saved(), dlg.data());
  EXPECT_EQ(VisibleWindows(SaveWaitDlg::kTitle), 1);
  QTest::qWait(1200);  // 2.4 s after the first show: still up
  EXPECT_TRUE(dlg && dlg->isVisible());
  ASSERT_TRUE(WaitUntil([&] { return !dlg || !dlg->isVisible(); }, 3000));
  // Without an open one, the reuse shows a new window.
  aux.RestartSaved();
  EXPECT_NE(aux.Saved(), nullptr);
}

TEST(WaitDialog, BusyIndicatorIsReplacedAndClosedFromTheWorker) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  aux.ShowBusy();
  QPointer<WaitDlg> first = aux.Wait();
  ASSERT_TRUE(first);
  EXPECT_EQ(first->size(), QSize(102, 102));
  EXPECT_LE((first->frameGeometry().center() - host.frameGeometry().center()).manhattanLength(), 2);
  EXPECT_TRUE(first->windowFlags() & Qt::WindowStaysOnTopHint);
  ASSERT_NE(first->Animation(), nullptr);

  aux.ShowBusy();
  QPointer<WaitDlg> second = aux.Wait();
  EXPECT_NE(first.data(), second.data());
  EXPECT_EQ(VisibleWindows(WaitDlg::kTitle), 1);
  // The owner window is locked against input while it is up.
  EXPECT_EQ(second->windowModality(), Qt::WindowModal);

  std::thread worker([&aux] { aux.CloseWait(); });
  worker.join();
  ASSERT_TRUE(WaitUntil([&] { return second.isNull(); }, 2000));
  EXPECT_EQ(aux.Wait(), nullptr);
  EXPECT_EQ(VisibleWindows(WaitDlg::kTitle), 0);
  // A close with nothing open is harmless.
  aux.CloseWait();
  QTest::qWait(20);
}

TEST(WaitDialog, ModalRunEndedByTheWorkerGivesOk) {
  TestHost host;
  host.show();
  WaitDlg dlg;
  ASSERT_TRUE(dlg.Create(&host));
  std::thread worker([&dlg] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    dlg.DoOK();
  });
  EXPECT_EQ(dlg.ShowModal(), 1);
  worker.join();
}

TEST(WaitDialog, ClosedByTitleLikeTheDeviceChangeDoes) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  aux.ShowBusy();
  QPointer<WaitDlg> dlg = aux.Wait();
  EXPECT_EQ(DUI::Manager::CloseWindowByTitle(WaitDlg::kTitle, 2), 1);
  ASSERT_TRUE(WaitUntil([&] { return dlg.isNull(); }, 2000));
  EXPECT_EQ(aux.Wait(), nullptr);
}

TEST(UpdateTip, WorkerWritesProgressAndClosesIt) {
  TestHost host;
  host.show();
  AuxDialogs aux(&host);
  aux.ShowUpdateTip();
  QPointer<UpdateTipDlg> dlg = aux.UpdateTip();
  ASSERT_TRUE(dlg);
  EXPECT_EQ(dlg->WarningText(), DialogText(596));
  EXPECT_EQ(dlg->StatusText(), QString::fromUtf8("升级中"));

  std::thread worker([&aux] {
    aux.ShowUpdateProgress(QStringLiteral("Updating firmware"), 42);
    aux.ShowUpdateProgress(QStringLiteral("Updating firmware"), 57);
  });
  worker.join();
  ASSERT_TRUE(WaitUntil([&] { return dlg->Progress() == 57; }, 2000));
  EXPECT_EQ(dlg->StatusText(), QStringLiteral("Updating firmware: 57%"));

  std::thread closer([&aux] { aux.CloseUpdateTip(); });
  closer.join();
  ASSERT_TRUE(WaitUntil([&] { return dlg.isNull(); }, 2000));
  EXPECT_EQ(aux.UpdateTip(), nullptr);
}

TEST(UpdateTip, ModalRunEndedByTheWorkerGivesOk) {
  TestHost host;
  host.show();
  UpdateTipDlg dlg;
  ASSERT_TRUE(dlg.Create(&host));
  std::thread worker([&dlg] {
    dlg.ShowUpdateProgress(QStringLiteral("Downloading"), 100);
    dlg.DoOK();
  });
  EXPECT_EQ(dlg.ShowModal(), 1);
  worker.join();
  EXPECT_EQ(dlg.StatusText(), QStringLiteral("Downloading: 100%"));
}

TEST(DpiDisplay, PlacedAtTheBottomRightOfTheWorkArea) {
  // A panel along the bottom: the display stays above it.
  EXPECT_EQ(DPIMsgDlg::PlaceIn(QRect(0, 0, 1920, 1040)), QRect(1618, 908, 300, 130));
  // A second screen to the right, with a panel on top.
  EXPECT_EQ(DPIMsgDlg::PlaceIn(QRect(1920, 32, 1280, 992)), QRect(2898, 892, 300, 130));

  TestHost host;
  AuxDialogs aux(&host);
  DPIMsgDlg* dpi = aux.DpiDisplay();
  ASSERT_NE(dpi, nullptr);
  EXPECT_FALSE(dpi->isVisible());
  std::thread worker([&aux] { aux.ShowDpi(3200); });
  worker.join();
  ASSERT_TRUE(WaitUntil([&] { return dpi->isVisible(); }, 2000));
  const QRect work = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(dpi->geometry(), QRect(work.x() + work.width() - 302, work.y() + work.height() - 132, 300, 130));
  EXPECT_EQ(dpi->ValueText(), QStringLiteral("3200"));
  EXPECT_EQ(dpi->Progress(), 3200);

  // Above the bar's maximum the bar is full.
  aux.ShowDpi(26000);
  EXPECT_EQ(dpi->ValueText(), QStringLiteral("26000"));
  EXPECT_EQ(dpi->Progress(), DPIMsgDlg::kMaxDpi);
}

TEST(DpiDisplay, HidesAfterTwoSecondsOrOnItsCloseButton) {
  TestHost host;
  AuxDialogs aux(&host);
  DPIMsgDlg* dpi = aux.DpiDisplay();
  QElapsedTimer clock;
  clock.start();
  aux.ShowDpi(800);
  QTest::qWait(1000);
  aux.ShowDpi(1600);  // a second press keeps it up for two more seconds
  QTest::qWait(1500);
  EXPECT_TRUE(dpi->isVisible());
  ASSERT_TRUE(WaitUntil([&] { return !dpi->isVisible(); }, 3000));
  EXPECT_GE(clock.elapsed(), 2900);

  aux.ShowDpi(400);
  auto* close = dpi->GetControl<DUI::CImageButton>(DPIMsgDlg::kClose);
  ASSERT_NE(close, nullptr);
  EXPECT_EQ(close->GetTooltip(), DialogText(5));
  QTest::mouseClick(close, Qt::LeftButton);
  EXPECT_FALSE(dpi->isVisible());
}

TEST(About, ShowsFirmwareAndSoftwareVersionsAndCloses) {
  EXPECT_EQ(AboutDlg::FirmwareLine(0x105), DialogText(16) + QStringLiteral(": v1.05"));
  EXPECT_EQ(AboutDlg::FirmwareLine(0x2a7), DialogText(16) + QStringLiteral(": v2.a7"));
  // Below 0x100 the leading zeros stay: never "v5.5".
  EXPECT_EQ(AboutDlg::FirmwareLine(0x5), DialogText(16) + QStringLiteral(": v0.05"));

  TestHost host;
  host.show();
  AboutDlg dlg(0x105, "1.0.0");
  ASSERT_TRUE(dlg.Create(&host));
  EXPECT_EQ(dlg.GetTitle(), QStringLiteral("About Window"));
  EXPECT_EQ(dlg.SoftwareText(), DialogText(17) + QStringLiteral(": v1.0.0"));
  QTimer::singleShot(50, [&dlg] {
    QTest::mouseClick(dlg.GetControl<DUI::CImageButton>(AboutDlg::kClose), Qt::LeftButton);
  });
  EXPECT_EQ(dlg.ShowModal(), 1);
}

TEST(TransientDialogs, TextsFitInEveryLanguage) {
  TestHost host;
  for (int lcid : kShippedLanguages) {
    UseLanguage(lcid);
    SaveWaitDlg save;
    save.Create(&host);
    UpdateTipDlg update;
    update.Create(&host);
    update.ShowUpdateProgress(DialogText(592), 100);
    AboutDlg about(0x105, "1.0.0");
    about.Create(&host);
    DPIMsgDlg dpi;
    dpi.Create(nullptr);
    dpi.ShowDpi(26000);
    for (DUI::MWindow* w : std::initializer_list<DUI::MWindow*>{&save, &update, &about, &dpi}) {
      w->show();
      // The update window's warning wraps; its status line shares the id.
      const QStringList cut = CutTexts(w, 0, {UpdateTipDlg::kWarning});
      EXPECT_TRUE(cut.isEmpty()) << w->GetTitle().toStdString() << ": " << cut.join(", ").toStdString();
      w->hide();
    }
    const QFontMetrics metrics(DUI::MStyle::Font(14, true));
    EXPECT_LE(metrics.horizontalAdvance(update.StatusText()), UpdateTipDlg::kWidth - 40);
    EXPECT_LE(metrics.boundingRect(QRect(0, 0, UpdateTipDlg::kWidth - 40, 500), Qt::TextWordWrap,
                                   update.WarningText()).height(), 50);
    // The saved text fits too.
    save.show();
    ASSERT_TRUE(WaitUntil([&] { return save.Ticks() >= 11; }));
    EXPECT_TRUE(CutTexts(&save, 0).isEmpty());
  }
  SetCurrentLanguage(1033);
}

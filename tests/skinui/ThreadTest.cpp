#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMutex>
#include <QSet>
#include <atomic>
#include <thread>

#include "TestWindow.h"
#include "skinui/BatteryCtrl.h"
#include "skinui/CDeviceList.h"
#include "skinui/CDeviceState.h"
#include "skinui/CRadioButton.h"
#include "skinui/DPIControl.h"
#include "skinui/DPISlider.h"
#include "skinui/Events.h"
#include "skinui/MComboBox.h"
#include "skinui/MEdit.h"
#include "skinui/MProgress.h"
#include "skinui/MText.h"
#include "skinui/Manager.h"

using namespace DUI;

namespace {

// Records the thread every widget event of interest is handled on.
class ThreadProbe : public QObject {
 public:
  QMutex mutex;
  int total = 0;
  int offGui = 0;
  QSet<int> types;

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override {
    static const QSet<QEvent::Type> watchedTypes = {QEvent::Show, QEvent::Hide, QEvent::EnabledChange,
                                                    QEvent::Move, QEvent::Resize, QEvent::ToolTipChange,
                                                    QEvent::Paint, QEvent::UpdateRequest};
    if (watchedTypes.contains(e->type())) {
      QMutexLocker lock(&mutex);
      ++total;
      types.insert(e->type());
      if (QThread::currentThread() != qApp->thread()) ++offGui;
    }
    return QObject::eventFilter(watched, e);
  }
};

// Collects warnings Qt prints when an object is used from a wrong thread.
QMutex gWarningsMutex;
QStringList gThreadWarnings;
void CollectThreadWarnings(QtMsgType, const QMessageLogContext&, const QString& text) {
  if (!text.contains(QStringLiteral("thread"), Qt::CaseInsensitive)) return;
  QMutexLocker lock(&gWarningsMutex);
  gThreadWarnings.append(text);
}

}  // namespace

TEST(WorkerThreadSetters, LandOnTheGuiThreadAndAreReadableAtOnce) {
  TestWindow w;
  auto* text = w.CreateControl<MText>(240, QRect(10, 10, 200, 20));
  auto* battery = w.CreateControl<BatteryCtrl>(43, QRect(10, 40, 100, 24));
  auto* state = w.CreateControl<CDeviceState>(44, QRect(10, 70, 240, 30));
  auto* dpi = w.CreateControl<DPIControl>(113, QRect(10, 110, 600, 100));
  auto* slider = w.CreateControl<DPISlider>(114, QRect(10, 220, 600, 70));
  auto* progress = w.CreateControl<MProgress>(33, QRect(10, 300, 300, 10));
  auto* devices = w.CreateControl<CDeviceList>(56, QRect(10, 320, 700, 260));
  auto* count = w.CreateControl<MComboBox>(117, QRect(620, 10, 100, 30));
  auto* edit = w.CreateControl<MEdit>(184, QRect(620, 50, 100, 30));
  for (int n = 1; n <= 6; ++n) count->AddString(QString::number(n), n);
  for (int i = 0; i < 6; ++i) dpi->AddItem(400 * (i + 1), 0x0000FF);
  devices->AddDevice(QStringLiteral("K3"), 1002, QStringLiteral("device/korvex_k3.png"));
  edit->SetVisible(false);
  ShowAndWait(&w);

  ThreadProbe probe;
  for (QWidget* c : std::initializer_list<QWidget*>{text, battery, state, dpi, slider, progress, devices, count, edit})
    c->installEventFilter(&probe);
  gThreadWarnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(CollectThreadWarnings);

  std::thread worker([&] {
    text->SetTitle(QStringLiteral("Mouse firmware: v1.05"));
    text->SetRect(20, 12, 260, 34);
    text->SetTooltip(QStringLiteral("tip"));
    battery->SetBatteryInfo(55, 1);
    state->SetTitle(QStringLiteral("Connected by cable"));
    state->SetMode(CDeviceState::kWired);
    dpi->SetSelectItem(2);
    dpi->SetDPIValue(2, 3200);
    slider->SetDPIDesc(QStringLiteral("26000"), QStringLiteral("50"));
    slider->SetMaxProgress(520);
    slider->SetProgress(64);
    progress->SetProgress(40);
    devices->SetAllDeviceState(0);
    devices->SetDeviceState(1002, 1, 1);
    devices->SetDeviceBattery(1002, 0, 80);
    count->SetCurData(3);
    count->SetEnabled(false);
    edit->SetVisible(true);
    edit->SetTitle(QStringLiteral("A"));
    // The worker reads back what it set without waiting for the GUI thread.
    EXPECT_EQ(text->GetTitle(), QStringLiteral("Mouse firmware: v1.05"));
    EXPECT_EQ(dpi->GetSelectItem(), 2);
    EXPECT_EQ(dpi->GetDPIValue(2), 3200);
    EXPECT_EQ(slider->GetProgress(), 64);
    EXPECT_EQ(devices->GetOnlineDevCount(), 1);
    EXPECT_EQ(count->GetCurData(), 3);
    EXPECT_EQ(edit->GetTitle(), QStringLiteral("A"));
  });
  worker.join();
  EXPECT_TRUE(WaitFor([&] { return text->geometry() == QRect(20, 12, 240, 22) && edit->isVisible() && !count->isEnabled(); }));
  QTest::qWait(50);
  qInstallMessageHandler(previous);

  EXPECT_EQ(text->toolTip(), QStringLiteral("tip"));
  EXPECT_EQ(battery->GetLevel(), 55);
  EXPECT_TRUE(battery->IsCharging());
  EXPECT_EQ(state->GetMode(), CDeviceState::kWired);
  EXPECT_EQ(slider->GetMaxText(), QStringLiteral("26000"));
  EXPECT_EQ(edit->GetEditor()->text(), QStringLiteral("A"));
  QMutexLocker lock(&probe.mutex);
  EXPECT_GT(probe.total, 10);
  EXPECT_TRUE(probe.types.contains(QEvent::Paint));
  EXPECT_TRUE(probe.types.contains(QEvent::Move));
  EXPECT_EQ(probe.offGui, 0);
  EXPECT_TRUE(gThreadWarnings.isEmpty()) << qPrintable(gThreadWarnings.join('\n'));
}

TEST(WorkerThreadSetters, RadioGroupsStayExclusiveWhenSetFromAnotherThread) {
  TestWindow w;
  auto* hide = w.CreateControl<CRadioButton>(283, QRect(0, 0, 100, 20));
  auto* exit = w.CreateControl<CRadioButton>(284, QRect(0, 30, 100, 20));
  auto* other = w.CreateControl<CRadioButton>(126, QRect(0, 60, 100, 20));
  hide->SetGroup(QStringLiteral("IDC_SET_STC_EXITMODE"));
  exit->SetGroup(QStringLiteral("IDC_SET_STC_EXITMODE"));
  other->SetGroup(QStringLiteral("IDC_PER_STC_LOD"));
  other->SetCheck(true);
  hide->SetCheck(true);
  std::thread worker([&] {
    exit->SetCheck(true);
    EXPECT_FALSE(hide->GetCheck());
    EXPECT_TRUE(exit->GetCheck());
  });
  worker.join();
  EXPECT_TRUE(other->GetCheck());  // another group is untouched

  // A click checks the clicked one and reports it.
  ShowAndWait(&w);
  QTest::mouseClick(hide, Qt::LeftButton);
  EXPECT_TRUE(hide->GetCheck());
  EXPECT_FALSE(exit->GetCheck());
  ASSERT_EQ(w.notes.size(), 1);
  EXPECT_EQ(w.notes[0].id, 283);
  EXPECT_EQ(w.notes[0].param, 1);
}

TEST(WorkerThreadSetters, TimersAndWindowStateCanBeDrivenFromTheWorker) {
  TestWindow w;
  ShowAndWait(&w);
  gThreadWarnings.clear();
  const QtMessageHandler previous = qInstallMessageHandler(CollectThreadWarnings);
  std::thread worker([&] {
    w.SetTimer(100, 2);
    w.ShowWindow(kShowHide);
    w.PostMessage(1692, 2, 1);
  });
  worker.join();
  EXPECT_TRUE(WaitFor([&] { return w.timers.count(100) >= 2 && !w.isVisible() && !w.messages.isEmpty(); }));
  qInstallMessageHandler(previous);
  w.KillTimer(100);
  EXPECT_EQ(w.messages.first().message, 1692);
  EXPECT_EQ(w.messages.first().wParam, 2);
  EXPECT_TRUE(gThreadWarnings.isEmpty()) << qPrintable(gThreadWarnings.join('\n'));
}

TEST(WorkerThreadSetters, ManyWritesWhilePaintingKeepTheLastValue) {
  TestWindow w;
  auto* progress = w.CreateControl<MProgress>(32, QRect(0, 0, 300, 12));
  auto* battery = w.CreateControl<BatteryCtrl>(43, QRect(0, 20, 100, 24));
  progress->SetMaxProgress(12000);
  ShowAndWait(&w);
  std::atomic<bool> done{false};
  std::thread worker([&] {
    for (int i = 0; i <= 2000; ++i) {
      progress->SetProgress(i * 7);
      battery->SetBatteryInfo(i % 101, i % 2);
    }
    done = true;
  });
  while (!done) {
    w.grab();  // paints on the GUI thread meanwhile
    QCoreApplication::processEvents();
  }
  worker.join();
  EXPECT_EQ(progress->GetProgress(), 12000);  // 14000 clamped to the maximum
  EXPECT_EQ(battery->GetLevel(), 2000 % 101);
  EXPECT_FALSE(battery->IsCharging());
}

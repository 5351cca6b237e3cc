#pragma once
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QTest>
#include <QThread>
#include <functional>

#include "skinui/MDialog.h"
#include "skinui/MControl.h"

// A dialog that records what reaches its hooks, for the tests.
class TestWindow : public DUI::MDialog {
 public:
  struct Note {
    int id;
    int event;
    intptr_t param;
    DUI::MControl* source;
    bool onGuiThread;
  };
  struct Message {
    int message;
    intptr_t wParam;
    intptr_t lParam;
  };

  explicit TestWindow(const QString& title = QStringLiteral("TestWindow"), DUI::MWindow* owner = nullptr,
                      unsigned style = 0) {
    Create(owner, title, style, QRect(100, 100, 800, 600));
  }

  QList<Note> notes;
  QList<Message> messages;
  QList<int> timers;
  int ticks = 0;
  int inits = 0;
  std::function<void(int)> onTimer;

  void Clear() { notes.clear(); }

 protected:
  void OnNotify(int id, int event, intptr_t param, DUI::MControl* source) override {
    notes.append({id, event, param, source, QThread::currentThread() == qApp->thread()});
  }
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override {
    messages.append({message, wParam, lParam});
    return MDialog::OnWindowMessage(message, wParam, lParam);
  }
  void OnTimer(int id) override {
    timers.append(id);
    if (onTimer) onTimer(id);
  }
  void OnMTimer() override { ++ticks; }
  bool OnInitDialog() override {
    ++inits;
    return true;
  }
};

// Runs the event loop until `done` holds or the time is up.
inline bool WaitFor(const std::function<bool()>& done, int milliseconds = 3000) {
  QElapsedTimer timer;
  timer.start();
  while (!done()) {
    if (timer.elapsed() > milliseconds) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(1);
  }
  return true;
}

// Shows a window and lets the platform settle.
inline void ShowAndWait(QWidget* w) {
  w->show();
  QCoreApplication::processEvents();
  QTest::qWait(20);
}

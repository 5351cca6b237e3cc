#pragma once
#include <QCoreApplication>
#include <QMetaObject>
#include <QObject>
#include <QThread>
#include <utility>

namespace DUI {

// Widgets may only be touched by the thread that runs the Qt event loop.
// Every setter of the library funnels its widget work through Run, so the
// worker thread can call it directly: on the GUI thread the work runs at once,
// from any other thread it is queued to the GUI thread and runs there later,
// in call order. Work queued for an object that is destroyed first is dropped.
class GuiThread {
 public:
  static bool IsCurrent();

  template <class F>
  static void Run(QObject* context, F&& work) {
    if (IsCurrent()) {
      work();
      return;
    }
    QMetaObject::invokeMethod(context, std::forward<F>(work), Qt::QueuedConnection);
  }

  // Always queued, even on the GUI thread: used where the work must not run
  // inside the caller's stack (ending a modal run from its own handler).
  template <class F>
  static void Post(QObject* context, F&& work) {
    QMetaObject::invokeMethod(context, std::forward<F>(work), Qt::QueuedConnection);
  }
};

}  // namespace DUI

#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a service manager, Ctrl+C in the
// terminal that started the program) end the program in order: the
// handler only writes to a pipe, and the GUI thread reacts to it.

#include <QObject>
#include <functional>

class QSocketNotifier;

namespace korvex {

class TerminationSignals : public QObject {
  Q_OBJECT

 public:
  // `onSignal` runs on the GUI thread after a signal arrived.
  explicit TerminationSignals(std::function<void()> onSignal);
  ~TerminationSignals() override;

 private:
  std::function<void()> onSignal_;
  QSocketNotifier* notifier_ = nullptr;
};

}  // namespace korvex

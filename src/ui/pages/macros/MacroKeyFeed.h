#pragma once
// Keys for the macro recorder and the key fields of the macro page. Keys
// are taken only from events our own window receives while it has the
// focus: reading other windows' keystrokes would need the input devices
// themselves and would make the program a key logger.

#include <QObject>
#include <functional>
#include <string>

class QKeyEvent;
class QWidget;

namespace korvex {

struct CapturedKey {
  bool released = false;
  int keyCode = 0;
  std::string name;
};

// The key code and name of a key event from the physical key behind it
// (the key decoder of the capture fields); false when the key has no code
// or no name.
bool DecodeCapturedKey(const QKeyEvent& event, CapturedKey& out);

// The recorder's capture: while armed, every key press and release that
// reaches a widget of `window` goes to the sink instead, whichever control
// of the window has the focus (during a recording every control but the
// record button is disabled). Auto-repeats are dropped: a held key is one
// press and one release.
class MacroKeyFeed : public QObject {
  Q_OBJECT

 public:
  MacroKeyFeed(QWidget* window, std::function<void(const CapturedKey&)> sink);
  ~MacroKeyFeed() override;

  void Arm();
  void Disarm();
  bool Armed() const { return armed_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  QWidget* window_;
  std::function<void(const CapturedKey&)> sink_;
  bool armed_ = false;
};

}  // namespace korvex

#pragma once
#include <QObject>
#include <QString>

#include "buttons/KeyDecoder.h"

class QKeyEvent;
class QWidget;

namespace korvex {

// Decodes a Qt key event into a KeyEvent from the physical key behind it
// (the native scan code of X11 and Wayland is the evdev code plus 8). An
// event without a native scan code (no physical key) gives an empty name.
KeyEvent KeyEventFromQt(const QKeyEvent& event);

// Feeds a capture field: while the field has the keyboard focus every key
// press and release reaching it is decoded and handed out by keyDecoded,
// and is consumed so Tab, Enter or Esc do not move focus or close dialogs.
// Keys are only read while this program's own window has the focus: there
// is no global hook, which would need root access to the input devices and
// would read what the user types into other programs.
class KeyCapture : public QObject {
  Q_OBJECT
 public:
  explicit KeyCapture(QWidget* field);

  bool armed() const { return armed_; }
  // Key repeats of a held key; delivered unless turned off.
  void setIgnoreAutoRepeat(bool ignore) { ignoreAutoRepeat_ = ignore; }

 signals:
  void armedChanged(bool armed);
  void keyDecoded(const korvex::KeyEvent& event);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void setArmed(bool armed);

  QWidget* field_;
  bool armed_ = false;
  bool ignoreAutoRepeat_ = false;
};

}  // namespace korvex

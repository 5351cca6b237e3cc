#include "ui/keys/KeyCapture.h"

#include <QHash>
#include <QKeyEvent>
#include <QWidget>

namespace korvex {
namespace {

constexpr int kEvdevOffset = 8;

// Unmodified text last seen for each physical key. Qt hands out the text a
// key produces with the modifiers held (Shift+1 gives "!", Ctrl+A a control
// character), so a key pressed with modifiers is named by what it gave
// alone earlier. Touched on the interface thread only.
QHash<int, QString>& UnmodifiedTexts() {
  static QHash<int, QString> texts;
  return texts;
}

QString LayoutText(const QKeyEvent& event, int evdev) {
  const Qt::KeyboardModifiers held =
      event.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier |
                           Qt::MetaModifier | Qt::GroupSwitchModifier);
  const QString text = event.text();
  if (held == Qt::NoModifier) {
    if (!text.isEmpty() && text.at(0).isPrint()) UnmodifiedTexts().insert(evdev, text);
    return text;
  }
  const auto seen = UnmodifiedTexts().constFind(evdev);
  if (seen != UnmodifiedTexts().constEnd()) return *seen;
  // Letters and digits: Qt's key is the layout's own, whatever the case.
  const int key = event.key();
  if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) {
    return QString(QChar(key));
  }
  return QString();  // the decoder falls back to the US position's character
}

}  // namespace

KeyEvent KeyEventFromQt(const QKeyEvent& event) {
  const int scan = static_cast<int>(event.nativeScanCode());
  const bool released = event.type() == QEvent::KeyRelease;
  if (scan <= kEvdevOffset) {
    KeyEvent none;
    none.kind = 2;
    none.released = released ? 1 : 0;
    return none;
  }
  const int evdev = scan - kEvdevOffset;
  const QString text = LayoutText(event, evdev).toUpper();
  return DecodeKeyEvent(evdev, released, text.toStdString());
}

KeyCapture::KeyCapture(QWidget* field) : QObject(field), field_(field) {
  field_->installEventFilter(this);
  if (field_->hasFocus()) armed_ = true;
}

void KeyCapture::setArmed(bool armed) {
  if (armed_ == armed) return;
  armed_ = armed;
  emit armedChanged(armed);
}

bool KeyCapture::eventFilter(QObject* watched, QEvent* event) {
  if (watched != field_) return false;
  switch (event->type()) {
    case QEvent::FocusIn:
      setArmed(true);
      return false;
    case QEvent::FocusOut:
    case QEvent::Hide:
      setArmed(false);
      return false;
    case QEvent::ShortcutOverride:
      // Claim every key so window shortcuts do not fire while capturing.
      if (armed_) event->accept();
      return false;
    case QEvent::KeyPress:
    case QEvent::KeyRelease: {
      if (!armed_) return false;
      auto* key = static_cast<QKeyEvent*>(event);
      if (!(ignoreAutoRepeat_ && key->isAutoRepeat())) emit keyDecoded(KeyEventFromQt(*key));
      return true;
    }
    default:
      return false;
  }
}

}  // namespace korvex

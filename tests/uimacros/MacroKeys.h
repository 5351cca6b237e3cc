#pragma once
// Synthesized key and mouse events as the window system delivers them: key
// events carry the X11 key code (evdev code + 8) the decoder reads.
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>

namespace korvex::test {

inline constexpr int kEvdevA = 30;
inline constexpr int kEvdevB = 48;
inline constexpr int kEvdevLeftShift = 42;

inline void SendKey(QWidget* target, bool release, int qtKey, int evdev, const QString& text = QString(),
                    bool repeat = false) {
  QKeyEvent e(release ? QEvent::KeyRelease : QEvent::KeyPress, qtKey, Qt::NoModifier,
              static_cast<quint32>(evdev + 8), 0, 0, text, repeat);
  QApplication::sendEvent(target, &e);
}

inline void SendMouse(QWidget* target, bool release, Qt::MouseButton button) {
  const QPointF local(target->width() / 2.0, target->height() / 2.0);
  QMouseEvent e(release ? QEvent::MouseButtonRelease : QEvent::MouseButtonPress, local,
                target->mapToGlobal(local), button, release ? Qt::NoButton : button, Qt::NoModifier);
  QApplication::sendEvent(target, &e);
}

inline void SendFocus(QWidget* target, bool in) {
  QFocusEvent e(in ? QEvent::FocusIn : QEvent::FocusOut, Qt::OtherFocusReason);
  QApplication::sendEvent(target, &e);
}

}  // namespace korvex::test

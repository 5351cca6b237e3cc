#include "ui/pages/macros/MacroKeyFeed.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

#include "ui/keys/KeyCapture.h"

namespace korvex {

bool DecodeCapturedKey(const QKeyEvent& event, CapturedKey& out) {
  const KeyEvent key = KeyEventFromQt(event);
  if (key.keyCode == 0 || key.name.empty()) return false;
  out.released = key.released != 0;
  out.keyCode = key.keyCode;
  out.name = key.name;
  return true;
}

MacroKeyFeed::MacroKeyFeed(QWidget* window, std::function<void(const CapturedKey&)> sink)
    : window_(window), sink_(std::move(sink)) {}

MacroKeyFeed::~MacroKeyFeed() { Disarm(); }

void MacroKeyFeed::Arm() {
  if (armed_) return;
  armed_ = true;
  qApp->installEventFilter(this);
}

void MacroKeyFeed::Disarm() {
  if (!armed_) return;
  armed_ = false;
  qApp->removeEventFilter(this);
}

bool MacroKeyFeed::eventFilter(QObject* watched, QEvent* e) {
  const QEvent::Type type = e->type();
  if (type != QEvent::KeyPress && type != QEvent::KeyRelease && type != QEvent::ShortcutOverride)
    return QObject::eventFilter(watched, e);
  auto* widget = qobject_cast<QWidget*>(watched);
  if (widget == nullptr || widget->window() != window_) return QObject::eventFilter(watched, e);
  if (type == QEvent::ShortcutOverride) {
    e->accept();  // every key comes to the recorder, shortcuts included
    return true;
  }
  const auto* key = static_cast<QKeyEvent*>(e);
  if (key->isAutoRepeat()) return true;
  CapturedKey captured;
  if (DecodeCapturedKey(*key, captured) && sink_) sink_(captured);
  return true;
}

}  // namespace korvex

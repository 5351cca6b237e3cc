#include "skinui/MControl.h"

#include <QEnterEvent>

#include "skinui/MWindow.h"

namespace DUI {

MControl::MControl(QWidget* parent, int id) : QWidget(parent), id_(id) {
  setAttribute(Qt::WA_Hover, true);
}

MWindow* MControl::GetWindow() const {
  for (QWidget* w = parentWidget(); w != nullptr; w = w->parentWidget())
    if (auto* window = qobject_cast<MWindow*>(w)) return window;
  return nullptr;
}

void MControl::SetRect(const QRect& rect) {
  OnGui([this, rect] { setGeometry(rect); });
}

void MControl::SetRect(int left, int top, int right, int bottom) {
  SetRect(QRect(left, top, std::max(0, right - left), std::max(0, bottom - top)));
}

QRect MControl::GetRect() const { return geometry(); }

void MControl::SetVisible(bool visible) {
  OnGui([this, visible] { setVisible(visible); });
}

bool MControl::IsVisible() const { return !isHidden(); }

void MControl::SetEnabled(bool enabled) {
  OnGui([this, enabled] { setEnabled(enabled); });
}

bool MControl::IsEnabled() const { return isEnabled(); }

void MControl::SetTooltip(const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    tooltip_ = text;
  }
  OnGui([this, text] { setToolTip(text); });
}

QString MControl::GetTooltip() const {
  QMutexLocker lock(&mutex_);
  return tooltip_;
}

void MControl::OnSkinChanged() { update(); }

void MControl::Notify(int event, intptr_t param) {
  if (MWindow* window = GetWindow()) window->DispatchNotify(id_, event, param, this);
}

void MControl::Refresh() {
  QMetaObject::invokeMethod(this, qOverload<>(&QWidget::update), Qt::AutoConnection);
}

void MControl::enterEvent(QEnterEvent* e) {
  hovered_ = true;
  update();
  QWidget::enterEvent(e);
}

void MControl::leaveEvent(QEvent* e) {
  hovered_ = false;
  update();
  QWidget::leaveEvent(e);
}

}  // namespace DUI

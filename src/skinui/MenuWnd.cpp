#include "skinui/MenuWnd.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kItemH = 34;
constexpr int kSeparatorH = 9;
constexpr int kPad = 6;

}  // namespace

MenuWnd::MenuWnd() { setMouseTracking(true); }

void MenuWnd::AddItem(int id, const QString& text, bool enabled) { items_.append({id, text, enabled}); }

void MenuWnd::AddSeparator() { items_.append({0, QString(), false}); }

void MenuWnd::RemoveAllItems() {
  items_.clear();
  hover_ = -1;
}

int MenuWnd::GetItemCount() const { return int(items_.size()); }

QRect MenuWnd::GetItemRect(int index) const {
  if (index < 0 || index >= items_.size()) return QRect();
  int y = kPad;
  for (int i = 0; i < index; ++i) y += items_[i].id == 0 ? kSeparatorH : kItemH;
  return QRect(kPad, y, width() - 2 * kPad, items_[index].id == 0 ? kSeparatorH : kItemH);
}

QSize MenuWnd::MenuSize() const {
  const QFontMetrics fm(MStyle::Font(MStyle::kFontSize));
  int w = 160;
  int h = 2 * kPad;
  for (const Item& item : items_) {
    w = std::max(w, fm.horizontalAdvance(item.text) + 48);
    h += item.id == 0 ? kSeparatorH : kItemH;
  }
  return QSize(w, h);
}

int MenuWnd::TrackPopupMenu(const QPoint& globalPos, MWindow* owner) {
  if (items_.isEmpty()) return 0;
  const QSize size = MenuSize();
  QRect r(globalPos, size);
  if (QScreen* screen = QGuiApplication::screenAt(globalPos)) {
    const QRect area = screen->availableGeometry();
    if (r.right() > area.right()) r.moveRight(globalPos.x());
    if (r.bottom() > area.bottom()) r.moveBottom(globalPos.y());
  }
  if (!IsCreated())
    Create(owner, QString::fromLatin1(kTitle), kStylePopup | kStyleTopMost, r);
  else
    setGeometry(r);
  SetBkColor(MStyle::Panel(), MStyle::Border());
  hover_ = -1;
  const int result = ShowModal(kShow);
  return result < 0 ? 0 : result;
}

bool MenuWnd::OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) {
  if (message == kMsgClose) {
    EndModal(0);
    return true;
  }
  return MWindow::OnWindowMessage(message, wParam, lParam);
}

void MenuWnd::hideEvent(QHideEvent* e) {
  MWindow::hideEvent(e);
  if (IsModal()) EndModal(0);
}

void MenuWnd::paintEvent(QPaintEvent* e) {
  MWindow::paintEvent(e);
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(MStyle::Font(MStyle::kFontSize));
  for (int i = 0; i < items_.size(); ++i) {
    const QRect r = GetItemRect(i);
    if (items_[i].id == 0) {
      p.setPen(MStyle::Border());
      p.drawLine(r.left() + 8, r.center().y(), r.right() - 8, r.center().y());
      continue;
    }
    if (i == hover_ && items_[i].enabled) {
      MRender::DrawPanel(p, QRectF(r), 5, MStyle::AccentSoft(), Qt::transparent);
      p.setPen(Qt::NoPen);
      p.setBrush(MStyle::Accent());
      p.drawRoundedRect(QRectF(r.left(), r.top() + 8, 3, r.height() - 16), 1.5, 1.5);
    }
    p.setPen(items_[i].enabled ? MStyle::Text() : MStyle::TextDisabled());
    p.drawText(r.adjusted(16, 0, -12, 0), Qt::AlignLeft | Qt::AlignVCenter, items_[i].text);
  }
}

int MenuWnd::IndexAt(const QPoint& pos) const {
  for (int i = 0; i < items_.size(); ++i)
    if (GetItemRect(i).contains(pos)) return i;
  return -1;
}

void MenuWnd::mouseMoveEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    update();
  }
}

void MenuWnd::mouseReleaseEvent(QMouseEvent* e) {
  if (!rect().contains(e->position().toPoint())) {
    EndModal(0);
    return;
  }
  Choose(IndexAt(e->position().toPoint()));
}

void MenuWnd::Choose(int index) {
  if (index < 0 || index >= items_.size()) return;
  const Item& item = items_[index];
  if (item.id == 0 || !item.enabled) return;
  EndModal(item.id);
}

void MenuWnd::MoveHover(int step) {
  for (int n = 0; n < items_.size(); ++n) {
    hover_ = (hover_ + step + int(items_.size())) % int(items_.size());
    if (items_[hover_].id != 0 && items_[hover_].enabled) break;
  }
  update();
}

void MenuWnd::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Escape:
      EndModal(0);
      break;
    case Qt::Key_Up:
      MoveHover(-1);
      break;
    case Qt::Key_Down:
      MoveHover(1);
      break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
      Choose(hover_);
      break;
    default:
      MWindow::keyPressEvent(e);
  }
}

}  // namespace DUI

#include "skinui/MTabCtrl.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

QPixmap Tinted(const QPixmap& icon, const QColor& colour) {
  QPixmap out = icon;
  QPainter p(&out);
  p.setCompositionMode(QPainter::CompositionMode_SourceIn);
  p.fillRect(out.rect(), colour);
  return out;
}

}  // namespace

MTabCtrl::MTabCtrl(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  SetFontSize(15);
}

void MTabCtrl::InsertItem(int itemId, const QString& text, const QString& icon, QWidget* page) {
  {
    QMutexLocker lock(&mutex_);
    items_.append({itemId, text, icon, page, true});
  }
  ShowPages();
  Refresh();
}

void MTabCtrl::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = previous_ = 0;
  }
  Refresh();
}

int MTabCtrl::GetItemCount() const {
  QMutexLocker lock(&mutex_);
  return int(std::count_if(items_.begin(), items_.end(), [](const Item& i) { return i.visible; }));
}

void MTabCtrl::SetSelectItem(int itemId) {
  {
    QMutexLocker lock(&mutex_);
    if (itemId != selected_) {
      previous_ = selected_;
      selected_ = itemId;
    }
  }
  ShowPages();
  Refresh();
}

int MTabCtrl::GetSelectItem() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

int MTabCtrl::GetPrevSelectItem() const {
  QMutexLocker lock(&mutex_);
  return previous_;
}

void MTabCtrl::SetItemText(int itemId, const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    for (Item& item : items_)
      if (item.id == itemId) item.text = text;
  }
  Refresh();
}

QString MTabCtrl::GetItemText(int itemId) const {
  QMutexLocker lock(&mutex_);
  for (const Item& item : items_)
    if (item.id == itemId) return item.text;
  return QString();
}

void MTabCtrl::SetItemVisible(int itemId, bool visible) {
  {
    QMutexLocker lock(&mutex_);
    for (Item& item : items_)
      if (item.id == itemId) item.visible = visible;
  }
  Refresh();
}

void MTabCtrl::SetItemHeight(int pixels) {
  {
    QMutexLocker lock(&mutex_);
    itemHeight_ = std::max(24, pixels);
  }
  Refresh();
}

void MTabCtrl::SetImage(const QString& selectedBackground) {
  {
    QMutexLocker lock(&mutex_);
    image_ = selectedBackground;
  }
  Refresh();
}

QRect MTabCtrl::GetItemRect(int itemId) const {
  QMutexLocker lock(&mutex_);
  int y = 0;
  for (const Item& item : items_) {
    if (!item.visible) continue;
    if (item.id == itemId) return QRect(0, y, width(), itemHeight_);
    y += itemHeight_;
  }
  return QRect();
}

int MTabCtrl::ItemAt(const QPoint& pos) const {
  QMutexLocker lock(&mutex_);
  for (const Item& item : items_)
    if (item.visible && GetItemRect(item.id).contains(pos)) return item.id;
  return 0;
}

void MTabCtrl::ShowPages() {
  OnGui([this] {
    QVector<QPair<QPointer<QWidget>, bool>> pages;
    {
      QMutexLocker lock(&mutex_);
      for (const Item& item : items_) pages.append({item.page, item.id == selected_});
    }
    // Hide first, so two pages never show at once.
    for (const auto& [page, shown] : pages)
      if (page && !shown) page->hide();
    for (const auto& [page, shown] : pages)
      if (page && shown) page->show();
  });
}

void MTabCtrl::UserSelect(int itemId) {
  SetSelectItem(itemId);
  update();
  Notify(kEventClick, itemId);
}

void MTabCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QMutexLocker lock(&mutex_);
  const QPixmap selectedBk = MRender::LoadImage(image_);
  const QFont font = TitleFont();
  for (const Item& item : items_) {
    if (!item.visible) continue;
    const QRect r = GetItemRect(item.id);
    const bool selected = item.id == selected_;
    const bool hover = item.id == hover_ && isEnabled();
    if (selected) {
      if (!selectedBk.isNull()) {
        MRender::DrawImage(p, selectedBk, r);
      } else {
        QLinearGradient g(r.topLeft(), r.topRight());
        QColor a = MStyle::Accent();
        a.setAlpha(70);
        g.setColorAt(0, a);
        g.setColorAt(1, QColor(0, 0, 0, 0));
        p.fillRect(r, g);
      }
      p.setPen(Qt::NoPen);
      p.setBrush(MStyle::Accent());
      p.drawRoundedRect(QRectF(r.left(), r.top() + 12, 4, r.height() - 24), 2, 2);
    } else if (hover) {
      p.fillRect(r, QColor(255, 255, 255, 10));
    }
    const QColor colour = !isEnabled() ? MStyle::TextDisabled()
                          : selected   ? MStyle::Text()
                          : hover      ? MStyle::Text().darker(110)
                                       : MStyle::TextDim();
    const QPixmap icon = MRender::LoadImage(item.icon);
    if (!icon.isNull())
      MRender::DrawFitted(p, Tinted(icon, selected && isEnabled() ? MStyle::Accent() : colour),
                          QRect(r.left() + 28, r.center().y() - 11, 22, 22));
    p.setFont(font);
    p.setPen(colour);
    p.drawText(r.adjusted(64, 0, -8, 0), Qt::AlignLeft | Qt::AlignVCenter,
               QFontMetrics(font).elidedText(item.text, Qt::ElideRight, r.width() - 72));
  }
}

void MTabCtrl::mouseMoveEvent(QMouseEvent* e) {
  const int itemId = ItemAt(e->position().toPoint());
  if (itemId != hover_) {
    hover_ = itemId;
    setCursor(itemId != 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
}

void MTabCtrl::leaveEvent(QEvent* e) {
  hover_ = 0;
  update();
  MControlFont::leaveEvent(e);
}

void MTabCtrl::mousePressEvent(QMouseEvent* e) {
  const int itemId = ItemAt(e->position().toPoint());
  if (e->button() != Qt::LeftButton || itemId == 0) {
    e->ignore();
    return;
  }
  UserSelect(itemId);
}

void MTabCtrl::keyPressEvent(QKeyEvent* e) {
  if (e->key() != Qt::Key_Up && e->key() != Qt::Key_Down) return MControlFont::keyPressEvent(e);
  QVector<int> ids;
  {
    QMutexLocker lock(&mutex_);
    for (const Item& item : items_)
      if (item.visible) ids.append(item.id);
  }
  const int at = int(ids.indexOf(GetSelectItem()));
  const int next = std::clamp(at + (e->key() == Qt::Key_Up ? -1 : 1), 0, int(ids.size()) - 1);
  if (!ids.isEmpty() && next != at) UserSelect(ids[next]);
}

}  // namespace DUI

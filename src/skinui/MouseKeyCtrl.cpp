#include "skinui/MouseKeyCtrl.h"

#include <QFontMetrics>
#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {

MouseKeyCtrl::MouseKeyCtrl(QWidget* parent, int id) : MListBase(parent, id) { SetRowHeight(48); }

int MouseKeyCtrl::AddItem(const QString& name, const QString& desc, int keyValue) {
  int index;
  {
    QMutexLocker lock(&mutex_);
    items_.append({name, desc, keyValue});
    index = int(items_.size()) - 1;
  }
  Refresh();
  return index;
}

void MouseKeyCtrl::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
    ClampScroll();
  }
  Refresh();
}

int MouseKeyCtrl::GetItemKeyValue(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].keyValue : -1;
}

int MouseKeyCtrl::FindItemByKey(int keyValue) const {
  QMutexLocker lock(&mutex_);
  for (int i = 0; i < items_.size(); ++i)
    if (items_[i].keyValue == keyValue) return i;
  return -1;
}

void MouseKeyCtrl::SetItemName(int index, const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_[index].name = name;
  }
  Refresh();
}

QString MouseKeyCtrl::GetItemName(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].name : QString();
}

void MouseKeyCtrl::SetItemDesc(int index, const QString& desc) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_[index].desc = desc;
  }
  Refresh();
}

QString MouseKeyCtrl::GetItemDesc(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].desc : QString();
}

int MouseKeyCtrl::RowCount() const { return int(items_.size()); }

void MouseKeyCtrl::PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) {
  PaintRowBackground(p, r, selected, hover);
  const Item& item = items_[index];
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  // Number badge.
  const QRectF badge(r.left() + 16, r.center().y() - 12, 24, 24);
  p.setPen(QPen(selected ? MStyle::Accent() : MStyle::Border(), 1.5));
  p.setBrush(selected ? MStyle::AccentSoft() : Qt::transparent);
  p.drawEllipse(badge);
  p.setFont(MStyle::Font(12, true));
  p.setPen(selected ? MStyle::Accent() : MStyle::TextDim());
  p.drawText(badge, Qt::AlignCenter, QString::number(index + 1));

  // The description takes what it needs up to half the row; the name the rest.
  const int textLeft = r.left() + 52;
  const int textW = r.right() - 14 - textLeft;
  const QFont descFont = MStyle::Font(std::max(11, GetFontSize() - 1));
  const int descW = std::min(QFontMetrics(descFont).horizontalAdvance(item.desc) + 4, textW / 2);
  const int nameW = textW - descW - 10;
  p.setFont(TitleFont());
  p.setPen(isEnabled() ? MStyle::Text() : MStyle::TextDisabled());
  p.drawText(QRect(textLeft, r.top(), nameW, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
             QFontMetrics(p.font()).elidedText(item.name, Qt::ElideRight, nameW));
  p.setFont(descFont);
  p.setPen(selected ? MStyle::Accent() : MStyle::TextDim());
  const QRect descRect(textLeft + nameW + 10, r.top(), descW, r.height());
  p.drawText(descRect, Qt::AlignRight | Qt::AlignVCenter,
             QFontMetrics(descFont).elidedText(item.desc, Qt::ElideRight, descRect.width()));
  p.restore();
}

}  // namespace DUI

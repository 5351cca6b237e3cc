#include "skinui/CRecordList.h"

#include <QFontMetrics>
#include <algorithm>
#include <QPainter>

#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

CRecordList::CRecordList(QWidget* parent, int id) : MListBase(parent, id) { SetRowHeight(36); }

void CRecordList::SetItemImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    itemImage_ = name;
  }
  Refresh();
}

int CRecordList::AddItem(const RecordItem& item) { return InsertItem(-1, item); }

int CRecordList::InsertItem(int index, const RecordItem& item) {
  int at;
  {
    QMutexLocker lock(&mutex_);
    at = index < 0 || index > items_.size() ? int(items_.size()) : index;
    items_.insert(at, item);
    if (selected_ >= at) ++selected_;
  }
  Refresh();
  return at;
}

bool CRecordList::DeleteItem(int index) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return false;
    items_.remove(index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
    ClampScroll();
  }
  Refresh();
  return true;
}

void CRecordList::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
    ClampScroll();
  }
  Refresh();
}

bool CRecordList::SwapItem(int first, int second) {
  {
    QMutexLocker lock(&mutex_);
    if (first < 0 || second < 0 || first >= items_.size() || second >= items_.size()) return false;
    items_.swapItemsAt(first, second);
  }
  Refresh();
  return true;
}

int CRecordList::MoveToTop(int index) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return -1;
    items_.move(index, 0);
  }
  Refresh();
  return 0;
}

int CRecordList::MoveToBottom(int index) {
  int last;
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return -1;
    last = int(items_.size()) - 1;
    items_.move(index, last);
  }
  Refresh();
  return last;
}

bool CRecordList::GetItem(int index, RecordItem* item) const {
  QMutexLocker lock(&mutex_);
  if (index < 0 || index >= items_.size() || item == nullptr) return false;
  *item = items_[index];
  return true;
}

int CRecordList::GetItemTimestamp(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].timestamp : -1;
}

bool CRecordList::SetItem(int index, const RecordItem& item) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return false;
    items_[index] = item;
  }
  Refresh();
  return true;
}

bool CRecordList::SetItemByTimestamp(int timestamp, int type, const QString& text, int value) {
  {
    QMutexLocker lock(&mutex_);
    auto it = std::find_if(items_.begin(), items_.end(),
                           [&](const RecordItem& r) { return r.timestamp == timestamp && r.type == type; });
    if (it == items_.end()) return false;
    it->text = text;
    it->value = value;
  }
  Refresh();
  return true;
}

QVector<RecordItem> CRecordList::GetAllItems() const {
  QMutexLocker lock(&mutex_);
  return items_;
}

int CRecordList::GetEventCount() const {
  QMutexLocker lock(&mutex_);
  return int(std::count_if(items_.begin(), items_.end(), [](const RecordItem& r) { return r.type != 1; }));
}

int CRecordList::RowCount() const { return int(items_.size()); }

void CRecordList::PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) {
  PaintRowBackground(p, r, selected, hover);
  const RecordItem& item = items_[index];
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setFont(MStyle::Font(12));
  p.setPen(MStyle::TextDim());
  p.drawText(QRect(r.left() + 12, r.top(), 34, r.height()), Qt::AlignRight | Qt::AlignVCenter,
             QString::number(index + 1));
  // Type mark: amber for delays, accent for presses, dimmer for releases.
  QColor mark = item.type == 1 ? MStyle::Warning() : MStyle::Accent();
  if (item.type == 3 || item.type == 5) mark = mark.darker(150);
  const QPixmap icon = MRender::LoadImage(itemImage_);
  const QRect iconRect(r.left() + 56, r.center().y() - 8, 16, 16);
  if (!icon.isNull() && item.type != 1) {
    MRender::DrawFitted(p, icon, iconRect);
  } else {
    p.setPen(Qt::NoPen);
    p.setBrush(mark);
    p.drawEllipse(QRectF(iconRect).adjusted(4, 4, -4, -4));
  }
  p.setFont(TitleFont());
  p.setPen(item.type == 1 ? MStyle::TextDim() : (selected ? MStyle::Text() : MStyle::Text().darker(110)));
  // Delays stand in the value column, between the events they separate.
  const int valueWidth = std::min(140, r.width() / 3);
  const QRect textRect = item.type == 1 ? QRect(r.right() - valueWidth - 12, r.top(), valueWidth, r.height())
                                        : QRect(r.left() + 84, r.top(), r.width() - 96 - valueWidth, r.height());
  p.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
             QFontMetrics(p.font()).elidedText(item.text, Qt::ElideRight, textRect.width()));
  p.restore();
}

}  // namespace DUI

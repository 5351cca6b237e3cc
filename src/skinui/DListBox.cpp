#include "skinui/DListBox.h"

#include <QFontMetrics>
#include <QPainter>

#include "skinui/MStyle.h"

namespace DUI {

DListBox::DListBox(QWidget* parent, int id) : MListBase(parent, id) {}

int DListBox::AddString(const QString& text, intptr_t data) { return InsertString(-1, text, data); }

int DListBox::InsertString(int index, const QString& text, intptr_t data) {
  int at;
  {
    QMutexLocker lock(&mutex_);
    at = index < 0 || index > items_.size() ? int(items_.size()) : index;
    items_.insert(at, {text, data});
    if (selected_ >= at) ++selected_;
  }
  Refresh();
  return at;
}

void DListBox::DeleteString(int index) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_.remove(index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
    ClampScroll();
  }
  Refresh();
}

void DListBox::ResetContent() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
    ClampScroll();
  }
  Refresh();
}

QString DListBox::GetItemText(int index) const {
  QMutexLocker lock(&mutex_);
  return RowText(index);
}

void DListBox::SetItemText(int index, const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    SetRowText(index, text);
  }
  Refresh();
}

intptr_t DListBox::GetItemData(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].data : -1;
}

void DListBox::SetItemData(int index, intptr_t data) {
  QMutexLocker lock(&mutex_);
  if (index >= 0 && index < items_.size()) items_[index].data = data;
}

int DListBox::FindData(intptr_t data) const {
  QMutexLocker lock(&mutex_);
  for (int i = 0; i < items_.size(); ++i)
    if (items_[i].data == data) return i;
  return -1;
}

bool DListBox::SetCurData(intptr_t data) {
  const int index = FindData(data);
  SetCurSel(index);
  return index >= 0;
}

intptr_t DListBox::GetCurData() const {
  QMutexLocker lock(&mutex_);
  return selected_ >= 0 && selected_ < items_.size() ? items_[selected_].data : -1;
}

int DListBox::RowCount() const { return int(items_.size()); }

QString DListBox::RowText(int index) const {
  return index >= 0 && index < items_.size() ? items_[index].text : QString();
}

void DListBox::SetRowText(int index, const QString& text) {
  if (index >= 0 && index < items_.size()) items_[index].text = text;
}

void DListBox::PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) {
  PaintRowBackground(p, r, selected, hover);
  const QRect textRect = r.adjusted(18, 0, ShowsEditMark(index) ? -44 : -18, 0);
  p.setFont(TitleFont());
  p.setPen(!isEnabled() ? MStyle::TextDisabled() : selected ? MStyle::Text() : MStyle::Text().darker(112));
  const QString shown = QFontMetrics(p.font()).elidedText(items_[index].text, Qt::ElideRight, textRect.width());
  p.drawText(textRect, int(TextAlign()) | Qt::TextSingleLine, shown);
}

}  // namespace DUI

#include "skinui/MComboBox.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>

#include "skinui/ComboWnd.h"
#include "skinui/DListBox.h"
#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"
#include "skinui/MWindow.h"

namespace DUI {

MComboBox::MComboBox(QWidget* parent, int id) : MControlFont(parent, id) {
  setFocusPolicy(Qt::StrongFocus);
  setCursor(Qt::PointingHandCursor);
}

MComboBox::~MComboBox() { delete popup_.data(); }

int MComboBox::AddString(const QString& text, intptr_t data) {
  int index;
  {
    QMutexLocker lock(&mutex_);
    items_.append({text, data});
    index = int(items_.size()) - 1;
  }
  Refresh();
  return index;
}

void MComboBox::DeleteString(int index) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_.remove(index);
    if (selected_ == index) selected_ = -1;
    else if (selected_ > index) --selected_;
  }
  Refresh();
}

void MComboBox::ResetContent() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
  }
  Refresh();
}

int MComboBox::GetCount() const {
  QMutexLocker lock(&mutex_);
  return int(items_.size());
}

QString MComboBox::GetItemText(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].text : QString();
}

void MComboBox::SetItemText(int index, const QString& text) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_[index].text = text;
  }
  Refresh();
}

intptr_t MComboBox::GetItemData(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].data : -1;
}

void MComboBox::SetCurSel(int index) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = index >= 0 && index < items_.size() ? index : -1;
  }
  Refresh();
}

int MComboBox::GetCurSel() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

bool MComboBox::SetCurData(intptr_t data) {
  int found = -1;
  {
    QMutexLocker lock(&mutex_);
    for (int i = 0; i < items_.size() && found < 0; ++i)
      if (items_[i].data == data) found = i;
    selected_ = found;
  }
  Refresh();
  return found >= 0;
}

intptr_t MComboBox::GetCurData() const {
  QMutexLocker lock(&mutex_);
  return selected_ >= 0 && selected_ < items_.size() ? items_[selected_].data : -1;
}

QString MComboBox::GetText() const {
  QMutexLocker lock(&mutex_);
  return selected_ >= 0 && selected_ < items_.size() ? items_[selected_].text : QString();
}

void MComboBox::SetImage(const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    image_ = background;
  }
  Refresh();
}

void MComboBox::SetMarked(bool on) {
  {
    QMutexLocker lock(&mutex_);
    marked_ = on;
  }
  Refresh();
}

bool MComboBox::IsMarked() const {
  QMutexLocker lock(&mutex_);
  return marked_;
}

void MComboBox::ShowDropDown() {
  if (!isEnabled()) return;
  if (popup_ == nullptr) {
    popup_ = new ComboWnd(this);
    popup_->Create(GetWindow(), QString::fromLatin1(ComboWnd::kTitle), MWindow::kStylePopup, QRect(0, 0, width(), 100));
  }
  QStringList texts;
  int selected;
  {
    QMutexLocker lock(&mutex_);
    for (const Item& item : items_) texts.append(item.text);
    selected = selected_;
  }
  popup_->GetList()->SetFontSize(GetFontSize());
  popup_->Open(texts, selected, QRect(mapToGlobal(QPoint(0, 0)), size()));
  update();
}

bool MComboBox::IsDroppedDown() const { return popup_ != nullptr && popup_->isVisible(); }

void MComboBox::ChooseFromList(int index) {
  if (index < 0 || index >= GetCount()) return;
  SetCurSel(index);
  update();
  Notify(kEventClick, index);
}

void MComboBox::paintEvent(QPaintEvent*) {
  QString image;
  bool marked;
  {
    QMutexLocker lock(&mutex_);
    image = image_;
    marked = marked_;
  }
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const QPixmap bk = MRender::LoadImage(image);
  const bool open = IsDroppedDown();
  if (!bk.isNull()) {
    MRender::DrawImage(p, bk, rect());
  } else {
    QColor fill = IsHovered() && isEnabled() ? MStyle::PanelRaised() : MStyle::Panel();
    MRender::DrawPanel(p, QRectF(rect()), MStyle::kRadius, fill,
                       open || marked ? MStyle::Accent() : MStyle::Border());
  }
  if (marked) {
    p.setPen(QPen(MStyle::Accent(), 2));
    p.setBrush(MStyle::AccentSoft());
    p.drawRoundedRect(QRectF(rect()).adjusted(1, 1, -1, -1), MStyle::kRadius, MStyle::kRadius);
  }
  const QString text = GetText();
  p.setFont(TitleFont());
  p.setPen(TitleColor());
  p.drawText(rect().adjusted(12, 0, -32, 0), Qt::AlignLeft | Qt::AlignVCenter,
             QFontMetrics(p.font()).elidedText(text, Qt::ElideRight, width() - 44));
  // Chevron.
  const QPointF c(width() - 18, height() / 2.0);
  QPainterPath chevron;
  const qreal d = open ? -1 : 1;
  chevron.moveTo(c + QPointF(-5, -2.5 * d));
  chevron.lineTo(c + QPointF(0, 2.5 * d));
  chevron.lineTo(c + QPointF(5, -2.5 * d));
  p.setPen(QPen(isEnabled() ? (open ? MStyle::Accent() : MStyle::TextDim()) : MStyle::TextDisabled(), 1.8,
                Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(chevron);
}

void MComboBox::mousePressEvent(QMouseEvent* e) {
  if (e->button() != Qt::LeftButton) {
    e->ignore();
    return;
  }
  ShowDropDown();
}

void MComboBox::keyPressEvent(QKeyEvent* e) {
  const int count = GetCount();
  const int current = GetCurSel();
  if (e->key() == Qt::Key_Space || e->key() == Qt::Key_Return || e->key() == Qt::Key_F4) {
    ShowDropDown();
    return;
  }
  if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && count > 0) {
    const int next = std::clamp(current + (e->key() == Qt::Key_Up ? -1 : 1), 0, count - 1);
    if (next != current) ChooseFromList(next);
    return;
  }
  MControlFont::keyPressEvent(e);
}

}  // namespace DUI

#include "skinui/MListBase.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

MListBase::MListBase(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  editor_ = new QLineEdit(this);
  editor_->hide();
  editor_->setFrame(false);
  editor_->setMaxLength(64);
  editor_->installEventFilter(this);
}

int MListBase::GetCount() const {
  QMutexLocker lock(&mutex_);
  return RowCount();
}

void MListBase::SetCurSel(int index) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = index >= 0 && index < RowCount() ? index : -1;
  }
  EnsureVisible(index);
  Refresh();
}

int MListBase::GetCurSel() const {
  QMutexLocker lock(&mutex_);
  return selected_ < RowCount() ? selected_ : -1;
}

void MListBase::SetRowHeight(int pixels) {
  {
    QMutexLocker lock(&mutex_);
    rowHeight_ = std::max(16, pixels);
  }
  Refresh();
}

int MListBase::GetRowHeight() const {
  QMutexLocker lock(&mutex_);
  return rowHeight_;
}

void MListBase::SetBkImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    bkImage_ = name;
  }
  Refresh();
}

void MListBase::SetEditable(bool on) {
  {
    QMutexLocker lock(&mutex_);
    editable_ = on;
  }
  Refresh();
}

void MListBase::SetEditImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    editImage_ = name;
  }
  Refresh();
}

void MListBase::EditItem(int index) {
  OnGui([this, index] { StartEdit(index); });
}

QString MListBase::GetEditText() const {
  QMutexLocker lock(&mutex_);
  return editText_;
}

void MListBase::EnsureVisible(int index) {
  OnGui([this, index] {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= RowCount()) return;
    const int top = index * rowHeight_;
    if (top < scroll_) scroll_ = top;
    if (top + rowHeight_ > scroll_ + height()) scroll_ = top + rowHeight_ - height();
    ClampScroll();
    update();
  });
}

void MListBase::ClampScroll() {
  const int content = RowCount() * rowHeight_;
  scroll_ = std::clamp(scroll_, 0, std::max(0, content - height()));
}

QRect MListBase::GetRowRect(int index) const {
  QMutexLocker lock(&mutex_);
  if (index < 0 || index >= RowCount()) return QRect();
  return QRect(0, index * rowHeight_ - scroll_, width(), rowHeight_);
}

QString MListBase::RowText(int) const { return QString(); }

void MListBase::SetRowText(int, const QString&) {}

void MListBase::OnRowClicked(int index) { Notify(kEventClick, index); }

void MListBase::PaintRowBackground(QPainter& p, const QRect& r, bool selected, bool hover) const {
  const QRectF row = QRectF(r).adjusted(4, 2, -4, -2);
  if (selected) {
    MRender::DrawPanel(p, row, 6, MStyle::PanelRaised(), Qt::transparent);
    QColor soft = MStyle::Accent();
    soft.setAlpha(26);
    MRender::DrawPanel(p, row, 6, soft, Qt::transparent);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(MStyle::Accent());
    p.drawRoundedRect(QRectF(row.left(), row.top() + 8, 3, row.height() - 16), 1.5, 1.5);
    p.restore();
  } else if (hover) {
    MRender::DrawPanel(p, row, 6, QColor(255, 255, 255, 12), Qt::transparent);
  }
}

QRect MListBase::EditMarkRect(const QRect& row) const {
  return QRect(row.right() - 34, row.center().y() - 11, 22, 22);
}

bool MListBase::ShowsEditMark(int index) const {
  return editable_ && (index == selected_ || index == hover_) && editIndex_ != index;
}

void MListBase::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QMutexLocker lock(&mutex_);
  const QPixmap bk = MRender::LoadImage(bkImage_);
  if (!bk.isNull())
    MRender::DrawImage(p, bk, rect());
  const int count = RowCount();
  const int first = std::max(0, scroll_ / rowHeight_);
  for (int i = first; i < count; ++i) {
    const QRect r(0, i * rowHeight_ - scroll_, width(), rowHeight_);
    if (r.top() >= height()) break;
    PaintRow(p, i, r, i == selected_, i == hover_);
    if (!ShowsEditMark(i)) continue;
    const QRect mark = EditMarkRect(r);
    const QPixmap pix = MRender::LoadImage(editImage_);
    if (!pix.isNull()) {
      MRender::DrawFitted(p, MRender::Frame(pix, pix.width() >= 2 * pix.height() ? 4 : 1, 0), mark);
    } else {
      // A pencil-like mark: three dots.
      p.setPen(Qt::NoPen);
      p.setBrush(MStyle::TextDim());
      for (int d = -1; d <= 1; ++d) p.drawEllipse(QPointF(mark.center().x() + d * 6, mark.center().y()), 1.8, 1.8);
    }
  }
  // Scroll indicator when the rows overflow.
  const int content = count * rowHeight_;
  if (content > height() && height() > 0) {
    const int barH = std::max(24, height() * height() / content);
    const int barY = (height() - barH) * scroll_ / std::max(1, content - height());
    MRender::DrawPanel(p, QRectF(width() - 5, barY + 2, 3, barH - 4), 1.5, QColor(255, 255, 255, 60), Qt::transparent);
  }
}

void MListBase::resizeEvent(QResizeEvent* e) {
  MControlFont::resizeEvent(e);
  QMutexLocker lock(&mutex_);
  ClampScroll();
}

int MListBase::IndexAt(const QPoint& pos) const {
  QMutexLocker lock(&mutex_);
  if (pos.y() < 0 || pos.y() >= height()) return -1;
  const int index = (pos.y() + scroll_) / rowHeight_;
  return index < RowCount() ? index : -1;
}

void MListBase::mouseMoveEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    update();
  }
}

void MListBase::leaveEvent(QEvent* e) {
  hover_ = -1;
  update();
  MControlFont::leaveEvent(e);
}

void MListBase::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const int index = IndexAt(pos);
  if (editor_->isVisible()) FinishEdit(true);
  if (e->button() == Qt::RightButton) {
    if (index >= 0) SetCurSel(index);
    update();
    Notify(kEventContextMenu, index);
    return;
  }
  if (e->button() != Qt::LeftButton || index < 0) {
    e->ignore();
    return;
  }
  bool onMark;
  {
    QMutexLocker lock(&mutex_);
    onMark = ShowsEditMark(index) && EditMarkRect(GetRowRect(index)).contains(pos);
  }
  SetCurSel(index);
  update();
  if (onMark)
    StartEdit(index);
  else
    OnRowClicked(index);
}

void MListBase::mouseDoubleClickEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  bool editable;
  {
    QMutexLocker lock(&mutex_);
    editable = editable_;
  }
  if (editable && index >= 0 && e->button() == Qt::LeftButton) StartEdit(index);
}

void MListBase::wheelEvent(QWheelEvent* e) {
  QMutexLocker lock(&mutex_);
  scroll_ -= e->angleDelta().y() / 120 * rowHeight_;
  ClampScroll();
  update();
}

void MListBase::keyPressEvent(QKeyEvent* e) {
  const int count = GetCount();
  const int current = GetCurSel();
  if ((e->key() == Qt::Key_Up || e->key() == Qt::Key_Down) && count > 0) {
    const int next = std::clamp(current + (e->key() == Qt::Key_Up ? -1 : 1), 0, count - 1);
    if (next != current) {
      SetCurSel(next);
      Notify(kEventSelChanged, next);
    }
    return;
  }
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) && current >= 0) {
    OnRowClicked(current);
    return;
  }
  if (e->key() == Qt::Key_F2 && current >= 0) {
    bool editable;
    {
      QMutexLocker lock(&mutex_);
      editable = editable_;
    }
    if (editable) StartEdit(current);
    return;
  }
  MControlFont::keyPressEvent(e);
}

void MListBase::StartEdit(int index) {
  const QRect r = GetRowRect(index);
  if (r.isEmpty()) return;
  QString text;
  {
    QMutexLocker lock(&mutex_);
    editIndex_ = index;
    text = RowText(index);
  }
  editor_->setFont(TitleFont());
  QPalette pal = editor_->palette();
  pal.setColor(QPalette::Base, MStyle::Window());
  pal.setColor(QPalette::Text, MStyle::Text());
  pal.setColor(QPalette::Highlight, MStyle::Accent());
  editor_->setPalette(pal);
  editor_->setGeometry(r.adjusted(12, 6, -12, -6));
  editor_->setText(text);
  editor_->selectAll();
  editor_->show();
  editor_->setFocus();
  update();
}

void MListBase::FinishEdit(bool commit) {
  if (!editor_->isVisible()) return;
  int index;
  {
    QMutexLocker lock(&mutex_);
    index = editIndex_;
    editIndex_ = -1;
  }
  editor_->hide();
  setFocus();
  update();
  if (!commit || index < 0 || index >= GetCount()) return;
  const QString text = editor_->text();
  {
    QMutexLocker lock(&mutex_);
    editText_ = text;
    if (!text.isEmpty()) SetRowText(index, text);
  }
  Notify(kEventEditChanged, index);
}

bool MListBase::eventFilter(QObject* watched, QEvent* e) {
  if (watched == editor_) {
    if (e->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(e)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
        FinishEdit(key != Qt::Key_Escape);
        return true;
      }
    } else if (e->type() == QEvent::FocusOut) {
      FinishEdit(true);
    }
  }
  return MControlFont::eventFilter(watched, e);
}

}  // namespace DUI

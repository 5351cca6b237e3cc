#include "skinui/DPIControl.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kGap = 12;
constexpr int kMaxCardW = 150;

}  // namespace

DPIControl::DPIControl(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  setFocusPolicy(Qt::StrongFocus);
  editor_ = new QLineEdit(this);
  editor_->hide();
  editor_->setAlignment(Qt::AlignCenter);
  editor_->setMaxLength(5);
  editor_->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), editor_));
  editor_->setFrame(false);
  editor_->installEventFilter(this);
}

int DPIControl::AddItem(int value, uint32_t colourRef) {
  int index = -1;
  {
    QMutexLocker lock(&mutex_);
    if (stages_.size() >= kMaxStages) return -1;
    stages_.append({value, colourRef & 0xFFFFFF});
    index = int(stages_.size()) - 1;
  }
  Refresh();
  return index;
}

void DPIControl::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    stages_.clear();
    selected_ = -1;
  }
  OnGui([this] { FinishEdit(false); });
  Refresh();
}

int DPIControl::GetItemCount() const {
  QMutexLocker lock(&mutex_);
  return int(stages_.size());
}

void DPIControl::SetDPIValue(int index, int value) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= stages_.size()) return;
    stages_[index].value = value;
  }
  Refresh();
}

int DPIControl::GetDPIValue(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < stages_.size() ? stages_[index].value : 0;
}

void DPIControl::SetDPIColorValue(int index, uint32_t colourRef) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= stages_.size()) return;
    stages_[index].colour = colourRef & 0xFFFFFF;
  }
  Refresh();
}

uint32_t DPIControl::GetDPIColorValue(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < stages_.size() ? stages_[index].colour : 0;
}

void DPIControl::SetSelectItem(int index) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = index >= 0 && index < stages_.size() ? index : -1;
  }
  Refresh();
}

int DPIControl::GetSelectItem() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

void DPIControl::EditItem(int index) {
  OnGui([this, index] { StartEdit(index); });
}

QString DPIControl::GetEditText() const {
  QMutexLocker lock(&mutex_);
  return editText_;
}

QRect DPIControl::GetItemRect(int index) const {
  const int count = GetItemCount();
  if (index < 0 || index >= count) return QRect();
  const int cardW = std::min(kMaxCardW, (width() - kGap * (count - 1)) / count);
  const int total = count * cardW + (count - 1) * kGap;
  const int left = (width() - total) / 2 + index * (cardW + kGap);
  return QRect(left, 0, cardW, height());
}

QRect DPIControl::GetColorMarkRect(int index) const {
  const QRect r = GetItemRect(index);
  if (r.isEmpty()) return r;
  return QRect(r.left() + 10, r.top() + 10, 22, 22);
}

int DPIControl::IndexAt(const QPoint& pos) const {
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i)
    if (GetItemRect(i).contains(pos)) return i;
  return -1;
}

void DPIControl::PaintStage(QPainter& p, int index, const Stage& s, const QRect& r, bool selected, bool hover) {
  const QColor colour = MRender::FromColourRef(s.colour);
  QColor fill = selected ? MStyle::PanelRaised() : MStyle::Panel();
  if (hover && !selected) fill = fill.lighter(115);
  MRender::DrawPanel(p, QRectF(r), 10, fill, selected ? MStyle::Accent() : MStyle::Border());
  if (selected) {
    QColor glow = colour;
    glow.setAlpha(40);
    QLinearGradient g(r.topLeft(), r.bottomLeft());
    g.setColorAt(0, Qt::transparent);
    g.setColorAt(1, glow);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 9, 9);
    p.restore();
  }
  // Colour mark with a ring, stage number at the top right.
  const QRect mark = GetColorMarkRect(index);
  p.save();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(MStyle::Window(), 2));
  p.setBrush(colour);
  p.drawEllipse(QRectF(mark).adjusted(2, 2, -2, -2));
  p.setPen(QPen(hover ? MStyle::Text() : MStyle::Border(), 1.2));
  p.setBrush(Qt::NoBrush);
  p.drawEllipse(QRectF(mark).adjusted(0.5, 0.5, -0.5, -0.5));
  p.setFont(MStyle::Font(12, true));
  p.setPen(selected ? MStyle::Accent() : MStyle::TextDim());
  p.drawText(QRect(r.right() - 40, r.top() + 10, 30, 22), Qt::AlignRight | Qt::AlignVCenter,
             QString::number(index + 1));
  // Value and unit.
  if (!(editor_->isVisible() && editIndex_ == index)) {
    p.setFont(MStyle::Font(std::min(28, r.width() / 4), true));
    p.setPen(selected ? MStyle::Text() : MStyle::Text().darker(115));
    p.drawText(QRect(r.left(), r.center().y() - 22, r.width(), 36), Qt::AlignCenter, QString::number(s.value));
  }
  p.setFont(MStyle::Font(11));
  p.setPen(MStyle::TextDim());
  p.drawText(QRect(r.left(), r.center().y() + 14, r.width(), 18), Qt::AlignCenter, QStringLiteral("DPI"));
  // Colour bar along the bottom edge.
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawRoundedRect(QRectF(r.left() + 14, r.bottom() - 9, r.width() - 28, 4), 2, 2);
  p.restore();
}

void DPIControl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  QMutexLocker lock(&mutex_);
  for (int i = 0; i < stages_.size(); ++i)
    PaintStage(p, i, stages_[i], GetItemRect(i), i == selected_, i == hover_);
}

void DPIControl::resizeEvent(QResizeEvent* e) {
  MControlFont::resizeEvent(e);
  if (editor_->isVisible()) FinishEdit(true);
}

void DPIControl::mouseMoveEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
}

void DPIControl::leaveEvent(QEvent* e) {
  hover_ = -1;
  update();
  MControlFont::leaveEvent(e);
}

void DPIControl::mousePressEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const int index = IndexAt(pos);
  if (e->button() != Qt::LeftButton || index < 0) {
    e->ignore();
    return;
  }
  if (editor_->isVisible()) FinishEdit(true);
  SetSelectItem(index);
  update();
  Notify(GetColorMarkRect(index).contains(pos) ? kEventColorClick : kEventClick, index);
}

void DPIControl::mouseDoubleClickEvent(QMouseEvent* e) {
  const QPoint pos = e->position().toPoint();
  const int index = IndexAt(pos);
  if (index >= 0 && !GetColorMarkRect(index).contains(pos)) StartEdit(index);
}

void DPIControl::keyPressEvent(QKeyEvent* e) {
  const int count = GetItemCount();
  const int current = GetSelectItem();
  int next = current;
  if (e->key() == Qt::Key_Left) next = std::max(0, current - 1);
  if (e->key() == Qt::Key_Right) next = std::min(count - 1, current + 1);
  if ((e->key() == Qt::Key_Return || e->key() == Qt::Key_F2) && current >= 0) {
    StartEdit(current);
    return;
  }
  if (next != current && next >= 0) {
    SetSelectItem(next);
    update();
    Notify(kEventSelChanged, next);
    return;
  }
  MControlFont::keyPressEvent(e);
}

void DPIControl::StartEdit(int index) {
  const QRect r = GetItemRect(index);
  if (r.isEmpty()) return;
  editIndex_ = index;
  editor_->setFont(MStyle::Font(std::min(26, r.width() / 4), true));
  QPalette pal = editor_->palette();
  pal.setColor(QPalette::Base, MStyle::Window());
  pal.setColor(QPalette::Text, MStyle::Text());
  pal.setColor(QPalette::Highlight, MStyle::Accent());
  editor_->setPalette(pal);
  editor_->setGeometry(r.left() + 12, r.center().y() - 20, r.width() - 24, 34);
  editor_->setText(QString::number(GetDPIValue(index)));
  editor_->selectAll();
  editor_->show();
  editor_->setFocus();
  update();
}

void DPIControl::FinishEdit(bool commit) {
  if (!editor_->isVisible()) return;
  const int index = editIndex_;
  editIndex_ = -1;
  editor_->hide();
  update();
  if (!commit || index < 0) return;
  {
    QMutexLocker lock(&mutex_);
    editText_ = editor_->text();
  }
  SetSelectItem(index);
  Notify(kEventEditChanged, index);
}

bool DPIControl::eventFilter(QObject* watched, QEvent* e) {
  if (watched == editor_) {
    if (e->type() == QEvent::KeyPress) {
      auto* key = static_cast<QKeyEvent*>(e);
      if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        FinishEdit(true);
        setFocus();
        return true;
      }
      if (key->key() == Qt::Key_Escape) {
        FinishEdit(false);
        setFocus();
        return true;
      }
    } else if (e->type() == QEvent::FocusOut) {
      FinishEdit(true);
    }
  }
  return MControlFont::eventFilter(watched, e);
}

}  // namespace DUI

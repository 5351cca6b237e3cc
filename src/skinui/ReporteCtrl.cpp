#include "skinui/ReporteCtrl.h"

#include <QMouseEvent>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kGap = 10;
constexpr int kMinPillW = 96;
constexpr int kPillH = 40;

}  // namespace

ReporteCtrl::ReporteCtrl(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  SetFontSize(14);
}

void ReporteCtrl::AddItem(const QString& text, int code, uint32_t colourRef) {
  {
    QMutexLocker lock(&mutex_);
    items_.append({text, code, colourRef & 0xFFFFFF});
  }
  Refresh();
}

void ReporteCtrl::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
  }
  Refresh();
}

int ReporteCtrl::GetItemCount() const {
  QMutexLocker lock(&mutex_);
  return int(items_.size());
}

bool ReporteCtrl::SetSelectItemValue(int code) {
  bool found = false;
  {
    QMutexLocker lock(&mutex_);
    selected_ = -1;
    for (int i = 0; i < items_.size(); ++i)
      if (items_[i].code == code) {
        selected_ = i;
        found = true;
        break;
      }
  }
  Refresh();
  return found;
}

int ReporteCtrl::GetSelectItemValue() const {
  QMutexLocker lock(&mutex_);
  return selected_ >= 0 && selected_ < items_.size() ? items_[selected_].code : -1;
}

void ReporteCtrl::SetCurSel(int index) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = index >= 0 && index < items_.size() ? index : -1;
  }
  Refresh();
}

int ReporteCtrl::GetCurSel() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

QRect ReporteCtrl::GetItemRect(int index) const {
  const int count = GetItemCount();
  if (index < 0 || index >= count) return QRect();
  // One row when the pills fit at their minimum width, else two.
  const int perRow = (count * kMinPillW + (count - 1) * kGap) <= width() ? count : (count + 1) / 2;
  const int row = index / perRow;
  const int col = index % perRow;
  const int pillW = std::min(150, (width() - (perRow - 1) * kGap) / perRow);
  return QRect(col * (pillW + kGap), row * (kPillH + kGap), pillW, kPillH);
}

int ReporteCtrl::IndexAt(const QPoint& pos) const {
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i)
    if (GetItemRect(i).contains(pos)) return i;
  return -1;
}

void ReporteCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QMutexLocker lock(&mutex_);
  const QFont font = TitleFont();
  for (int i = 0; i < items_.size(); ++i) {
    const QRect r = GetItemRect(i);
    const bool selected = i == selected_;
    const QColor colour = MRender::FromColourRef(items_[i].colour);
    QColor fill = selected ? MStyle::PanelRaised() : MStyle::Panel();
    if (i == hover_ && !selected) fill = fill.lighter(120);
    MRender::DrawPanel(p, QRectF(r), r.height() / 2.0, fill, selected ? MStyle::Accent() : MStyle::Border());
    if (selected) {
      QColor soft = MStyle::Accent();
      soft.setAlpha(30);
      MRender::DrawPanel(p, QRectF(r).adjusted(1, 1, -1, -1), r.height() / 2.0 - 1, soft, Qt::transparent);
    }
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawEllipse(QPointF(r.left() + 20, r.center().y() + 0.5), 5, 5);
    p.setFont(font);
    p.setPen(selected ? MStyle::Text() : MStyle::TextDim());
    p.drawText(r.adjusted(30, 0, -8, 0), Qt::AlignCenter, items_[i].text);
  }
}

void ReporteCtrl::mouseMoveEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
}

void ReporteCtrl::leaveEvent(QEvent* e) {
  hover_ = -1;
  update();
  MControlFont::leaveEvent(e);
}

void ReporteCtrl::mousePressEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (e->button() != Qt::LeftButton || index < 0) {
    e->ignore();
    return;
  }
  SetCurSel(index);
  update();
  Notify(kEventClick, GetSelectItemValue());
}

}  // namespace DUI

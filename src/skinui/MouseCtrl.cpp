#include "skinui/MouseCtrl.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {

MouseCtrl::MouseCtrl(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  SetFontSize(13);
}

void MouseCtrl::SetImage(const QString& mousePicture) {
  {
    QMutexLocker lock(&mutex_);
    image_ = mousePicture;
  }
  Refresh();
}

QString MouseCtrl::GetImage() const {
  QMutexLocker lock(&mutex_);
  return image_;
}

void MouseCtrl::SetBkImage(const QString& background) {
  {
    QMutexLocker lock(&mutex_);
    background_ = background;
  }
  Refresh();
}

QSize MouseCtrl::GetImageSize() const { return MRender::LoadImage(GetImage()).size(); }

int MouseCtrl::AddItem(const QString& name, int keyValue, int direction, const QPoint& first,
                       const QPoint& second) {
  int index;
  {
    QMutexLocker lock(&mutex_);
    items_.append({name, QString(), keyValue, direction, first, second});
    index = int(items_.size()) - 1;
  }
  Refresh();
  return index;
}

void MouseCtrl::DeleteAllItems() {
  {
    QMutexLocker lock(&mutex_);
    items_.clear();
    selected_ = -1;
    hover_ = -1;
  }
  Refresh();
}

int MouseCtrl::GetItemCount() const {
  QMutexLocker lock(&mutex_);
  return int(items_.size());
}

void MouseCtrl::SetSelectItem(int index) {
  {
    QMutexLocker lock(&mutex_);
    selected_ = index >= 0 && index < items_.size() ? index : -1;
  }
  Refresh();
}

int MouseCtrl::GetSelectItem() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

int MouseCtrl::GetItemKeyValue(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].keyValue : -1;
}

int MouseCtrl::FindItemByKey(int keyValue) const {
  QMutexLocker lock(&mutex_);
  for (int i = 0; i < items_.size(); ++i)
    if (items_[i].keyValue == keyValue) return i;
  return -1;
}

void MouseCtrl::SetItemName(int index, const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_[index].name = name;
  }
  Refresh();
}

QString MouseCtrl::GetItemName(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].name : QString();
}

void MouseCtrl::SetItemDesc(int index, const QString& desc) {
  {
    QMutexLocker lock(&mutex_);
    if (index < 0 || index >= items_.size()) return;
    items_[index].desc = desc;
  }
  Refresh();
}

QString MouseCtrl::GetItemDesc(int index) const {
  QMutexLocker lock(&mutex_);
  return index >= 0 && index < items_.size() ? items_[index].desc : QString();
}

void MouseCtrl::Placement(QPointF* origin, qreal* scale) const {
  QSize size = GetImageSize();
  if (size.isEmpty()) size = QSize(400, 500);
  *scale = std::min({1.0, qreal(width()) / size.width(), qreal(height()) / size.height()});
  *origin = QPointF((width() - size.width() * *scale) / 2.0, (height() - size.height() * *scale) / 2.0);
}

QPointF MouseCtrl::Map(const QPoint& picturePoint) const {
  QPointF origin;
  qreal scale;
  Placement(&origin, &scale);
  return origin + QPointF(picturePoint) * scale;
}

QRect MouseCtrl::GetItemHitRect(int index) const {
  QMutexLocker lock(&mutex_);
  if (index < 0 || index >= items_.size()) return QRect();
  const Item& item = items_[index];
  const QPointF a = Map(item.first);
  const QPointF b = Map(item.second);
  QRectF line(QPointF(std::min(a.x(), b.x()), a.y() - 22), QPointF(std::max(a.x(), b.x()), a.y() + 20));
  return line.toAlignedRect().adjusted(-8, 0, 8, 0);
}

int MouseCtrl::IndexAt(const QPoint& pos) const {
  const int count = GetItemCount();
  for (int i = 0; i < count; ++i)
    if (GetItemHitRect(i).contains(pos)) return i;
  return -1;
}

void MouseCtrl::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  QMutexLocker lock(&mutex_);
  const QPixmap bk = MRender::LoadImage(background_);
  if (!bk.isNull()) MRender::DrawImage(p, bk, rect());
  QPointF origin;
  qreal scale;
  Placement(&origin, &scale);
  const QPixmap mouse = MRender::LoadImage(image_);
  if (!mouse.isNull()) p.drawPixmap(QRectF(origin, QSizeF(mouse.size()) * scale), mouse, QRectF(mouse.rect()));

  const QFont nameFont = TitleFont();
  const QFont descFont = MStyle::Font(std::max(10, GetFontSize() - 2));
  for (int i = 0; i < items_.size(); ++i) {
    const Item& item = items_[i];
    const bool selected = i == selected_;
    const bool hover = i == hover_;
    const QPointF a = Map(item.first);
    const QPointF b = Map(item.second);
    const QPointF labelEnd = item.direction == 0 ? a : b;
    const QPointF mark = item.direction == 0 ? b : a;
    const QColor line = selected ? MStyle::Accent() : hover ? MStyle::Text() : MStyle::TextDim();
    p.setPen(QPen(line, selected ? 2.0 : 1.2));
    p.drawLine(a, b);
    p.setPen(Qt::NoPen);
    QColor halo = line;
    halo.setAlpha(60);
    p.setBrush(halo);
    p.drawEllipse(mark, 8, 8);
    p.setBrush(line);
    p.drawEllipse(mark, 3.5, 3.5);
    p.drawEllipse(labelEnd, 2, 2);

    const Qt::Alignment align = item.direction == 0 ? Qt::AlignLeft : Qt::AlignRight;
    const qreal span = std::abs(b.x() - a.x()) + 4;
    const QRectF nameRect(std::min(a.x(), b.x()) - 2, a.y() - 22, span, 19);
    p.setFont(nameFont);
    p.setPen(selected ? MStyle::Accent() : MStyle::Text());
    p.drawText(nameRect, align | Qt::AlignBottom, QFontMetrics(nameFont).elidedText(item.name, Qt::ElideRight, int(span)));
    if (!item.desc.isEmpty()) {
      const QRectF descRect(nameRect.left(), a.y() + 3, span, 17);
      p.setFont(descFont);
      p.setPen(MStyle::TextDim());
      p.drawText(descRect, align | Qt::AlignTop, QFontMetrics(descFont).elidedText(item.desc, Qt::ElideRight, int(span)));
    }
  }
}

void MouseCtrl::mouseMoveEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (index != hover_) {
    hover_ = index;
    setCursor(index >= 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
}

void MouseCtrl::leaveEvent(QEvent* e) {
  hover_ = -1;
  update();
  MControlFont::leaveEvent(e);
}

void MouseCtrl::mousePressEvent(QMouseEvent* e) {
  const int index = IndexAt(e->position().toPoint());
  if (e->button() != Qt::LeftButton || index < 0) {
    e->ignore();
    return;
  }
  SetSelectItem(index);
  update();
  Notify(kEventClick, index);
}

}  // namespace DUI

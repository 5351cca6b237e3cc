#include "skinui/CDeviceList.h"

#include <QMouseEvent>
#include <QPainter>

#include "skinui/BatteryCtrl.h"
#include "skinui/Events.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"

namespace DUI {
namespace {

constexpr int kCardW = 250;
constexpr int kCardH = 300;
constexpr int kGap = 28;

}  // namespace

QString CDeviceList::FormatVersion(int release) {
  QString hex = QString::number(std::max(0, release), 16).toUpper();
  while (hex.size() < 3) hex.prepend('0');
  return QStringLiteral("v%1.%2").arg(hex.left(1), hex.right(2));
}

CDeviceList::CDeviceList(QWidget* parent, int id) : MControlFont(parent, id) {
  setMouseTracking(true);
  SetFontSize(17);
}

CDeviceList::Entry* CDeviceList::Find(int type) {
  for (Entry& e : entries_)
    if (e.type == type) return &e;
  return nullptr;
}

const CDeviceList::Entry* CDeviceList::Find(int type) const {
  for (const Entry& e : entries_)
    if (e.type == type) return &e;
  return nullptr;
}

void CDeviceList::ClearList() {
  {
    QMutexLocker lock(&mutex_);
    entries_.clear();
    selected_ = 0;
  }
  Refresh();
}

void CDeviceList::AddDevice(const QString& name, int type, const QString& image) {
  {
    QMutexLocker lock(&mutex_);
    if (Entry* existing = Find(type)) {
      existing->name = name;
      existing->image = image;
    } else {
      Entry entry;
      entry.name = name;
      entry.type = type;
      entry.image = image;
      entries_.append(entry);
    }
  }
  Refresh();
}

int CDeviceList::GetDeviceCount() const {
  QMutexLocker lock(&mutex_);
  return int(entries_.size());
}

void CDeviceList::SetAllDeviceState(int state) {
  {
    QMutexLocker lock(&mutex_);
    for (Entry& e : entries_) {
      e.present = state != 0;
      e.online = state;
    }
    if (state == 0) selected_ = 0;
  }
  Refresh();
}

void CDeviceList::SetDeviceState(int type, int mode, int online) {
  {
    QMutexLocker lock(&mutex_);
    Entry* e = Find(type);
    if (e == nullptr) return;
    e->present = true;
    e->mode = mode;
    e->online = online;
  }
  Refresh();
}

void CDeviceList::SetDeviceBattery(int type, int state, int level) {
  {
    QMutexLocker lock(&mutex_);
    Entry* e = Find(type);
    if (e == nullptr) return;
    e->batteryState = state;
    e->batteryLevel = std::clamp(level, 0, 100);
  }
  Refresh();
}

void CDeviceList::SetDeviceVersion(int type, int release) {
  {
    QMutexLocker lock(&mutex_);
    Entry* e = Find(type);
    if (e == nullptr) return;
    e->release = release;
  }
  Refresh();
}

bool CDeviceList::IsDevicePresent(int type) const {
  QMutexLocker lock(&mutex_);
  const Entry* e = Find(type);
  return e != nullptr && e->present;
}

int CDeviceList::GetDeviceMode(int type) const {
  QMutexLocker lock(&mutex_);
  const Entry* e = Find(type);
  return e != nullptr && e->present ? e->mode : -1;
}

int CDeviceList::GetOnlineDevCount() const {
  QMutexLocker lock(&mutex_);
  int count = 0;
  for (const Entry& e : entries_)
    if (e.present && e.online != 0) ++count;
  return count;
}

int CDeviceList::GetPresentDevCount() const {
  QMutexLocker lock(&mutex_);
  int count = 0;
  for (const Entry& e : entries_)
    if (e.present) ++count;
  return count;
}

int CDeviceList::SetSelectDevice(int type) {
  int chosen = 0;
  {
    QMutexLocker lock(&mutex_);
    const Entry* wanted = Find(type);
    if (wanted != nullptr && wanted->present) chosen = type;
    for (int pass = 0; pass < 2 && chosen == 0; ++pass)
      for (const Entry& e : entries_)
        if (e.present && (pass == 1 || e.online != 0)) {
          chosen = e.type;
          break;
        }
    selected_ = chosen;
  }
  Refresh();
  return chosen;
}

int CDeviceList::GetSelectDevice() const {
  QMutexLocker lock(&mutex_);
  return selected_;
}

void CDeviceList::SetBkImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    bkImage_ = name;
  }
  Refresh();
}

void CDeviceList::SetModeImage(const QString& name) {
  {
    QMutexLocker lock(&mutex_);
    modeImage_ = name;
  }
  Refresh();
}

void CDeviceList::SetBatteryImages(const QString& background, const QString& value, const QString& charge) {
  {
    QMutexLocker lock(&mutex_);
    batteryBk_ = background;
    batteryValue_ = value;
    batteryCharge_ = charge;
  }
  Refresh();
}

void CDeviceList::SetVersionCaption(const QString& caption) {
  {
    QMutexLocker lock(&mutex_);
    versionCaption_ = caption;
  }
  Refresh();
}

QVector<QPair<int, QRect>> CDeviceList::Cards() const {
  QVector<int> shown;
  {
    QMutexLocker lock(&mutex_);
    for (const Entry& e : entries_)
      if (e.present) shown.append(e.type);
  }
  QVector<QPair<int, QRect>> cards;
  if (shown.isEmpty()) return cards;
  const int perRow = std::max(1, (width() + kGap) / (kCardW + kGap));
  const int rows = (int(shown.size()) + perRow - 1) / perRow;
  const int totalH = rows * kCardH + (rows - 1) * kGap;
  int top = std::max(0, (height() - totalH) / 2);
  for (int row = 0; row < rows; ++row) {
    const int first = row * perRow;
    const int count = std::min(perRow, int(shown.size()) - first);
    int left = (width() - (count * kCardW + (count - 1) * kGap)) / 2;
    for (int i = 0; i < count; ++i) {
      cards.append({shown[first + i], QRect(left, top, kCardW, kCardH)});
      left += kCardW + kGap;
    }
    top += kCardH + kGap;
  }
  return cards;
}

QRect CDeviceList::GetCardRect(int type) const {
  for (const auto& [t, r] : Cards())
    if (t == type) return r;
  return QRect();
}

int CDeviceList::TypeAt(const QPoint& pos) const {
  for (const auto& [t, r] : Cards())
    if (r.contains(pos)) return t;
  return 0;
}

void CDeviceList::PaintCard(QPainter& p, const Entry& e, const QRect& r, bool selected, bool hover) const {
  p.save();
  if (e.online == 0) p.setOpacity(0.45);
  const QPixmap bk = MRender::LoadImage(bkImage_);
  if (!bk.isNull())
    MRender::DrawImage(p, bk, r);
  else
    MRender::DrawPanel(p, QRectF(r), 14, MStyle::Panel(), MStyle::Border());
  if (selected || hover) {
    QColor edge = MStyle::Accent();
    edge.setAlpha(selected ? 255 : 140);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(edge, selected ? 2.0 : 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawRoundedRect(QRectF(r).adjusted(1, 1, -1, -1), 14, 14);
  }
  MRender::DrawFitted(p, MRender::LoadImage(e.image), QRect(r.left() + 20, r.top() + 18, r.width() - 40, 170));

  p.setFont(TitleFont());
  p.setPen(MStyle::Text());
  p.drawText(QRect(r.left() + 10, r.top() + 196, r.width() - 20, 26), Qt::AlignCenter, e.name);

  // Connection mode and battery on one line, centred.
  const int rowY = r.top() + 232;
  const QPixmap modeStrip = MRender::LoadImage(modeImage_);
  const bool battery = e.batteryLevel > 0 || e.batteryState == 1;
  const int rowW = 24 + (battery ? 12 + 30 + 44 : 0);
  int x = r.center().x() - rowW / 2;
  if (!modeStrip.isNull())
    MRender::DrawFitted(p, MRender::Frame(modeStrip, 2, e.mode == 1 ? 1 : 0), QRect(x, rowY, 24, 20));
  x += 24 + 12;
  if (battery) {
    BatteryCtrl::PaintGauge(p, QRect(x, rowY + 2, 30, 16), e.batteryLevel, e.batteryState == 1, batteryBk_,
                            batteryValue_, batteryCharge_);
    p.setFont(MStyle::Font(13));
    p.setPen(MStyle::TextDim());
    p.drawText(QRect(x + 34, rowY, 44, 20), Qt::AlignLeft | Qt::AlignVCenter,
               QStringLiteral("%1%").arg(e.batteryLevel));
  }
  if (e.release >= 0) {
    p.setFont(MStyle::Font(12));
    p.setPen(MStyle::TextDim());
    p.drawText(QRect(r.left() + 10, r.top() + 262, r.width() - 20, 20), Qt::AlignCenter,
               QStringLiteral("%1: %2").arg(versionCaption_, FormatVersion(e.release)));
  }
  // Online light in the corner.
  p.setOpacity(1.0);
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(Qt::NoPen);
  p.setBrush(e.online != 0 ? MStyle::Success() : MStyle::TextDisabled());
  p.drawEllipse(QPointF(r.right() - 18, r.top() + 18), 4.5, 4.5);
  p.restore();
}

void CDeviceList::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  const auto cards = Cards();
  QMutexLocker lock(&mutex_);
  for (const auto& [type, r] : cards) {
    const Entry* e = Find(type);
    if (e != nullptr) PaintCard(p, *e, r, type == selected_, type == hoverType_);
  }
}

void CDeviceList::mouseMoveEvent(QMouseEvent* e) {
  const int type = TypeAt(e->position().toPoint());
  if (type != hoverType_) {
    hoverType_ = type;
    setCursor(type != 0 ? Qt::PointingHandCursor : Qt::ArrowCursor);
    update();
  }
}

void CDeviceList::leaveEvent(QEvent* e) {
  hoverType_ = 0;
  update();
  MControlFont::leaveEvent(e);
}

void CDeviceList::mousePressEvent(QMouseEvent* e) {
  pressType_ = e->button() == Qt::LeftButton ? TypeAt(e->position().toPoint()) : 0;
  if (pressType_ == 0) e->ignore();
}

void CDeviceList::mouseReleaseEvent(QMouseEvent* e) {
  const int type = TypeAt(e->position().toPoint());
  const bool click = type != 0 && type == pressType_;
  pressType_ = 0;
  if (!click) return;
  {
    QMutexLocker lock(&mutex_);
    selected_ = type;
  }
  update();
  Notify(kEventClick, type);
}

}  // namespace DUI

#pragma once
#include <QPoint>
#include <QVector>

#include "skinui/MControlFont.h"

namespace DUI {

// The mouse picture of the buttons page with one callout per button. A
// callout is a line from (a, c) to (b, c) in picture coordinates; direction 0
// puts the label at the left end (a) and the mark on the mouse at b,
// direction 1 the label at b and the mark at a. The picture is drawn at its
// own size, centred (scaled down only when the control is smaller).
// Safe from any thread. Event: kEventClick (2), param = item index.
class MouseCtrl : public MControlFont {
  Q_OBJECT

 public:
  MouseCtrl(QWidget* parent, int id);

  void SetImage(const QString& mousePicture);
  QString GetImage() const;
  void SetBkImage(const QString& background);
  QSize GetImageSize() const;  // GUI thread

  // Returns the new item's index.
  int AddItem(const QString& name, int keyValue, int direction, const QPoint& first, const QPoint& second);
  void DeleteAllItems();
  int GetItemCount() const;
  void SetSelectItem(int index);
  int GetSelectItem() const;
  int GetItemKeyValue(int index) const;  // -1 for a missing item
  int FindItemByKey(int keyValue) const; // -1 when none
  void SetItemName(int index, const QString& name);
  QString GetItemName(int index) const;
  // A second, dimmer line under the name: the button's function.
  void SetItemDesc(int index, const QString& desc);
  QString GetItemDesc(int index) const;
  // Area that selects item `index` (GUI thread).
  QRect GetItemHitRect(int index) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  struct Item {
    QString name;
    QString desc;
    int keyValue = 0;
    int direction = 0;
    QPoint first;
    QPoint second;
  };
  // Picture placement: widget = origin + picture * scale.
  void Placement(QPointF* origin, qreal* scale) const;
  QPointF Map(const QPoint& picturePoint) const;
  int IndexAt(const QPoint& pos) const;

  QString image_;
  QString background_;
  QVector<Item> items_;
  int selected_ = -1;
  int hover_ = -1;
};

}  // namespace DUI

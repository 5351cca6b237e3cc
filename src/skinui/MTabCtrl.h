#pragma once
#include <QPointer>
#include <QVector>

#include "skinui/MControlFont.h"

namespace DUI {

// The vertical tab strip. Each item has an identifier, a text, an icon and
// the page container (an MTabLayout) it shows; selecting an item shows its
// page and hides the pages of the others. Safe from any thread; setters
// never notify.
// Event: kEventClick (2), param = identifier of the item the user selected
// (by click or arrow key; also when it was already selected).
class MTabCtrl : public MControlFont {
  Q_OBJECT

 public:
  MTabCtrl(QWidget* parent, int id);

  void InsertItem(int itemId, const QString& text, const QString& icon, QWidget* page);
  void DeleteAllItems();
  int GetItemCount() const;  // visible items
  void SetSelectItem(int itemId);
  int GetSelectItem() const;      // 0 when none
  int GetPrevSelectItem() const;  // the item selected before the current one
  void SetItemText(int itemId, const QString& text);
  QString GetItemText(int itemId) const;
  // A hidden item leaves no gap; if it was selected, the selection stays on
  // it until another is chosen.
  void SetItemVisible(int itemId, bool visible);
  void SetItemHeight(int pixels);
  void SetImage(const QString& selectedBackground);
  QRect GetItemRect(int itemId) const;  // GUI thread; empty when hidden

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  struct Item {
    int id = 0;
    QString text;
    QString icon;
    QPointer<QWidget> page;
    bool visible = true;
  };
  int ItemAt(const QPoint& pos) const;
  void ShowPages();
  void UserSelect(int itemId);

  QVector<Item> items_;
  int selected_ = 0;
  int previous_ = 0;
  int hover_ = 0;
  int itemHeight_ = 60;
  QString image_;
};

}  // namespace DUI

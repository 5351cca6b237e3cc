#pragma once
#include <QVector>

#include "skinui/MListBase.h"

namespace DUI {

// The button list of the buttons page: per button its name, the description
// of its function and its key value. Safe from any thread.
// Events (param = row index): 2 a row clicked, 30 arrow keys, 5 right click.
class MouseKeyCtrl : public MListBase {
  Q_OBJECT

 public:
  MouseKeyCtrl(QWidget* parent, int id);

  int AddItem(const QString& name, const QString& desc, int keyValue);  // returns the index
  void DeleteAllItems();
  void SetSelectItem(int index) { SetCurSel(index); }
  int GetSelectItem() const { return GetCurSel(); }
  int GetItemKeyValue(int index) const;  // -1 for a missing item
  int FindItemByKey(int keyValue) const; // -1 when none
  void SetItemName(int index, const QString& name);
  QString GetItemName(int index) const;
  void SetItemDesc(int index, const QString& desc);
  QString GetItemDesc(int index) const;

 protected:
  int RowCount() const override;
  void PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) override;

 private:
  struct Item {
    QString name;
    QString desc;
    int keyValue = 0;
  };
  QVector<Item> items_;
};

}  // namespace DUI

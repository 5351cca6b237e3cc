#pragma once
#include <QVector>
#include <cstdint>

#include "skinui/MListBase.h"

namespace DUI {

// A list of texts, each with an item datum (a profile id, a macro id, ...).
// Safe from any thread. Events are MListBase's (param = row index):
// 2 chosen, 5 right click, 29 renamed in place (when editable), 30 arrow keys.
class DListBox : public MListBase {
  Q_OBJECT

 public:
  DListBox(QWidget* parent, int id);

  int AddString(const QString& text, intptr_t data = 0);  // returns the index
  int InsertString(int index, const QString& text, intptr_t data = 0);  // -1 appends
  void DeleteString(int index);
  void ResetContent();
  QString GetItemText(int index) const;
  void SetItemText(int index, const QString& text);
  intptr_t GetItemData(int index) const;  // -1 for a missing item
  void SetItemData(int index, intptr_t data);
  int FindData(intptr_t data) const;      // -1 when none
  // Selects the item whose datum is `data`; false (selection cleared) if none.
  bool SetCurData(intptr_t data);
  intptr_t GetCurData() const;  // -1 when nothing is selected

 protected:
  int RowCount() const override;
  void PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) override;
  QString RowText(int index) const override;
  void SetRowText(int index, const QString& text) override;

 private:
  struct Item {
    QString text;
    intptr_t data = 0;
  };
  QVector<Item> items_;
};

}  // namespace DUI

#pragma once
#include <QPointer>
#include <QVector>
#include <cstdint>

#include "skinui/MControlFont.h"

namespace DUI {

class ComboWnd;

// A drop-down choice: items with a text and an item datum, one selected,
// selectable by its datum. Clicking opens the "ComboWnd" list below it.
// Safe from any thread; setters never notify.
// Event: kEventClick (2), param = index of the item the user chose (from the
// list or with the arrow keys).
class MComboBox : public MControlFont {
  Q_OBJECT

 public:
  MComboBox(QWidget* parent, int id);
  ~MComboBox() override;

  int AddString(const QString& text, intptr_t data = 0);  // returns the index
  void DeleteString(int index);
  void ResetContent();
  int GetCount() const;
  QString GetItemText(int index) const;
  void SetItemText(int index, const QString& text);
  intptr_t GetItemData(int index) const;  // -1 for a missing item
  void SetCurSel(int index);              // -1 clears
  int GetCurSel() const;
  bool SetCurData(intptr_t data);         // false (selection cleared) if no item has it
  intptr_t GetCurData() const;            // -1 when nothing is selected
  QString GetText() const;                // the selected item's text
  void SetImage(const QString& background);
  // Highlighted as the active choice (the buttons page marks its lists).
  void SetMarked(bool on);
  bool IsMarked() const;

  // Opens the list (GUI thread); also what a click does.
  void ShowDropDown();
  bool IsDroppedDown() const;
  // Called by the list when the user picks an item.
  void ChooseFromList(int index);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  struct Item {
    QString text;
    intptr_t data = 0;
  };
  QVector<Item> items_;
  int selected_ = -1;
  QString image_;
  bool marked_ = false;
  QPointer<ComboWnd> popup_;
};

// The buttons page's variant is the same control.
using MComboBox2 = MComboBox;

}  // namespace DUI

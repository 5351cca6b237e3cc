#pragma once
#include <QVector>
#include <cstdint>

#include "skinui/MControlFont.h"

namespace DUI {

// The report-rate choice: one pill per rate with its text and its colour
// (0x00BBGGRR), one selected, chosen by its code. Safe from any thread.
// Event: kEventClick (2), param = code of the clicked entry.
class ReporteCtrl : public MControlFont {
  Q_OBJECT

 public:
  ReporteCtrl(QWidget* parent, int id);

  void AddItem(const QString& text, int code, uint32_t colourRef);
  void DeleteAllItems();
  int GetItemCount() const;
  // Selects the entry with `code`; false (selection cleared) when none has it.
  bool SetSelectItemValue(int code);
  int GetSelectItemValue() const;  // -1 when nothing is selected
  void SetCurSel(int index);
  int GetCurSel() const;
  QRect GetItemRect(int index) const;  // GUI thread

 protected:
  void paintEvent(QPaintEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void leaveEvent(QEvent* e) override;

 private:
  struct Item {
    QString text;
    int code = 0;
    uint32_t colour = 0;
  };
  int IndexAt(const QPoint& pos) const;

  QVector<Item> items_;
  int selected_ = -1;
  int hover_ = -1;
};

}  // namespace DUI

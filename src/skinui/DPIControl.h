#pragma once
#include <QVector>
#include <cstdint>

#include "skinui/MControlFont.h"

class QLineEdit;

namespace DUI {

// The DPI stage list: up to seven stages side by side, each with a DPI value
// and a colour (0x00BBGGRR), one of them selected. A double click on a stage
// (or EditItem) opens an edit field over its value.
// Every setter and getter is safe from any thread.
// Events (param = stage index):
//   kEventClick (2)       a stage clicked (it becomes selected)
//   kEventColorClick (9)  a stage's colour mark clicked (it becomes selected)
//   kEventEditChanged (29) a value typed and confirmed; GetEditText() has it
//   kEventSelChanged (30) selection moved with the arrow keys
class DPIControl : public MControlFont {
  Q_OBJECT

 public:
  static constexpr int kMaxStages = 7;

  DPIControl(QWidget* parent, int id);

  // Returns the new stage's index, or -1 when seven stages exist.
  int AddItem(int value, uint32_t colourRef);
  void DeleteAllItems();
  int GetItemCount() const;
  void SetDPIValue(int index, int value);
  int GetDPIValue(int index) const;  // 0 for a missing stage
  void SetDPIColorValue(int index, uint32_t colourRef);
  uint32_t GetDPIColorValue(int index) const;
  // -1 clears the selection. No notification.
  void SetSelectItem(int index);
  int GetSelectItem() const;

  // Opens the edit field over a stage's value (GUI work is queued).
  void EditItem(int index);
  // Text of the last confirmed edit.
  QString GetEditText() const;
  // Where stage `index` is drawn (GUI thread); empty when missing.
  QRect GetItemRect(int index) const;
  QRect GetColorMarkRect(int index) const;

 protected:
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  struct Stage {
    int value = 0;
    uint32_t colour = 0;
  };

  int IndexAt(const QPoint& pos) const;
  void PaintStage(QPainter& p, int index, const Stage& s, const QRect& r, bool selected, bool hover);
  void StartEdit(int index);
  void FinishEdit(bool commit);

  QVector<Stage> stages_;
  int selected_ = -1;
  int hover_ = -1;
  QString editText_;
  QLineEdit* editor_ = nullptr;
  int editIndex_ = -1;
};

}  // namespace DUI

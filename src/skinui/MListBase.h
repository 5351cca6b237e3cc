#pragma once
#include "skinui/MControlFont.h"

class QLineEdit;

namespace DUI {

// Shared behaviour of the list controls: rows of one height, a selection,
// hover, wheel and keyboard scrolling, a right-click event and, where the
// list allows it, renaming a row in place (double click, F2, or the edit
// mark drawn on the selected row).
// Events (param = row index):
//   kEventClick (2)        a row clicked, or Enter on the selected row
//   kEventContextMenu (5)  right click (the row under it is selected; -1 if none)
//   kEventEditChanged (29) an in-place edit confirmed; GetEditText() has the
//                          text as typed (the row keeps its text when empty)
//   kEventSelChanged (30)  selection moved with the arrow keys
class MListBase : public MControlFont {
  Q_OBJECT

 public:
  MListBase(QWidget* parent, int id);

  int GetCount() const;
  void SetCurSel(int index);  // -1 clears; no notification
  int GetCurSel() const;
  void SetRowHeight(int pixels);
  int GetRowHeight() const;
  void SetBkImage(const QString& name);
  void SetEditable(bool on);
  void SetEditImage(const QString& name);
  void EditItem(int index);   // opens the in-place editor (queued to the GUI thread)
  QString GetEditText() const;
  void EnsureVisible(int index);
  QRect GetRowRect(int index) const;  // GUI thread; scrolled position

 protected:
  // Called with mutex_ held.
  virtual int RowCount() const = 0;
  virtual void PaintRow(QPainter& p, int index, const QRect& r, bool selected, bool hover) = 0;
  virtual QString RowText(int index) const;
  virtual void SetRowText(int index, const QString& text);
  // A row was clicked (already selected); the default reports kEventClick.
  virtual void OnRowClicked(int index);

  // The common row look: panel, hover tint, accent bar for the selection.
  void PaintRowBackground(QPainter& p, const QRect& r, bool selected, bool hover) const;
  QRect EditMarkRect(const QRect& row) const;
  bool ShowsEditMark(int index) const;
  void ClampScroll();

  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  void leaveEvent(QEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

  int selected_ = -1;

 private:
  int IndexAt(const QPoint& pos) const;
  void StartEdit(int index);
  void FinishEdit(bool commit);

  int rowHeight_ = 40;
  int scroll_ = 0;
  int hover_ = -1;
  bool editable_ = false;
  QString editImage_;
  QString bkImage_;
  QString editText_;
  QLineEdit* editor_ = nullptr;
  int editIndex_ = -1;
};

}  // namespace DUI

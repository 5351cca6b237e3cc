#pragma once
#include <QVector>

#include "skinui/MWindow.h"

namespace DUI {

// A pop-up menu window titled "Menu Window". TrackPopupMenu shows it at a
// screen point and returns the chosen item's id, or 0 when the user clicked
// elsewhere, pressed Escape, or the window was hidden or closed by title.
// GUI thread only.
class MenuWnd : public MWindow {
  Q_OBJECT

 public:
  static constexpr const char* kTitle = "Menu Window";

  MenuWnd();

  void AddItem(int id, const QString& text, bool enabled = true);
  void AddSeparator();
  void RemoveAllItems();
  int GetItemCount() const;  // separators included
  // Runs the menu; `owner` keeps it above that window.
  int TrackPopupMenu(const QPoint& globalPos, MWindow* owner = nullptr);
  // Where item number `index` is drawn (for tests and keyboard hints).
  QRect GetItemRect(int index) const;

 protected:
  bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam) override;
  void paintEvent(QPaintEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  struct Item {
    int id = 0;  // 0: separator
    QString text;
    bool enabled = true;
  };
  int IndexAt(const QPoint& pos) const;
  QSize MenuSize() const;
  void Choose(int index);
  void MoveHover(int step);

  QVector<Item> items_;
  int hover_ = -1;
};

}  // namespace DUI

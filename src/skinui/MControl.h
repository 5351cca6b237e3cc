#pragma once
#include <QRecursiveMutex>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>

#include "skinui/GuiThread.h"

namespace DUI {

class MWindow;

// Base of every control: a numeric identifier, the common setters, and the
// route of its notifications to the window's OnNotify hook.
//
// Threads: every public setter and getter of every control is safe from any
// thread. A control keeps its state (texts, values, lists) under its own lock
// and reads it when painting, so a getter sees a setter's value at once;
// work on the widget itself (geometry, visibility, child editors, repaint)
// is queued to the GUI thread. Notifications run on the GUI thread and only
// follow user actions.
class MControl : public QWidget {
  Q_OBJECT

 public:
  MControl(QWidget* parent, int id);

  int GetId() const { return id_; }
  MWindow* GetWindow() const;

  void SetRect(const QRect& rect);
  // Windows-style rectangle: right and bottom are exclusive.
  void SetRect(int left, int top, int right, int bottom);
  QRect GetRect() const;  // GUI thread
  void SetVisible(bool visible);
  bool IsVisible() const;  // GUI thread: shown when its parent is shown
  void SetEnabled(bool enabled);
  bool IsEnabled() const;  // GUI thread
  void SetTooltip(const QString& text);
  QString GetTooltip() const;

  // Font or accent colour changed (Manager); the base repaints.
  virtual void OnSkinChanged();

 protected:
  // Reports (id, event, param) to the window. GUI thread.
  void Notify(int event, intptr_t param = 0);
  // Repaint from any thread.
  void Refresh();
  template <class F>
  void OnGui(F&& work) {
    GuiThread::Run(this, std::forward<F>(work));
  }

  bool IsHovered() const { return hovered_; }
  void enterEvent(QEnterEvent* e) override;
  void leaveEvent(QEvent* e) override;

  mutable QRecursiveMutex mutex_;

 private:
  const int id_;
  QString tooltip_;
  bool hovered_ = false;
};

}  // namespace DUI

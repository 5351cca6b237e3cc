#pragma once
#include <QColor>
#include <QIcon>
#include <QList>
#include <QMutex>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QString>
#include <QWidget>
#include <cstdint>
#include <atomic>
#include <map>

class QEventLoop;

namespace DUI {

class MControl;
class CArea;

// A frameless top-level window drawn by the library. Subclasses build their
// controls in OnCreate, and receive window messages, timers, the 10 ms tick
// and every control notification through the virtual hooks below.
//
// Threads: the window lives on the GUI thread. The functions marked "any
// thread" may be called from the worker; they queue their work to the GUI
// thread. All hooks run on the GUI thread.
//
// Ownership: a window created with an owner becomes a Qt child of it (it
// stays above it and a modal run blocks it); destroy it before its owner, or
// let the owner's destruction delete it. A window without owner belongs to
// whoever created it.
class MWindow : public QWidget {
  Q_OBJECT

 public:
  enum Style : unsigned {
    kStyleToolWindow = 0x01,  // no task-bar entry
    kStyleTopMost = 0x02,     // stays above other windows
    kStyleDraggable = 0x04,   // dragging the background moves the window
    kStylePopup = 0x08,       // closes itself when the user clicks elsewhere
  };

  MWindow();
  ~MWindow() override;

  // Creates the window (hidden) at `rect` in screen coordinates, registers
  // its title for Manager::FindWindow and runs OnCreate. Show it with
  // ShowModal or ShowWindow. Returns false when called twice.
  bool Create(MWindow* owner, const QString& title, unsigned style, const QRect& rect);
  bool IsCreated() const { return created_; }
  MWindow* GetOwner() const { return owner_; }
  QString GetTitle() const;                  // any thread
  void SetWindowText(const QString& title);  // any thread

  // Shows the window (showFlag 0 keeps it hidden) and runs a local event loop
  // until EndModal; returns the end code (1 OK, 2 Cancel). OnInitDialog runs
  // once, before the first run. An EndModal that arrives before the first run
  // has started (a fast worker) ends that run at once. GUI thread only.
  int ShowModal(int showFlag = 1);
  void EndModal(int result);  // any thread
  bool IsModal() const { return loop_ != nullptr; }

  void ShowWindow(int command);  // any thread; DUI::ShowCommand
  void MoveWindow(const QRect& rect);  // any thread; screen coordinates
  // Centres over `over`, else over the owner, else on the screen.
  void CenterWindow(QWidget* over = nullptr);
  void SetIcon(const QIcon& icon);
  QWidget* GetSafeHwnd() { return this; }
  // Runs OnDestroy, ends a modal run with 2, stops the timers, hides the
  // window and removes it from the title lookup. The object stays alive for
  // its owner to delete. Any thread.
  void DestroyWindow();
  bool IsDestroyed() const { return destroyed_; }

  // Per-window timers delivered to OnTimer(id); they repeat until killed.
  void SetTimer(int id, int milliseconds);  // any thread
  void KillTimer(int id);                   // any thread
  // The library's own tick delivered to OnMTimer (10 ms by default).
  void SetMTimer(int milliseconds = 10);  // any thread
  void KillMTimer();                      // any thread

  // Window messages: PostMessage queues (any thread), SendMessage calls the
  // hook at once (GUI thread; from another thread it posts and returns false).
  void PostMessage(int message, intptr_t wParam = 0, intptr_t lParam = 0);
  bool SendMessage(int message, intptr_t wParam = 0, intptr_t lParam = 0);

  // Controls of this window by identifier (several may share one).
  MControl* GetControl(int id) const;
  template <class T>
  T* GetControl(int id) const {
    for (MControl* c : GetControls(id))
      if (T* t = qobject_cast<T*>(c)) return t;
    return nullptr;
  }
  QList<MControl*> GetControls(int id) const;

  // Creates a visible control in the window or inside `container` (a page or
  // area). `rect` is relative to the container; an empty rect leaves it to a
  // later SetRect.
  template <class T>
  T* CreateControl(int id, const QRect& rect = QRect(), QWidget* container = nullptr) {
    T* control = new T(container != nullptr ? container : this, id);
    PlaceNew(control, rect);
    return control;
  }
  // The same by class name ("MText", "DPIControl", ...); nullptr for an
  // unknown name.
  MControl* CreateControl(const QString& className, int id, const QRect& rect,
                          QWidget* container = nullptr);
  CArea* CreateArea(int id, const QRect& rect, const QColor& colour, QWidget* container = nullptr);

  void SetBkColor(const QColor& fill, const QColor& border = QColor());
  void SetBkImage(const QString& name);
  // Where a press starts a window drag (besides kStyleDraggable, which drags
  // from the whole background).
  void SetCaptionRect(const QRect& rect);
  void OnMinimize();
  void OnMaximize();  // toggles between maximised and normal
  // When the window is hidden by someone else during a modal run, the run
  // ends with `result`; 0 (the default) keeps it running while hidden. Menus
  // and lists use it so that hiding them by title ends them.
  void SetHideResult(int result) { hideResult_ = result; }

  // Called by the controls; routes to OnNotify.
  void DispatchNotify(int id, int event, intptr_t param, MControl* source);
  // Re-reads the interface font and colours into every control.
  void ApplySkin();

 protected:
  virtual void OnCreate() {}
  virtual bool OnInitDialog() { return true; }
  // Returns true when handled. The base handles kMsgClose: it ends a modal
  // run with wParam (2 when 0) or hides the window.
  virtual bool OnWindowMessage(int message, intptr_t wParam, intptr_t lParam);
  virtual void OnTimer(int /*id*/) {}
  virtual void OnMTimer() {}
  virtual void OnNotify(int /*id*/, int /*event*/, intptr_t /*param*/, MControl* /*source*/) {}
  virtual void OnSize(int /*width*/, int /*height*/) {}
  virtual void OnActivate(bool /*active*/) {}
  virtual void OnDestroy() {}

  bool event(QEvent* e) override;
  void paintEvent(QPaintEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void changeEvent(QEvent* e) override;
  void hideEvent(QHideEvent* e) override;
  void timerEvent(QTimerEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void PlaceNew(MControl* control, const QRect& rect);
  void StopAllTimers();

  mutable QMutex titleMutex_;
  QString title_;
  QPointer<MWindow> owner_;
  bool created_ = false;
  std::atomic<bool> destroyed_{false};
  bool initDone_ = false;
  int modalRuns_ = 0;
  int pendingEnd_ = 0;
  QEventLoop* loop_ = nullptr;
  std::map<int, int> timers_;  // user id -> Qt timer id
  int mTimerId_ = 0;
  QColor bkFill_;
  QColor bkBorder_;
  QString bkImage_;
  QRect captionRect_;
  unsigned style_ = 0;
  int hideResult_ = 0;
  bool ending_ = false;
  bool dragging_ = false;
  QPoint dragOffset_;
};

}  // namespace DUI

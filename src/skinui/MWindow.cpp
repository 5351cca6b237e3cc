#include "skinui/MWindow.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHideEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QTimerEvent>
#include <QWindow>

#include "skinui/CArea.h"
#include "skinui/ControlFactory.h"
#include "skinui/Events.h"
#include "skinui/GuiThread.h"
#include "skinui/MControl.h"
#include "skinui/MRender.h"
#include "skinui/MStyle.h"
#include "skinui/Manager.h"

namespace DUI {
namespace {

// A posted window message; delivered to OnWindowMessage on the GUI thread.
class MessageEvent : public QEvent {
 public:
  MessageEvent(int message, intptr_t wParam, intptr_t lParam)
      : QEvent(Type()), message_(message), wParam_(wParam), lParam_(lParam) {}
  static QEvent::Type Type() {
    static const int type = QEvent::registerEventType();
    return static_cast<QEvent::Type>(type);
  }
  int message_;
  intptr_t wParam_;
  intptr_t lParam_;
};

}  // namespace

MWindow::MWindow() : QWidget(nullptr) {
  setAttribute(Qt::WA_DeleteOnClose, false);
  setMouseTracking(false);
}

MWindow::~MWindow() {
  Manager::UnregisterWindow(this);
  if (loop_ != nullptr) loop_->exit(2);
}

bool MWindow::Create(MWindow* owner, const QString& title, unsigned style, const QRect& rect) {
  if (created_) return false;
  style_ = style;
  owner_ = owner;
  Qt::WindowFlags flags = Qt::FramelessWindowHint;
  flags |= (style & kStylePopup) ? Qt::Popup : (style & kStyleToolWindow) ? Qt::Tool : Qt::Window;
  if (style & kStyleTopMost) flags |= Qt::WindowStaysOnTopHint;
  if (owner != nullptr)
    setParent(owner, flags);
  else
    setWindowFlags(flags);
  SetWindowText(title);
  setGeometry(rect);
  created_ = true;
  Manager::RegisterWindow(this);
  OnCreate();
  return true;
}

QString MWindow::GetTitle() const {
  QMutexLocker lock(&titleMutex_);
  return title_;
}

void MWindow::SetWindowText(const QString& title) {
  {
    QMutexLocker lock(&titleMutex_);
    title_ = title;
  }
  GuiThread::Run(this, [this, title] { setWindowTitle(title); });
}

int MWindow::ShowModal(int showFlag) {
  if (!GuiThread::IsCurrent() || loop_ != nullptr || destroyed_) return 0;
  if (!initDone_) {
    initDone_ = true;
    OnInitDialog();
  }
  ++modalRuns_;
  if (pendingEnd_ != 0) {
    const int result = pendingEnd_;
    pendingEnd_ = 0;
    return result;
  }
  if (owner_ != nullptr && !(style_ & kStylePopup)) setWindowModality(Qt::WindowModal);
  if (showFlag != kShowHide) ShowWindow(showFlag);
  QEventLoop loop;
  loop_ = &loop;
  const int result = loop.exec(QEventLoop::DialogExec);
  loop_ = nullptr;
  ending_ = true;
  hide();
  ending_ = false;
  setWindowModality(Qt::NonModal);
  return result;
}

void MWindow::EndModal(int result) {
  if (!GuiThread::IsCurrent()) {
    GuiThread::Post(this, [this, result] { EndModal(result); });
    return;
  }
  if (loop_ != nullptr) {
    loop_->exit(result);
    return;
  }
  // Ended before its first run started: that run ends at once.
  if (modalRuns_ == 0) pendingEnd_ = result;
}

void MWindow::ShowWindow(int command) {
  GuiThread::Run(this, [this, command] {
    switch (command) {
      case kShowHide:
        hide();
        break;
      case kShowMinimized:
        showMinimized();
        break;
      case kShowMaximized:
        showMaximized();
        break;
      case kShowNoActivate:
        setAttribute(Qt::WA_ShowWithoutActivating, true);
        show();
        setAttribute(Qt::WA_ShowWithoutActivating, false);
        break;
      default:
        if (isMinimized() || command == kShowNormal) showNormal(); else show();
        raise();
        activateWindow();
        break;
    }
  });
}

void MWindow::MoveWindow(const QRect& rect) {
  GuiThread::Run(this, [this, rect] { setGeometry(rect); });
}

void MWindow::CenterWindow(QWidget* over) {
  QWidget* anchor = over != nullptr ? over : static_cast<QWidget*>(owner_.data());
  QRect area;
  if (anchor != nullptr && anchor->isVisible()) {
    area = anchor->window()->frameGeometry();
  } else {
    QScreen* screen = this->screen() != nullptr ? this->screen() : QGuiApplication::primaryScreen();
    if (screen != nullptr) area = screen->availableGeometry();
  }
  if (area.isEmpty()) return;
  QRect r = geometry();
  r.moveCenter(area.center());
  move(r.topLeft());
}

void MWindow::SetIcon(const QIcon& icon) { setWindowIcon(icon); }

void MWindow::DestroyWindow() {
  GuiThread::Run(this, [this] {
    if (destroyed_) return;
    OnDestroy();
    destroyed_ = true;
    StopAllTimers();
    if (loop_ != nullptr) loop_->exit(2);
    ending_ = true;
    hide();
    ending_ = false;
    Manager::UnregisterWindow(this);
  });
}

void MWindow::SetTimer(int id, int milliseconds) {
  GuiThread::Run(this, [this, id, milliseconds] {
    KillTimer(id);
    if (destroyed_) return;
    const int qtId = startTimer(std::max(1, milliseconds), Qt::PreciseTimer);
    if (qtId != 0) timers_[id] = qtId;
  });
}

void MWindow::KillTimer(int id) {
  GuiThread::Run(this, [this, id] {
    auto it = timers_.find(id);
    if (it == timers_.end()) return;
    killTimer(it->second);
    timers_.erase(it);
  });
}

void MWindow::SetMTimer(int milliseconds) {
  GuiThread::Run(this, [this, milliseconds] {
    if (mTimerId_ != 0) killTimer(mTimerId_);
    mTimerId_ = destroyed_ ? 0 : startTimer(std::max(1, milliseconds), Qt::PreciseTimer);
  });
}

void MWindow::KillMTimer() {
  GuiThread::Run(this, [this] {
    if (mTimerId_ != 0) killTimer(mTimerId_);
    mTimerId_ = 0;
  });
}

void MWindow::StopAllTimers() {
  for (const auto& [id, qtId] : timers_) killTimer(qtId);
  timers_.clear();
  if (mTimerId_ != 0) killTimer(mTimerId_);
  mTimerId_ = 0;
}

void MWindow::PostMessage(int message, intptr_t wParam, intptr_t lParam) {
  QCoreApplication::postEvent(this, new MessageEvent(message, wParam, lParam));
}

bool MWindow::SendMessage(int message, intptr_t wParam, intptr_t lParam) {
  if (!GuiThread::IsCurrent()) {
    PostMessage(message, wParam, lParam);
    return false;
  }
  return OnWindowMessage(message, wParam, lParam);
}

bool MWindow::OnWindowMessage(int message, intptr_t wParam, intptr_t /*lParam*/) {
  if (message != kMsgClose) return false;
  if (loop_ != nullptr)
    EndModal(wParam != 0 ? int(wParam) : 2);
  else
    hide();
  return true;
}

QList<MControl*> MWindow::GetControls(int id) const {
  QList<MControl*> result;
  for (MControl* c : findChildren<MControl*>())
    if (c->GetId() == id && c->GetWindow() == this) result.append(c);
  return result;
}

MControl* MWindow::GetControl(int id) const {
  const QList<MControl*> all = GetControls(id);
  return all.isEmpty() ? nullptr : all.first();
}

MControl* MWindow::CreateControl(const QString& className, int id, const QRect& rect,
                                 QWidget* container) {
  MControl* control = ControlFactory::Create(className, container != nullptr ? container : this, id);
  if (control != nullptr) PlaceNew(control, rect);
  return control;
}

CArea* MWindow::CreateArea(int id, const QRect& rect, const QColor& colour, QWidget* container) {
  CArea* area = CreateControl<CArea>(id, rect, container);
  area->SetColor(colour);
  return area;
}

void MWindow::PlaceNew(MControl* control, const QRect& rect) {
  if (!rect.isEmpty()) control->setGeometry(rect);
  control->show();
}

void MWindow::SetBkColor(const QColor& fill, const QColor& border) {
  bkFill_ = fill;
  bkBorder_ = border;
  update();
}

void MWindow::SetBkImage(const QString& name) {
  bkImage_ = name;
  update();
}

void MWindow::SetCaptionRect(const QRect& rect) { captionRect_ = rect; }

void MWindow::OnMinimize() { showMinimized(); }

void MWindow::OnMaximize() {
  if (isMaximized())
    showNormal();
  else
    showMaximized();
}

void MWindow::DispatchNotify(int id, int event, intptr_t param, MControl* source) {
  OnNotify(id, event, param, source);
}

void MWindow::ApplySkin() {
  for (MControl* c : findChildren<MControl*>()) c->OnSkinChanged();
  update();
}

bool MWindow::event(QEvent* e) {
  if (e->type() == MessageEvent::Type()) {
    auto* m = static_cast<MessageEvent*>(e);
    OnWindowMessage(m->message_, m->wParam_, m->lParam_);
    return true;
  }
  return QWidget::event(e);
}

void MWindow::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), bkFill_.isValid() ? bkFill_ : MStyle::Window());
  if (!bkImage_.isEmpty()) MRender::DrawImage(p, MRender::LoadImage(bkImage_), rect());
  const QColor border = bkBorder_.isValid() ? bkBorder_ : MStyle::Border();
  if (border.alpha() > 0 && !isMaximized()) {
    p.setPen(border);
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(0, 0, -1, -1));
  }
}

void MWindow::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  OnSize(width(), height());
}

void MWindow::closeEvent(QCloseEvent* e) {
  // The window system's close request becomes a close message, so the
  // application decides (the main window may hide instead of ending).
  e->ignore();
  OnWindowMessage(kMsgClose, 0, 0);
}

void MWindow::changeEvent(QEvent* e) {
  QWidget::changeEvent(e);
  if (e->type() == QEvent::ActivationChange) OnActivate(isActiveWindow());
}

void MWindow::hideEvent(QHideEvent* e) {
  QWidget::hideEvent(e);
  if (!e->spontaneous() && !ending_ && loop_ != nullptr && hideResult_ != 0) loop_->exit(hideResult_);
}

void MWindow::timerEvent(QTimerEvent* e) {
  if (e->timerId() == mTimerId_) {
    OnMTimer();
    return;
  }
  for (const auto& [id, qtId] : timers_) {
    if (qtId == e->timerId()) {
      const int userId = id;  // the hook may kill or add timers
      OnTimer(userId);
      return;
    }
  }
}

void MWindow::mousePressEvent(QMouseEvent* e) {
  const bool inCaption = !captionRect_.isEmpty() && captionRect_.contains(e->position().toPoint());
  if (e->button() != Qt::LeftButton || isMaximized() || (!inCaption && !(style_ & kStyleDraggable))) {
    QWidget::mousePressEvent(e);
    return;
  }
  if (windowHandle() != nullptr && windowHandle()->startSystemMove()) return;
  dragging_ = true;
  dragOffset_ = e->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MWindow::mouseMoveEvent(QMouseEvent* e) {
  if (dragging_) move(e->globalPosition().toPoint() - dragOffset_);
  QWidget::mouseMoveEvent(e);
}

void MWindow::mouseReleaseEvent(QMouseEvent* e) {
  dragging_ = false;
  QWidget::mouseReleaseEvent(e);
}

}  // namespace DUI

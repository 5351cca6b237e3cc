#include "ui/shell/MainTrayIcon.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

#include "skinui/Events.h"
#include "skinui/MWindow.h"
#include "ui/UiText.h"
#include "ui/WindowMessages.h"
#include "ui/frame/FrameIds.h"

namespace korvex {
namespace {

// The menu pops up outside the skinned windows, so it gets the same dark
// look here.
constexpr const char* kMenuStyle =
    "QMenu { background: #171A21; color: #E9ECF2; border: 1px solid #2C313D; padding: 4px; }"
    "QMenu::item { padding: 6px 28px 6px 18px; border-radius: 4px; }"
    "QMenu::item:selected { background: #22303A; color: #1FD2FF; }";

}  // namespace

MainTrayIcon::MainTrayIcon(DUI::MWindow* window) : QObject(window), window_(window) {
  menu_ = std::make_unique<QMenu>();
  menu_->setStyleSheet(QString::fromLatin1(kMenuStyle));
  exit_ = menu_->addAction(UiText(frame::kTextTrayExit));
  connect(exit_, &QAction::triggered, this,
          [this] { window_->PostMessage(DUI::kMsgCommand, kCmdTrayExit, 0); });
}

MainTrayIcon::~MainTrayIcon() { Remove(); }

QString MainTrayIcon::TipText(const QString& caption) { return caption.left(kTipLength); }

bool MainTrayIcon::Add(const QIcon& icon, const QString& caption, bool available) {
  tip_ = TipText(caption);
  if (!available) return false;
  if (icon_ == nullptr) {
    icon_ = new QSystemTrayIcon(this);
    icon_->setContextMenu(menu_.get());
    connect(icon_, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason r) {
      OnActivated(static_cast<int>(r));
    });
  }
  icon_->setIcon(icon);
  icon_->setToolTip(tip_);
  icon_->show();
  return true;
}

void MainTrayIcon::Remove() {
  if (icon_ == nullptr) return;
  icon_->hide();
  delete icon_;
  icon_ = nullptr;
}

bool MainTrayIcon::IsShown() const { return icon_ != nullptr && icon_->isVisible(); }

bool MainTrayIcon::ShowMessage(const QString& title, const QString& body) {
  if (!IsShown() || !QSystemTrayIcon::supportsMessages()) return false;
  icon_->showMessage(title, body, QSystemTrayIcon::Warning, 10000);
  return true;
}

void MainTrayIcon::OnActivated(int reason) {
  // The desktop opens the context menu itself; the clicks travel as the
  // callback message with the mouse message they stand for.
  switch (static_cast<QSystemTrayIcon::ActivationReason>(reason)) {
    case QSystemTrayIcon::Trigger:
      window_->PostMessage(kMsgTrayCallback, kTrayIconId, kTrayLeftDown);
      break;
    case QSystemTrayIcon::DoubleClick:
      window_->PostMessage(kMsgTrayCallback, kTrayIconId, kTrayLeftDoubleClick);
      break;
    default:
      break;
  }
}

void MainTrayIcon::PopupMenu(const QPoint& globalPos) { menu_->popup(globalPos); }

void MainTrayIcon::ApplyTexts() { exit_->setText(UiText(frame::kTextTrayExit)); }

}  // namespace korvex

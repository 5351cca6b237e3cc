#pragma once
// The tray icon of the main window: the caption as its tip, a left click
// (or double click) brings the window back, and a one-item menu ends the
// program. Its events reach the window as the tray callback message 1690
// and the command 100, like the window's other messages.

#include <QIcon>
#include <QObject>
#include <QPoint>
#include <QString>
#include <memory>

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace DUI {
class MWindow;
}

namespace korvex {

class MainTrayIcon : public QObject {
  Q_OBJECT

 public:
  // The longest tip a tray shows: 127 characters (and a terminating zero).
  static constexpr int kTipLength = 127;

  explicit MainTrayIcon(DUI::MWindow* window);
  ~MainTrayIcon() override;

  // Shows the icon when the desktop has a tray (`available`); the menu is
  // built either way. False when no icon could be shown.
  bool Add(const QIcon& icon, const QString& caption, bool available);
  // Removes the icon; the menu stays for a later Add.
  void Remove();
  bool IsShown() const;

  // The caption cut to what a tip holds.
  static QString TipText(const QString& caption);
  QString Tip() const { return tip_; }

  QMenu* Menu() const { return menu_.get(); }
  // Opens the menu at a screen point (the tray callback's right click).
  void PopupMenu(const QPoint& globalPos);
  void ApplyTexts();
  // A balloon message from the icon; false when no icon is shown or the
  // tray cannot show messages.
  bool ShowMessage(const QString& title, const QString& body);

 private:
  void OnActivated(int reason);

  DUI::MWindow* window_;
  std::unique_ptr<QMenu> menu_;
  QAction* exit_ = nullptr;
  QSystemTrayIcon* icon_ = nullptr;
  QString tip_;
};

}  // namespace korvex

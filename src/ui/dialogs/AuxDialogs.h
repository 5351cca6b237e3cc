#pragma once
// The main window's small windows, kept as it keeps them: at most one saved
// confirmation, one busy indicator and one update window at a time (a new
// one replaces the open one), the DPI display for the window's whole life,
// and the message box and About window per use.
//
// The saved confirmation, busy indicator and update window are shown without
// blocking the caller (their owner is locked against input while they are
// up) and are destroyed when they end. Functions marked "any thread" may be
// called by the worker; they do their work on the GUI thread.

#include <QPointer>
#include <QString>
#include <memory>
#include <string>

class QObject;

namespace DUI {
class MWindow;
}

namespace korvex {

class AboutDlg;
class DPIMsgDlg;
class SaveWaitDlg;
class UpdateTipDlg;
class WaitDlg;

class AuxDialogs {
 public:
  // `mainWindow` owns the dialogs on screen; it must outlive this object.
  // Creates the hidden DPI display.
  explicit AuxDialogs(DUI::MWindow* mainWindow);
  ~AuxDialogs();
  AuxDialogs(const AuxDialogs&) = delete;
  AuxDialogs& operator=(const AuxDialogs&) = delete;

  // A message box over the main window (modal); 1 OK, 2 Cancel or closed.
  int ShowMessage(int titleText, int messageText, int type);

  // The saved confirmation after a settings change (the caller checks the
  // tips option): the open one is destroyed and a new one shown. GUI thread.
  void ShowSaved();
  // The lighting page's variant: an open confirmation starts again, else a
  // new one is shown. GUI thread.
  void RestartSaved();

  // The busy indicator: the open one is destroyed and a new one shown over
  // the main window. GUI thread.
  void ShowBusy();
  // Ends the open busy indicator as confirmed. Any thread.
  void CloseWait();

  // The firmware update window (replacing an open one). GUI thread.
  void ShowUpdateTip();
  // Its status line and bar. Any thread.
  void ShowUpdateProgress(const QString& text, int percent);
  // Ends it as confirmed. Any thread.
  void CloseUpdateTip();

  // The DPI display at the bottom right of the work area. Any thread.
  void ShowDpi(int value);

  // The About window (modal). GUI thread.
  int ShowAbout(int firmwareRelease, const std::string& softwareVersion);

  // The language changed: the open windows take the new texts.
  void ApplyTexts();

  // The open windows, or null (GUI thread; do not keep the pointers).
  SaveWaitDlg* Saved() const { return saved_; }
  WaitDlg* Wait() const { return wait_; }
  UpdateTipDlg* UpdateTip() const { return updateTip_; }
  DPIMsgDlg* DpiDisplay() const { return dpi_; }

 private:
  template <class Dialog>
  void Replace(QPointer<Dialog>& slot);
  template <class Dialog>
  void Show(QPointer<Dialog>& slot, Dialog* dialog);
  template <class F>
  void OnGui(F&& work);

  DUI::MWindow* main_;
  // Context of the work queued by other threads: it dies with this object,
  // so late work is dropped instead of reaching a destroyed object.
  std::unique_ptr<QObject> guard_;
  QPointer<SaveWaitDlg> saved_;
  QPointer<WaitDlg> wait_;
  QPointer<UpdateTipDlg> updateTip_;
  QPointer<DPIMsgDlg> dpi_;
};

}  // namespace korvex

#pragma once
// The main window's own window messages and command ids. They travel as
// DUI window messages (MWindow::PostMessage), so any thread may post them.

namespace korvex {

enum WindowMessage : int {
  // The tray icon: wParam = icon id, lParam = the mouse message below.
  kMsgTrayCallback = 1690,
  // End the program at once, but only when lParam is kExitConfirmation.
  kMsgExit = 1691,
  // A newer version exists: wParam 1 software, 2 firmware; lParam 1.
  kMsgUpdateAvailable = 1692,
  // The profile dialog: wParam = action (0 switch, 1 import, 2 export),
  // lParam = profile id.
  kMsgProfileAction = 1705,
  // The macro editor's three messages: start or stop a recording (the
  // record button), stop a running recording and keep it, and fill the
  // macro lists again from the store. Any thread may post them.
  kMsgMacroRecordToggle = 1709,
  kMsgMacroRecordStop = 1710,
  kMsgMacroReload = 1711,
  kMsgMacroEditorFirst = kMsgMacroRecordToggle,
  kMsgMacroEditorLast = kMsgMacroReload,
  // Apply the texts of the current language again.
  kMsgApplyTexts = 2022,
};

// The value 1691 must carry so that a stray message cannot end the program.
inline constexpr int kExitConfirmation = 610;

// Command ids (DUI::kMsgCommand with the id in wParam).
enum WindowCommand : int {
  kCmdTrayExit = 100,  // the tray menu's only item
  kCmdAbout = 102,     // the About window
};

// The tray callback's mouse messages, with the numbers a Windows tray uses.
enum TrayMouseMessage : int {
  kTrayLeftDown = 0x0201,
  kTrayLeftDoubleClick = 0x0203,
  kTrayRightUp = 0x0205,
};

inline constexpr int kTrayIconId = 109;

}  // namespace korvex

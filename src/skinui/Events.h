#pragma once
#include <cstdint>

// Notification codes every DUI control reports to its window's OnNotify hook
// as (control id, event, parameter), and the window messages the library
// itself understands. Notifications are delivered on the GUI thread only and
// only for user actions; programmatic setters never notify.
namespace DUI {

enum Event : int {
  kEventChanging = 1,     // a value is being dragged; param = value so far
  kEventClick = 2,        // click, release, item chosen; param per control
  kEventContextMenu = 5,  // right click; param = item index or -1
  kEventSetFocus = 7,     // an edit field gained the keyboard focus
  kEventKillFocus = 8,    // an edit field lost the keyboard focus
  kEventColorClick = 9,   // the colour mark of a DPI stage; param = stage
  kEventEditChanged = 29, // text typed or an in-place edit ended; param per control
  kEventSelChanged = 30,  // selection moved without a click (keyboard); param = index
  kEventKeyDown = 40,     // key capture: a key went down; param = Qt key
  kEventKeyUp = 41,       // key capture: a key went up; param = Qt key
};

// Window messages with a meaning of their own inside the library. Any other
// number is the application's, delivered untouched to OnWindowMessage.
enum Message : int {
  kMsgClose = 16,    // wParam = result a modal run ends with (0 means 2)
  kMsgCommand = 273, // wParam = command id (menu items and the like)
};

// ShowWindow commands.
enum ShowCommand : int {
  kShowHide = 0,
  kShowNormal = 1,
  kShowMinimized = 2,
  kShowMaximized = 3,
  kShowNoActivate = 4,
  kShow = 5,
};

}  // namespace DUI
